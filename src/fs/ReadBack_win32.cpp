// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 read-back: the file is opened without buffering, so that every read goes to the
// device. Such reads must be whole sectors into aligned memory: the hasher's buffers are
// both.
#include "fs/ReadBack.h"

#include "fs/ChunkHasher.h"
#include "fs/FileHandle_win32.h"
#include "fs/FolderWalk_win32.h"
#include "fs/WideText_win32.h"

#include <cerrno>
#include <windows.h>

namespace arbolink {

bool ReadBackDigest(const std::string& path, Sha256Digest& digest, int& error,
                    const ReadBackSink& sink, const BetweenChunks& betweenChunks) {
    FileHandle file(CreateFileW(
        WidePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
        FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT,
        nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) {
        error = ErrnoOfWin32(GetLastError());
        return false;
    }
    if ((info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        error = EINVAL;
        return false;
    }
    const auto size =
        static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    ChunkHasher hasher(size);
    for (std::int64_t done = 0;;) {
        char* buffer = hasher.NextBuffer();
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, static_cast<DWORD>(hasher.BufferBytes()), &read,
                      nullptr)) {
            error = ErrnoOfWin32(GetLastError());
            return false;
        }
        if (read == 0) {
            break;
        }
        hasher.Hand(buffer, read);
        if (sink) {
            sink(buffer, read);
        }
        done += read;
        if (betweenChunks && !betweenChunks(done)) {
            error = ECANCELED;
            return false;
        }
    }
    digest = hasher.Finish();
    return true;
}

} // namespace arbolink
