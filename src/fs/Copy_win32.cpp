// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 backend of the file copy. The copy goes to a temporary file in the target's folder and
// is renamed to the target only when complete; like the platform's own file copy, it keeps
// the source's attributes and last-write time.
#include "fs/Copy.h"

#include "fs/ChunkHasher.h"
#include "fs/FileHandle_win32.h"
#include "fs/FolderWalk_win32.h"
#include "fs/Folders.h"
#include "fs/FreeName.h"
#include "fs/WideText_win32.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <windows.h>

namespace arbolink {

namespace {

constexpr DWORD kChunkBytes = DWORD{8} << 20;
constexpr DWORD kBufferBytes = DWORD{1} << 20;
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The temporary file in the target's folder; removed unless renamed to the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folderPrefix) {
        for (unsigned attempt = 0; attempt < 100 && !file_.valid(); ++attempt) {
            path_ = WidePath(folderPrefix + TemporaryName());
            file_.Reset(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
            if (!file_.valid() && GetLastError() != ERROR_FILE_EXISTS) {
                break;
            }
        }
        if (!file_.valid()) {
            path_.clear();
        }
    }
    ~TemporaryFile() {
        DWORD error = GetLastError();
        file_.Close();
        if (!path_.empty()) {
            SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path_.c_str());
        }
        SetLastError(error);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    HANDLE handle() const { return file_.get(); }
    bool valid() const { return file_.valid(); }
    bool Close() { return file_.Close(); }
    // Gives the closed file the source's attributes.
    bool SetAttributes(DWORD attributes) {
        return SetFileAttributesW(path_.c_str(),
                                  attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes) != 0;
    }
    // Gives the file its place. A link at the target's name is replaced, not followed.
    bool RenameTo(const std::string& target) {
        if (!MoveFileExW(path_.c_str(), WidePath(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
            return false;
        }
        path_.clear();
        return true;
    }
    // Gives the file the path unless something has it (in any letter case): true when it did,
    // else false with the system's reason as the last error.
    bool TakeName(const std::string& target) {
        if (!MoveFileExW(path_.c_str(), WidePath(target).c_str(), 0)) {
            return false;
        }
        path_.clear();
        return true;
    }

private:
    std::wstring path_;
    FileHandle file_{INVALID_HANDLE_VALUE};
};

bool IsLinkAttribute(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Opens a file on disk for reading; a folder or a device is refused before it is opened, and
// with links refused, a link is neither followed nor opened as the file.
HANDLE OpenRegularSource(const std::string& source, SourceLinks links,
                         BY_HANDLE_FILE_INFORMATION& info) {
    const bool refuse = links == SourceLinks::Refuse;
    const std::wstring path = WidePath(source);
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return INVALID_HANDLE_VALUE;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0 ||
        (refuse && IsLinkAttribute(attributes))) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE file = CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
        FILE_FLAG_SEQUENTIAL_SCAN | (refuse ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return file;
    }
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        (refuse && IsLinkAttribute(info.dwFileAttributes))) {
        CloseHandle(file);
        SetLastError(ERROR_INVALID_FUNCTION);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

bool WriteAll(HANDLE file, const char* data, DWORD size) {
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(file, data, size, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Copies up to wanted bytes; answers the bytes copied (fewer only at the end of the source)
// or -1 with side set to the side that failed. With a hasher, each chunk is read into its
// buffer and handed over before it is written, so that the hash overlaps with the write.
std::int64_t CopyChunk(HANDLE in, HANDLE out, char* buffer, ChunkHasher* hasher,
                       std::int64_t wanted, CopySide& side) {
    std::int64_t done = 0;
    while (done < wanted) {
        const std::int64_t room =
            hasher != nullptr ? static_cast<std::int64_t>(hasher->BufferBytes()) : kBufferBytes;
        const DWORD ask = static_cast<DWORD>(std::min<std::int64_t>(wanted - done, room));
        char* into = hasher != nullptr ? hasher->NextBuffer() : buffer;
        DWORD read = 0;
        if (!ReadFile(in, into, ask, &read, nullptr)) {
            side = CopySide::Source;
            return -1;
        }
        if (read == 0) {
            break;
        }
        if (hasher != nullptr) {
            hasher->Hand(into, read);
        }
        if (!WriteAll(out, into, read)) {
            side = CopySide::Target;
            return -1;
        }
        done += read;
    }
    return done;
}

std::int64_t SizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
}

CopyOutcome Failure(CopySide side) {
    const DWORD code = GetLastError();
    CopyOutcome outcome;
    outcome.side = side;
    outcome.error = code == ERROR_INVALID_FUNCTION ? EINVAL : ErrnoOfWin32(code);
    return outcome;
}

CopyOutcome Finished(CopyResult result) {
    CopyOutcome outcome;
    outcome.result = result;
    return outcome;
}

// Gives the caller the digest and answers whether it is the one expected.
bool Settle(ChunkHasher& hasher, const ContentCheck& check) {
    const Sha256Digest digest = hasher.Finish();
    if (check.digest != nullptr) {
        *check.digest = digest;
    }
    return check.expected == nullptr || *check.expected == digest;
}

// Past this many numbered names a folder is taken to be full of them.
constexpr int kNumberedNamesTried = 10000;

bool NameTaken(DWORD code) {
    return code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
}

FileIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return {info.dwVolumeSerialNumber,
            (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

// The identity of what has the path, a link itself rather than what it leads to; nothing when
// it cannot be opened.
std::optional<FileIdentity> IdentityAt(const std::string& path) {
    FileHandle entry(
        CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!entry.valid() || !GetFileInformationByHandle(entry.get(), &info)) {
        return std::nullopt;
    }
    return IdentityOf(info);
}

// Gives the finished copy the target's name as a new file, or the place of what has that name
// where mayReplace allows, or else the first free numbered name.
CopyOutcome PlaceAsNew(TemporaryFile& out, const std::string& folder, const std::string& name,
                       const ReplaceCheck& mayReplace, FileIdentity identity) {
    bool placed = out.TakeName(folder + name);
    std::string taken = name;
    if (!placed && NameTaken(GetLastError()) && mayReplace) {
        const std::optional<FileIdentity> there = IdentityAt(folder + name);
        if (there && mayReplace(*there)) {
            placed = out.RenameTo(folder + name);
        } else {
            SetLastError(ERROR_ALREADY_EXISTS);
        }
    }
    for (int number = 2; !placed && NameTaken(GetLastError()) && number <= kNumberedNamesTried;
         ++number) {
        taken = NumberedName(name, false, number);
        placed = out.TakeName(folder + taken);
    }
    if (!placed) {
        return Failure(CopySide::Target);
    }
    CopyOutcome outcome = Finished(CopyResult::Copied);
    outcome.takenName = taken;
    outcome.identity = identity;
    return outcome;
}

// The target's folder as a prefix, and its name.
void SplitTarget(const std::string& target, std::string& folder, std::string& name) {
    const std::size_t separator = target.find_last_of("\\/");
    folder = separator == std::string::npos ? std::string() : target.substr(0, separator + 1);
    name = separator == std::string::npos ? target : target.substr(separator + 1);
}

// Copies the open source (of the size in info) to a temporary file in the folder and renames
// it to the target's name once exactly its size is in and the source has no more: over what
// has the name when asNew is null, else as PlaceAsNew does with *asNew.
CopyOutcome CopyOpenSource(HANDLE in, const BY_HANDLE_FILE_INFORMATION& info,
                           const std::string& folder, const std::string& name,
                           const BetweenChunks& betweenChunks, const ContentCheck& check,
                           const ReplaceCheck* asNew) {
    TemporaryFile out(folder);
    if (!out.valid()) {
        return Failure(CopySide::Target);
    }
    const std::int64_t limit = SizeOf(info);
    auto buffer = std::make_unique_for_overwrite<char[]>(kBufferBytes);
    std::optional<ChunkHasher> hasher;
    if (check.wanted()) {
        hasher.emplace(limit);
    }
    CopySide side = CopySide::None;
    for (std::int64_t copied = 0; copied < limit;) {
        const std::int64_t n =
            CopyChunk(in, out.handle(), buffer.get(), hasher ? &*hasher : nullptr,
                      std::min<std::int64_t>(limit - copied, kChunkBytes), side);
        if (n < 0) {
            return Failure(side);
        }
        if (n == 0) {
            return Finished(CopyResult::SizeChanged); // it shrank while it was copied
        }
        copied += n;
        // Only between chunks: once the last byte is in, the file is finished, not cancelled.
        if (copied < limit && betweenChunks && !betweenChunks(copied)) {
            return Finished(CopyResult::Cancelled);
        }
    }
    DWORD more = 0;
    if (!ReadFile(in, buffer.get(), 1, &more, nullptr)) {
        return Failure(CopySide::Source);
    }
    if (more != 0) {
        return Finished(CopyResult::SizeChanged); // it grew: the rest would not fit its room
    }
    if (hasher && !Settle(*hasher, check)) {
        return Finished(CopyResult::ContentMismatch);
    }
    BY_HANDLE_FILE_INFORMATION written{};
    if (!SetFileTime(out.handle(), nullptr, nullptr, &info.ftLastWriteTime) ||
        !GetFileInformationByHandle(out.handle(), &written) || !out.Close() ||
        !out.SetAttributes(info.dwFileAttributes & kKeptAttributes)) {
        return Failure(CopySide::Target);
    }
    if (asNew != nullptr) {
        return PlaceAsNew(out, folder, name, *asNew, IdentityOf(written));
    }
    if (!out.RenameTo(folder + name)) {
        return Failure(CopySide::Target);
    }
    return Finished(CopyResult::Copied);
}

} // namespace

CopyOutcome CopyFileTo(const std::string& source, const std::string& target,
                       const BetweenChunks& betweenChunks, std::int64_t expectedSize,
                       SourceLinks links, const ContentCheck& check) {
    BY_HANDLE_FILE_INFORMATION info{};
    FileHandle in(OpenRegularSource(source, links, info));
    if (!in.valid()) {
        return Failure(CopySide::Source);
    }
    if (expectedSize >= 0 && SizeOf(info) != expectedSize) {
        return Finished(CopyResult::SizeChanged);
    }
    std::string folder;
    std::string name;
    SplitTarget(target, folder, name);
    return CopyOpenSource(in.get(), info, folder, name, betweenChunks, check, nullptr);
}

CopyOutcome CopyFileBelow(const std::string& source, const std::string& root,
                          const std::string& relative, const BetweenChunks& betweenChunks,
                          SourceLinks links, const ReplaceCheck& mayReplace,
                          const ContentCheck& check) {
    BY_HANDLE_FILE_INFORMATION info{};
    FileHandle in(OpenRegularSource(source, links, info));
    if (!in.valid()) {
        return Failure(CopySide::Source);
    }
    std::string folders;
    std::string name;
    SplitTarget(relative, folders, name);
    HeldFolders held;
    FolderWalkStop stop;
    if (!held.Open(root, folders, false, stop)) {
        CopyOutcome outcome;
        outcome.side = CopySide::Target;
        outcome.error = stop.error;
        outcome.blockedAt = stop.path;
        return outcome;
    }
    return CopyOpenSource(in.get(), info, held.path(), name, betweenChunks, check, &mayReplace);
}

bool FlushFileSystem(const std::string& folder, int& error) {
    if (!FolderExists(folder)) {
        error = ENOENT;
        return false;
    }
    // Flushing a whole volume takes an administrator. Without one, or where the volume cannot
    // be flushed at all (a network drive; Wine fails it without a reason), the drive's own
    // write policy stands: Windows writes removable disks through unless told otherwise.
    const std::string root = folder.size() >= 2 && folder[1] == ':' ? folder.substr(0, 2) : "";
    if (root.empty()) {
        return true;
    }
    FileHandle volume(CreateFileW(Widen("\\\\.\\" + root).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                  nullptr));
    if (!volume.valid() || FlushFileBuffers(volume.get())) {
        return true;
    }
    const DWORD code = GetLastError();
    if (code == ERROR_SUCCESS || code == ERROR_ACCESS_DENIED || code == ERROR_INVALID_FUNCTION ||
        code == ERROR_NOT_SUPPORTED) {
        return true;
    }
    error = ErrnoOfWin32(code);
    return false;
}

} // namespace arbolink
