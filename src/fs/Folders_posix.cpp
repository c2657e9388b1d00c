// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX backend of the path and folder operations.
#include "fs/Folders.h"

#include "fs/Encoding.h"
#include "fs/FolderWalk_posix.h"
#include "fs/PathSteps.h"
#include "fs/SharedLoop.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/openat2.h>
#include <sys/syscall.h>
#endif

namespace arbolink {

namespace {

// Closes a directory stream when it goes out of scope.
class DirStream {
public:
    explicit DirStream(DIR* dir) : dir_(dir) {}
    ~DirStream() {
        if (dir_ != nullptr) {
            closedir(dir_);
        }
    }
    DirStream(const DirStream&) = delete;
    DirStream& operator=(const DirStream&) = delete;
    DIR* get() const { return dir_; }

private:
    DIR* dir_;
};

// Closes a file descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    void Reset(int fd) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = fd;
    }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool IsDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

EntryKind KindOfLinkTarget(int dirFd, const char* name, std::int64_t& size) {
    struct stat target {};
    if (fstatat(dirFd, name, &target, 0) != 0) {
        return errno == ELOOP ? EntryKind::LinkLoop : EntryKind::DanglingLink;
    }
    if (S_ISDIR(target.st_mode)) {
        return EntryKind::LinkToFolder;
    }
    if (S_ISREG(target.st_mode)) {
        size = target.st_size;
        return EntryKind::File;
    }
    return EntryKind::Special;
}

// The kind of the entry name of type (a dirent's d_type, DT_UNKNOWN when not known).
EntryKind KindOfEntry(int dirFd, const char* name, unsigned char type, bool withSizes,
                      std::int64_t& size) {
    if (type == DT_DIR && !withSizes) {
        return EntryKind::Folder;
    }
    if (type == DT_REG && !withSizes) {
        return EntryKind::File;
    }
    if (type == DT_LNK) {
        return KindOfLinkTarget(dirFd, name, size);
    }
    if (type == DT_FIFO || type == DT_SOCK || type == DT_CHR || type == DT_BLK) {
        return EntryKind::Special;
    }
    struct stat info {};
    if (fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return EntryKind::DanglingLink;
    }
    if (S_ISLNK(info.st_mode)) {
        return KindOfLinkTarget(dirFd, name, size);
    }
    if (S_ISDIR(info.st_mode)) {
        return EntryKind::Folder;
    }
    if (S_ISREG(info.st_mode)) {
        size = info.st_size;
        return EntryKind::File;
    }
    return EntryKind::Special;
}

// Empties the folder open as dirFd. Sub-folders are emptied and removed unless their path
// equals emptyingFolder; a folder on another device (a mount point) is never entered.
bool DeleteContentsAt(int dirFd, const std::string& prefix, dev_t device,
                      const std::string& emptyingFolder) {
    FileDescriptor listFd(dup(dirFd));
    if (listFd.get() < 0) {
        return false;
    }
    DirStream dir(fdopendir(listFd.get()));
    if (dir.get() == nullptr) {
        return false;
    }
    listFd.release();
    bool ok = true;
    while (dirent* entry = readdir(dir.get())) {
        if (IsDotEntry(entry->d_name)) {
            continue;
        }
        struct stat info {};
        if (fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            ok = false;
            continue;
        }
        if (!S_ISDIR(info.st_mode)) {
            ok = unlinkat(dirFd, entry->d_name, 0) == 0 && ok;
            continue;
        }
        if (info.st_dev != device) {
            ok = false; // a mounted volume below the folder stays untouched
            continue;
        }
        // A folder without write or search permission for us is the analogue of a
        // read-only folder: make it ours to empty first. One we may not change stays whole
        // and counts as not emptied.
        if ((info.st_mode & S_IRWXU) != S_IRWXU &&
            fchmodat(dirFd, entry->d_name, info.st_mode | S_IRWXU, 0) != 0) {
            ok = false;
            continue;
        }
        std::string path = prefix + entry->d_name;
        FileDescriptor child(
            openat(dirFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (child.get() >= 0) {
            ok = DeleteContentsAt(child.get(), AddBackslash(path), device, emptyingFolder) && ok;
        } else {
            ok = false;
        }
        if (path != emptyingFolder) {
            ok = unlinkat(dirFd, entry->d_name, AT_REMOVEDIR) == 0 && ok;
        }
    }
    return ok;
}

std::string ParentOf(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    std::size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : trimmed.substr(0, slash);
}

// Reads the rest of an open file into bytes; false on a read error or past maxBytes (a file
// may grow after its size was looked at).
bool ReadDescriptor(int fd, std::string& bytes, std::int64_t maxBytes) {
    bytes.clear();
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (static_cast<std::int64_t>(bytes.size()) > maxBytes) {
            return false;
        }
    }
}

#ifdef O_PATH
// Enough to walk through and to create or rename in, without the right to list the folder.
constexpr int kWalkFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#else
constexpr int kWalkFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

// Why the entry name in the folder dirFd could not be walked through: a link (ELOOP) or
// another kind of entry (ENOTDIR), whatever the open said of it.
int WhyNotWalked(int dirFd, const std::string& name, int error) {
    struct stat info {};
    if ((error == ELOOP || error == ENOTDIR) &&
        fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        return S_ISLNK(info.st_mode) ? ELOOP : ENOTDIR;
    }
    return error;
}

// Opens the folder name below dirFd, creating it first when asked and missing.
int OpenOrCreateAt(int dirFd, const std::string& name, bool create) {
    int fd = openat(dirFd, name.c_str(), kWalkFlags);
    if (fd < 0 && errno == ENOENT && create) {
        if (mkdirat(dirFd, name.c_str(), 0777) != 0 && errno != EEXIST) {
            return -1;
        }
        fd = openat(dirFd, name.c_str(), kWalkFlags);
    }
    return fd;
}

// The folder path (relative to dirFd, or absolute) in one call where the kernel can refuse
// every link on the way itself; -1 where it cannot or where the walk stops, which the walk
// one name at a time then tells in detail.
int OpenWithoutLinks(int dirFd, const std::string& path, bool beneath) {
#if defined(__linux__) && defined(SYS_openat2)
    open_how how{};
    how.flags = kWalkFlags & ~O_NOFOLLOW;
    how.resolve = RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | (beneath ? RESOLVE_BENEATH : 0);
    return static_cast<int>(syscall(SYS_openat2, dirFd, path.c_str(), &how, sizeof how));
#else
    (void)dirFd;
    (void)path;
    (void)beneath;
    return -1;
#endif
}

bool HasParentStep(std::string_view relative) {
    return relative == ".." || relative.starts_with("../") || relative.ends_with("/..") ||
           relative.find("/../") != std::string_view::npos;
}

} // namespace

int OpenFolderBelow(const std::string& root, std::string_view relative, bool create,
                    FolderWalkStop& stop) {
    std::string walked = root.empty() ? std::string(".") : root;
    const bool walkable = relative.find_first_not_of('/') != std::string_view::npos;
    // Most often no link lies on the whole path, the root's own part included: one call.
    if (walkable && !create && !HasParentStep(relative)) {
        const int below =
            OpenWithoutLinks(AT_FDCWD, AddBackslash(walked) + std::string(relative), false);
        if (below >= 0) {
            return below;
        }
    }
    FileDescriptor fd(open(walked.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 && errno == ENOENT && create && CreateFolders(walked)) {
        fd.Reset(open(walked.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    if (fd.get() < 0) {
        stop = {walked, errno};
        return -1;
    }
    if (!walkable) {
        return fd.release();
    }
    if (!create && !HasParentStep(relative)) {
        const int below = OpenWithoutLinks(fd.get(), std::string(relative), true);
        if (below >= 0) {
            return below;
        }
    }
    walked = AddBackslash(walked);
    const bool through =
        WalkPathSteps(relative, "/", '/', walked, stop, [&](std::string_view step) {
            const std::string name(step);
            const int next = OpenOrCreateAt(fd.get(), name, create);
            if (next < 0) {
                stop = {walked, WhyNotWalked(fd.get(), name, errno)};
                return false;
            }
            fd.Reset(next);
            return true;
        });
    return through ? fd.release() : -1;
}

bool CreateFoldersBelow(const std::string& root, std::string_view relative, FolderWalkStop& stop) {
    FileDescriptor fd(OpenFolderBelow(root, relative, true, stop));
    return fd.get() >= 0;
}

bool RemoveTemporaryFiles(const std::string& folder) {
    DirStream dir(opendir(folder.c_str()));
    if (dir.get() == nullptr) {
        return errno == ENOENT;
    }
    const int dirFd = dirfd(dir.get());
    bool ok = true;
    while (dirent* entry = readdir(dir.get())) {
        struct stat info {};
        if (!IsTemporaryName(entry->d_name) ||
            fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            S_ISDIR(info.st_mode)) {
            continue;
        }
        ok = unlinkat(dirFd, entry->d_name, 0) == 0 && ok;
    }
    return ok;
}

bool FolderHasEntries(const std::string& folder) {
    DirStream dir(opendir(AddBackslash(folder).c_str()));
    if (dir.get() == nullptr) {
        return false;
    }
    while (dirent* entry = readdir(dir.get())) {
        if (!IsDotEntry(entry->d_name)) {
            return true;
        }
    }
    return false;
}

bool DeleteFolderContents(const std::string& folder, const std::string& emptyingFolder) {
    std::string prefix = AddBackslash(folder);
    bool ok = true;
    struct stat info {};
    FileDescriptor fd(open(prefix.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() >= 0 && fstat(fd.get(), &info) == 0) {
        ok = DeleteContentsAt(fd.get(), prefix, info.st_dev, emptyingFolder);
    }
    if (folder != emptyingFolder) {
        ok = rmdir(folder.c_str()) == 0 && ok;
    }
    return ok;
}

bool SameFileName(std::string_view a, std::string_view b) {
    return a == b;
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool EntryExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && lstat(path.c_str(), &info) == 0;
}

bool FolderTakesFiles(const std::string& folder) {
    // access() answers EROFS on a read-only file system even for root.
    return FolderExists(folder) && access(folder.c_str(), W_OK | X_OK) == 0;
}

LetterCase ProbeLetterCase(const std::string& folder) {
    const std::string prefix = AddBackslash(folder);
    const std::string name = TemporaryName();
    FileDescriptor probe(
        open((prefix + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (probe.get() < 0) {
        return LetterCase::Unknown;
    }
    struct stat info {};
    const bool folded = lstat((prefix + UpperCase(name)).c_str(), &info) == 0;
    unlink((prefix + name).c_str());
    return folded ? LetterCase::Folded : LetterCase::Kept;
}

std::int64_t FileSizeOf(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return -1;
    }
    return info.st_size;
}

bool CreateFolders(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (FolderExists(path)) {
        return true;
    }
    std::string parent = ParentOf(path);
    if (parent != path && !FolderExists(parent) && !CreateFolders(parent)) {
        return false;
    }
    return mkdir(path.c_str(), 0777) == 0 || FolderExists(path);
}

bool IsDriveRoot(const std::string& folder) {
    struct stat self {};
    struct stat parent {};
    std::string prefix = AddBackslash(folder);
    if (stat(prefix.c_str(), &self) != 0 || stat((prefix + "..").c_str(), &parent) != 0) {
        return false;
    }
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

std::string ProgramFilePath() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof buffer)) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

namespace {

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FolderStamp StampOf(int dirFd) {
    struct stat info {};
    FolderStamp stamp;
    if (fstat(dirFd, &info) == 0) {
        stamp.known = true;
        stamp.device = static_cast<std::uint64_t>(info.st_dev);
        stamp.inode = static_cast<std::uint64_t>(info.st_ino);
        stamp.modified = Nanoseconds(info.st_mtim);
        stamp.changed = Nanoseconds(info.st_ctim);
    }
    return stamp;
}

bool ReadEntries(DIR* dir, bool withSizes, std::vector<FolderEntry>& entries) {
    const int dirFd = dirfd(dir);
    errno = 0;
    while (dirent* entry = readdir(dir)) {
        if (IsDotEntry(entry->d_name)) {
            continue;
        }
        FolderEntry item;
        item.name = entry->d_name;
        item.kind = KindOfEntry(dirFd, entry->d_name, entry->d_type, withSizes, item.size);
        entries.push_back(std::move(item));
        errno = 0;
    }
    return errno == 0;
}

} // namespace

bool ListFolder(const std::string& folderPrefix, bool withSizes,
                std::vector<FolderEntry>& entries) {
    DirStream dir(opendir(folderPrefix.c_str()));
    return dir.get() != nullptr && ReadEntries(dir.get(), withSizes, entries);
}

bool ListFolderStamped(const std::string& folderPrefix, std::vector<FolderEntry>& entries,
                       FolderStamp& stamp) {
    DirStream dir(opendir(folderPrefix.c_str()));
    if (dir.get() == nullptr) {
        stamp = {};
        return false;
    }
    stamp = StampOf(dirfd(dir.get()));
    return ReadEntries(dir.get(), false, entries);
}

bool SizeListedEntries(const std::string& folderPrefix, const FolderStamp& stamp,
                       std::vector<FolderEntry>& entries) {
    FileDescriptor fd(open(folderPrefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || !StampOf(fd.get()).Matches(stamp)) {
        return false;
    }
    // A stat per file is most of a planning's time: a large folder's are shared with a second
    // thread. Starting it costs about as much as a few dozen stats.
    constexpr std::size_t kSharedFrom = 64;
    ShareLoop(entries.size(), kSharedFrom, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            // Only a file's size is new; a folder stays one, and what is left behind stays so.
            FolderEntry& entry = entries[i];
            if (entry.kind == EntryKind::File) {
                entry.kind =
                    KindOfEntry(fd.get(), entry.name.c_str(), DT_UNKNOWN, true, entry.size);
            }
        }
    });
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string temporary;
    FileDescriptor fd(-1);
    for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
        temporary = folder + TemporaryName();
        fd.Reset(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.get() < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd.get() < 0) {
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        ssize_t n = write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            unlink(temporary.c_str());
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    if (fsync(fd.get()) != 0 || close(fd.release()) != 0 ||
        rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::int64_t maxBytes) {
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    return fd.get() >= 0 && fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_size <= maxBytes && ReadDescriptor(fd.get(), bytes, maxBytes);
}

PlainRead ReadPlainFile(const std::string& path, std::string& bytes, std::int64_t maxBytes) {
    FileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0) {
        return errno == ELOOP ? PlainRead::NotPlain : PlainRead::Unreadable;
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        return PlainRead::Unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        return PlainRead::NotPlain;
    }
    if (info.st_size > maxBytes) {
        return PlainRead::TooLarge;
    }
    if (!ReadDescriptor(fd.get(), bytes, maxBytes)) {
        return static_cast<std::int64_t>(bytes.size()) > maxBytes ? PlainRead::TooLarge
                                                                  : PlainRead::Unreadable;
    }
    return PlainRead::Read;
}

} // namespace arbolink
