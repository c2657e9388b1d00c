// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX backend of the shell items' operations. Every entry is looked at with lstat, so a
// symbolic link is handled as the link itself.
#include "fs/ShellItems.h"

#include "fs/Copy.h"
#include "fs/Folders.h"
#include "fs/MountTable.h"
#include "fs/ShellItemMove.h"
#include "fs/TreePaths.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace arbolink {

namespace {

namespace stdfs = std::filesystem;

ItemResult Failed(int error) {
    return {false, error != 0 ? error : EIO, {}};
}

ItemResult Done(const std::string& path) {
    return {true, 0, path};
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

std::string WithoutFinalSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string NameOf(const std::string& item) {
    return stdfs::path(WithoutFinalSeparators(item)).filename().string();
}

std::string FolderOf(const std::string& item) {
    std::string folder = stdfs::path(WithoutFinalSeparators(item)).parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string Canonical(const std::string& folder) {
    std::error_code error;
    std::string canonical = stdfs::weakly_canonical(stdfs::absolute(folder), error).string();
    return WithoutFinalSeparators(error ? folder : canonical);
}

// The item's own place: its folder resolved, its name kept (the item may be a link).
std::string CanonicalItem(const std::string& item) {
    return ChildPath(Canonical(FolderOf(item)), NameOf(item));
}

bool IsInside(const std::string& folder, const std::string& item) {
    return IsAtOrBelow(Canonical(folder), CanonicalItem(item));
}

// Copies one entry and, for a folder, everything below it that lies on the same volume.
class TreeCopy {
public:
    explicit TreeCopy(dev_t device) : device_(device) {}

    void Entry(const std::string& source, const std::string& target) {
        struct stat info {};
        if (lstat(source.c_str(), &info) != 0) {
            Fail(errno);
        } else if (S_ISLNK(info.st_mode)) {
            Link(source, target);
        } else if (S_ISREG(info.st_mode)) {
            File(source, target);
        } else if (!S_ISDIR(info.st_mode)) {
            Fail(ENOTSUP);
        } else if (info.st_dev != device_) {
            Fail(EXDEV);
        } else {
            Folder(source, target, info.st_mode);
        }
    }

    int error() const { return error_; }

private:
    void Fail(int error) {
        if (error_ == 0) {
            error_ = error != 0 ? error : EIO;
        }
    }

    void Link(const std::string& source, const std::string& target) {
        std::error_code error;
        stdfs::path destination = stdfs::read_symlink(source, error);
        if (error || symlink(destination.c_str(), target.c_str()) != 0) {
            Fail(error ? error.value() : errno);
        }
    }

    void File(const std::string& source, const std::string& target) {
        int error = 0;
        if (CopyOneFile(
                source, target, [] { return true; }, error) != CopyResult::Copied) {
            Fail(error);
        }
    }

    void Folder(const std::string& source, const std::string& target, mode_t mode) {
        // Ours to fill until everything is in; the source's permissions come last.
        if (mkdir(target.c_str(), 0700) != 0) {
            Fail(errno);
            return;
        }
        std::vector<FolderEntry> entries;
        if (!ListFolder(AddBackslash(source), false, entries)) {
            Fail(errno);
        }
        for (const FolderEntry& entry : entries) {
            Entry(ChildPath(source, entry.name), ChildPath(target, entry.name));
        }
        if (chmod(target.c_str(), mode & 07777) != 0) {
            Fail(errno);
        }
    }

    dev_t device_;
    int error_ = 0;
};

// Copies item to the path target, which must not exist.
ItemResult CopyTo(const std::string& item, const std::string& target) {
    struct stat info {};
    if (lstat(item.c_str(), &info) != 0) {
        return Failed(errno);
    }
    TreeCopy copy(info.st_dev);
    copy.Entry(item, target);
    return copy.error() == 0 ? Done(target) : ItemResult{false, copy.error(), target};
}

bool IsFolderItem(const std::string& item) {
    struct stat info {};
    return lstat(item.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// rename without replacing; file systems without the flag get a check just before.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    if (Exists(to)) {
        return EEXIST;
    }
    return rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

bool SameEntry(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return lstat(a.c_str(), &first) == 0 && lstat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

bool IsValidItemName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

ItemResult RenameItem(const std::string& item, const std::string& newName) {
    if (!IsValidItemName(newName)) {
        return Failed(EINVAL);
    }
    std::string target = ChildPath(FolderOf(item), newName);
    int error = RenameNoReplace(item, target);
    // A case-blind volume finds the new spelling of the same name taken by the item itself.
    if (error == EEXIST && SameEntry(item, target)) {
        error = rename(item.c_str(), target.c_str()) == 0 ? 0 : errno;
    }
    return error == 0 ? Done(target) : Failed(error);
}

ItemResult CopyItemInto(const std::string& item, const std::string& folder) {
    if (!Exists(item)) {
        return Failed(errno);
    }
    bool isFolder = IsFolderItem(item);
    if (isFolder && IsInside(folder, item)) {
        return Failed(EINVAL);
    }
    std::string target = ChildPath(folder, FreeNameIn(folder, NameOf(item), isFolder));
    return CopyTo(item, target);
}

ItemResult MoveItemInto(const std::string& item, const std::string& folder) {
    if (!Exists(item)) {
        return Failed(errno);
    }
    if (Canonical(FolderOf(item)) == Canonical(folder)) {
        return Done(item);
    }
    bool isFolder = IsFolderItem(item);
    if (isFolder && IsDriveRoot(item)) {
        return Failed(EBUSY);
    }
    if (isFolder && IsInside(folder, item)) {
        return Failed(EINVAL);
    }
    return MoveToFreePath(item, ChildPath(folder, NameOf(item)), RenameNoReplace, CopyTo);
}

ItemResult CreateLinkIn(const std::string& item, const std::string& folder,
                        const std::string& linkName) {
    if (!IsValidItemName(linkName)) {
        return Failed(EINVAL);
    }
    std::string link = ChildPath(folder, FreeNameIn(folder, linkName, false));
    std::string destination = stdfs::absolute(item).lexically_normal().string();
    if (symlink(WithoutFinalSeparators(destination).c_str(), link.c_str()) != 0) {
        return Failed(errno);
    }
    return Done(link);
}

ItemResult DeleteItem(const std::string& item) {
    struct stat info {};
    if (lstat(item.c_str(), &info) != 0) {
        return Failed(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return unlink(item.c_str()) == 0 ? Done(item) : Failed(errno);
    }
    if (IsDriveRoot(item)) {
        return Failed(EBUSY);
    }
    errno = 0;
    return DeleteFolderContents(WithoutFinalSeparators(item), "") ? Done(item) : Failed(errno);
}

} // namespace arbolink
