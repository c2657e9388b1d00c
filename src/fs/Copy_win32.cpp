// Win32 backend of the file copy. The copy goes to a temporary file beside the target and is
// renamed over it only when complete, so the target's name never holds a partial file; like
// the platform's own file copy, it keeps the source's attributes and last-write time.
#include "fs/Copy.h"

#include "fs/FileHandle_win32.h"
#include "fs/Folders.h"
#include "fs/WideText_win32.h"

#include <cerrno>
#include <memory>
#include <windows.h>

namespace arbolink {

namespace {

constexpr DWORD kChunkBytes = DWORD{8} << 20;
constexpr DWORD kBufferBytes = DWORD{1} << 20;
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The system's reason as the error number the callers word: they share the messages with
// the other platforms.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return ENAMETOOLONG;
    case ERROR_FILE_TOO_LARGE:
        return EFBIG;
    default:
        return EIO;
    }
}

// The temporary file beside the target; removed unless renamed.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) {
        std::size_t separator = target.find_last_of("\\/");
        std::string folder =
            separator == std::string::npos ? std::string() : target.substr(0, separator + 1);
        for (unsigned attempt = 0; attempt < 100 && !file_.valid(); ++attempt) {
            path_ = WidePath(folder + ".arbolink-copy-" + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(attempt));
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
    // Gives the finished file the source's attributes and its place.
    bool RenameTo(const std::string& target, DWORD attributes) {
        if (!SetFileAttributesW(path_.c_str(),
                                attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes) ||
            !MoveFileExW(path_.c_str(), WidePath(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
            return false;
        }
        path_.clear();
        return true;
    }

private:
    std::wstring path_;
    FileHandle file_{INVALID_HANDLE_VALUE};
};

// Opens a file on disk for reading; a folder or a device is refused before it is opened.
HANDLE OpenRegularSource(const std::string& source, BY_HANDLE_FILE_INFORMATION& info) {
    const std::wstring path = WidePath(source);
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return INVALID_HANDLE_VALUE;
    }
    if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return file;
    }
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
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

// Copies up to one chunk; answers the bytes copied (0 at the end of the source) or -1.
std::int64_t CopyChunk(HANDLE in, HANDLE out, char* buffer) {
    std::int64_t done = 0;
    while (done < kChunkBytes) {
        DWORD read = 0;
        if (!ReadFile(in, buffer, kBufferBytes, &read, nullptr)) {
            return -1;
        }
        if (read == 0) {
            break;
        }
        if (!WriteAll(out, buffer, read)) {
            return -1;
        }
        done += read;
    }
    return done;
}

std::int64_t SizeOf(const BY_HANDLE_FILE_INFORMATION& info) {
    return static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
}

} // namespace

CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks, int& error,
                       std::int64_t expectedSize) {
    // Taken where the failure happens: the clean-up on the way out may change the last error.
    auto failed = [&error] {
        DWORD code = GetLastError();
        error = code == ERROR_INVALID_FUNCTION ? EINVAL : ErrnoOf(code);
        return CopyResult::Failed;
    };
    BY_HANDLE_FILE_INFORMATION info{};
    FileHandle in(OpenRegularSource(source, info));
    if (!in.valid()) {
        return failed();
    }
    const std::int64_t size = SizeOf(info);
    if (expectedSize >= 0 && size != expectedSize) {
        return CopyResult::SizeChanged;
    }
    TemporaryFile out(target);
    if (!out.valid()) {
        return failed();
    }
    auto buffer = std::make_unique_for_overwrite<char[]>(kBufferBytes);
    std::int64_t copied = 0;
    for (;;) {
        std::int64_t n = CopyChunk(in.get(), out.handle(), buffer.get());
        if (n < 0) {
            return failed();
        }
        if (n == 0) {
            break;
        }
        copied += n;
        // Only between chunks: once the last byte is in, the file is finished, not cancelled.
        if (copied < size && betweenChunks && !betweenChunks()) {
            return CopyResult::Cancelled;
        }
    }
    if (!SetFileTime(out.handle(), nullptr, nullptr, &info.ftLastWriteTime) || !out.Close() ||
        !out.RenameTo(target, info.dwFileAttributes & kKeptAttributes)) {
        return failed();
    }
    return CopyResult::Copied;
}

CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks) {
    int ignored = 0;
    return CopyOneFile(source, target, betweenChunks, ignored);
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
    error = ErrnoOf(code);
    return false;
}

} // namespace arbolink
