// SPDX-License-Identifier: GPL-3.0-or-later
// Win32 backend of the path and folder operations, through the wide-character calls.
#include "fs/Folders.h"

#include "fs/Encoding.h"
#include "fs/FileHandle_win32.h"
#include "fs/FolderWalk_win32.h"
#include "fs/PathSteps.h"
#include "fs/WideText_win32.h"

#include <algorithm>
#include <cerrno>
#include <windows.h>

namespace arbolink {

namespace {

// Closes a directory listing when it goes out of scope.
class Listing {
public:
    explicit Listing(const std::string& folderPrefix) {
        handle_ = FindFirstFileExW(WidePath(folderPrefix + "*").c_str(), FindExInfoBasic, &data_,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    }
    ~Listing() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;

    // The next entry other than "." and ".."; false at the end or on a failure, which
    // Failed() then tells apart.
    bool Next(WIN32_FIND_DATAW& entry) {
        while (handle_ != INVALID_HANDLE_VALUE) {
            if (pending_) {
                pending_ = false;
            } else if (!FindNextFileW(handle_, &data_)) {
                failed_ = GetLastError() != ERROR_NO_MORE_FILES;
                return false;
            }
            if (!IsDotEntry(data_.cFileName)) {
                entry = data_;
                return true;
            }
        }
        return false;
    }
    bool Opened() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Failed() const { return failed_; }

private:
    static bool IsDotEntry(const wchar_t* name) {
        return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data_{};
    bool pending_ = true;
    bool failed_ = false;
};

bool IsReparsePoint(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsDirectory(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A symbolic link or a junction (which mounted volumes are as well). Other reparse points,
// such as files kept by a cloud service, are ordinary files and folders to us.
bool IsLink(const WIN32_FIND_DATAW& entry) {
    return IsReparsePoint(entry) && (entry.dwReserved0 == IO_REPARSE_TAG_SYMLINK ||
                                     entry.dwReserved0 == IO_REPARSE_TAG_MOUNT_POINT);
}

std::int64_t SizeOf(const WIN32_FIND_DATAW& entry) {
    return static_cast<std::int64_t>((std::uint64_t{entry.nFileSizeHigh} << 32) |
                                     entry.nFileSizeLow);
}

// Opens what the path names, following links, for reading its attributes only.
HANDLE OpenForAttributes(const std::string& path) {
    return CreateFileW(WidePath(path).c_str(), FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Follows a link to a file once: its target's size, or a dangling link.
EntryKind KindOfFileLink(const std::string& path, std::int64_t& size) {
    FileHandle target(OpenForAttributes(path));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!target.valid() || !GetFileInformationByHandle(target.get(), &info)) {
        return GetLastError() == ERROR_CANT_RESOLVE_FILENAME ? EntryKind::LinkLoop
                                                             : EntryKind::DanglingLink;
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EntryKind::LinkToFolder;
    }
    size = static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    return EntryKind::File;
}

EntryKind KindOfEntry(const std::string& folderPrefix, const WIN32_FIND_DATAW& entry,
                      std::int64_t& size) {
    if (IsDirectory(entry)) {
        return IsLink(entry) ? EntryKind::LinkToFolder : EntryKind::Folder;
    }
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        return EntryKind::Special;
    }
    if (IsLink(entry)) {
        return KindOfFileLink(folderPrefix + Narrow(entry.cFileName), size);
    }
    size = SizeOf(entry);
    return EntryKind::File;
}

// A read-only entry cannot be deleted: its attributes go first. Whether that worked shows
// in the deletion that follows.
void ClearReadOnly(const std::wstring& path, const WIN32_FIND_DATAW& entry) {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

std::string ParentOf(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && (trimmed.back() == '\\' || trimmed.back() == '/')) {
        trimmed.pop_back();
    }
    std::size_t separator = trimmed.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : trimmed.substr(0, separator + 1);
}

DWORD AttributesOf(const std::string& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(WidePath(path).c_str());
}

// Reads the rest of an open file into bytes; false on a read error or past maxBytes (a file
// may grow after its size was looked at).
bool ReadHandle(HANDLE file, std::string& bytes, std::int64_t maxBytes) {
    bytes.clear();
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        bytes.append(buffer, read);
        if (static_cast<std::int64_t>(bytes.size()) > maxBytes) {
            return false;
        }
    }
}

// What the walk met at path, held open in the handle: 0 for a real folder, ELOOP for a link
// or a junction, ENOTDIR for anything else.
int WalkedKind(HANDLE handle) {
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &info, sizeof info)) {
        return ErrnoOfWin32(GetLastError());
    }
    if ((info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
        (info.ReparseTag == IO_REPARSE_TAG_SYMLINK ||
         info.ReparseTag == IO_REPARSE_TAG_MOUNT_POINT)) {
        return ELOOP;
    }
    return (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ENOTDIR;
}

} // namespace

int ErrnoOfWin32(DWORD error) {
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

bool HeldFolders::Open(const std::string& root, std::string_view relative, bool create,
                       FolderWalkStop& stop) {
    handles_.clear();
    if (create && !root.empty() && !CreateFolders(root)) {
        stop = {root, ErrnoOfWin32(GetLastError())};
        return false;
    }
    std::string walked = AddBackslash(root);
    const bool through = WalkPathSteps(relative, "\\/", '\\', walked, stop, [&](std::string_view) {
        const std::wstring wide = WidePath(walked);
        if (create && !CreateDirectoryW(wide.c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            stop = {walked, ErrnoOfWin32(GetLastError())};
            return false;
        }
        auto handle = std::make_unique<FileHandle>(CreateFileW(
            wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!handle->valid()) {
            stop = {walked, ErrnoOfWin32(GetLastError())};
            return false;
        }
        if (const int kind = WalkedKind(handle->get()); kind != 0) {
            stop = {walked, kind};
            return false;
        }
        handles_.push_back(std::move(handle));
        return true;
    });
    if (!through) {
        return false;
    }
    path_ = walked;
    return true;
}

bool CreateFoldersBelow(const std::string& root, std::string_view relative, FolderWalkStop& stop) {
    HeldFolders folders;
    return folders.Open(root, relative, true, stop);
}

bool RemoveTemporaryFiles(const std::string& folder) {
    const std::string prefix = AddBackslash(folder);
    Listing listing(prefix);
    WIN32_FIND_DATAW entry;
    bool ok = true;
    while (listing.Next(entry)) {
        const std::string name = Narrow(entry.cFileName);
        if (!IsTemporaryName(name) || IsDirectory(entry)) {
            continue;
        }
        const std::wstring path = WidePath(prefix + name);
        ClearReadOnly(path, entry);
        ok = DeleteFileW(path.c_str()) != 0 && ok;
    }
    return ok;
}

bool FolderHasEntries(const std::string& folder) {
    Listing listing(AddBackslash(folder));
    WIN32_FIND_DATAW entry;
    return listing.Next(entry);
}

bool DeleteFolderContents(const std::string& folder, const std::string& emptyingFolder) {
    const std::string prefix = AddBackslash(folder);
    bool ok = true;
    Listing listing(prefix);
    WIN32_FIND_DATAW entry;
    while (listing.Next(entry)) {
        const std::string path = prefix + Narrow(entry.cFileName);
        const std::wstring widePath = WidePath(path);
        ClearReadOnly(widePath, entry);
        if (!IsDirectory(entry)) {
            ok = DeleteFileW(widePath.c_str()) != 0 && ok;
        } else if (IsLink(entry)) {
            // A junction or a link to a folder goes by itself; what it points at stays.
            ok = RemoveDirectoryW(widePath.c_str()) != 0 && ok;
        } else {
            ok = DeleteFolderContents(path, emptyingFolder) && ok;
        }
    }
    if (folder != emptyingFolder) {
        ok = RemoveDirectoryW(WidePath(folder).c_str()) != 0 && ok;
    }
    return ok;
}

bool SameFileName(std::string_view a, std::string_view b) {
    return UpperCase(a) == UpperCase(b);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) {
    DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool EntryExists(const std::string& path) {
    return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool FolderTakesFiles(const std::string& folder) {
    if (!FolderExists(folder)) {
        return false;
    }
    // The read-only attribute of a folder means nothing to Windows: only a file created
    // there tells. It is gone again when its handle closes.
    FileHandle probe(CreateFileW(WidePath(AddBackslash(folder) + "~arbolink-probe.tmp").c_str(),
                                 GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return probe.valid() || GetLastError() == ERROR_FILE_EXISTS;
}

LetterCase ProbeLetterCase(const std::string& folder) {
    const std::string prefix = AddBackslash(folder);
    const std::string name = TemporaryName();
    // Gone again when its handle closes.
    FileHandle probe(CreateFileW(WidePath(prefix + name).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                 nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!probe.valid()) {
        return LetterCase::Unknown;
    }
    return GetFileAttributesW(WidePath(prefix + UpperCase(name)).c_str()) != INVALID_FILE_ATTRIBUTES
               ? LetterCase::Folded
               : LetterCase::Kept;
}

std::int64_t FileSizeOf(const std::string& path) {
    if (path.empty()) {
        return -1;
    }
    FileHandle file(OpenForAttributes(path));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
}

bool CreateFolders(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (FolderExists(path)) {
        return true;
    }
    std::string parent = ParentOf(path);
    if (!parent.empty() && parent != path && !FolderExists(parent) && !CreateFolders(parent)) {
        return false;
    }
    return CreateDirectoryW(WidePath(path).c_str(), nullptr) != 0 || FolderExists(path);
}

bool IsDriveRoot(const std::string& folder) {
    // A drive root is written as its letter, a colon and the separator: "a:\".
    const std::string prefix = AddBackslash(folder);
    const char letter = static_cast<char>(prefix.empty() ? 0 : prefix[0] | 0x20);
    return prefix.size() == 3 && letter >= 'a' && letter <= 'z' && prefix[1] == ':';
}

std::string ProgramFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

bool ListFolder(const std::string& folderPrefix, bool withSizes,
                std::vector<FolderEntry>& entries) {
    Listing listing(folderPrefix);
    if (!listing.Opened()) {
        return false;
    }
    WIN32_FIND_DATAW entry;
    while (listing.Next(entry)) {
        FolderEntry item;
        item.name = Narrow(entry.cFileName);
        std::int64_t size = 0;
        item.kind = KindOfEntry(folderPrefix, entry, size);
        item.size = withSizes ? size : 0;
        entries.push_back(std::move(item));
    }
    return !listing.Failed();
}

// The listing itself gives the sizes here: no stamp is needed to spare a second listing.
bool ListFolderStamped(const std::string& folderPrefix, std::vector<FolderEntry>& entries,
                       FolderStamp& stamp) {
    stamp = {};
    return ListFolder(folderPrefix, false, entries);
}

bool SizeListedEntries(const std::string&, const FolderStamp&, std::vector<FolderEntry>&) {
    return false;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string folder = ParentOf(path);
    std::wstring temporary;
    FileHandle file(INVALID_HANDLE_VALUE);
    for (int attempt = 0; attempt < 100 && !file.valid(); ++attempt) {
        temporary = WidePath(folder + TemporaryName());
        file.Reset(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid() && GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (!file.valid()) {
        return false;
    }
    std::size_t written = 0;
    bool ok = true;
    while (ok && written < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1 << 20));
        DWORD done = 0;
        ok = WriteFile(file.get(), bytes.data() + written, chunk, &done, nullptr) != 0 && done > 0;
        written += done;
    }
    ok = ok && FlushFileBuffers(file.get()) != 0;
    ok = file.Close() && ok;
    ok = ok && MoveFileExW(temporary.c_str(), WidePath(path).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileW(temporary.c_str());
    }
    return ok;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::int64_t maxBytes) {
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    return file.valid() && GetFileType(file.get()) == FILE_TYPE_DISK &&
           GetFileSizeEx(file.get(), &size) && size.QuadPart <= maxBytes &&
           ReadHandle(file.get(), bytes, maxBytes);
}

PlainRead ReadPlainFile(const std::string& path, std::string& bytes, std::int64_t maxBytes) {
    // The reparse point itself is opened, never its target; folders open too, so that their
    // kind is seen on the handle rather than in a failure to open.
    FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT |
                                    FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) {
        return PlainRead::Unreadable;
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
        return PlainRead::NotPlain;
    }
    const std::int64_t size =
        (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > maxBytes) {
        return PlainRead::TooLarge;
    }
    if (!ReadHandle(file.get(), bytes, maxBytes)) {
        return static_cast<std::int64_t>(bytes.size()) > maxBytes ? PlainRead::TooLarge
                                                                  : PlainRead::Unreadable;
    }
    return PlainRead::Read;
}

} // namespace arbolink
