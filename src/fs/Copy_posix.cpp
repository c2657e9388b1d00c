// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX backend of the file copy: copy_file_range where the kernel offers it between the two
// file systems, read/write otherwise. The copy goes to an unnamed file in the target's folder,
// or one of a temporary name, and takes the target's name only when complete.
#include "fs/Copy.h"

#include "fs/ChunkHasher.h"
#include "fs/CopyCalls_posix.h"
#include "fs/FolderWalk_posix.h"
#include "fs/Folders.h"
#include "fs/FreeName.h"
#include "fs/UnnamedFile_posix.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace arbolink {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{8} << 20;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Where the copy is written: a folder (a descriptor, or AT_FDCWD with the folder's path as
// prefix) and the target's name in it.
struct TargetPlace {
    int folderFd = AT_FDCWD;
    std::string prefix;
    std::string name;
};

// The file a copy is written to until it is complete. Where the file system allows it, the
// file has no name at all (O_TMPFILE) and is linked into place at the end: a copy cut short,
// even by a crash, leaves nothing behind. Elsewhere (FAT, NFS) it is a file of a temporary
// name in the target's folder, removed unless renamed to the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const TargetPlace& place)
        : calls_(ActiveCopyCalls()), folderFd_(place.folderFd) {
        const std::string folder = place.prefix.empty() ? "." : place.prefix;
        fd_ = calls_.openUnnamed(folderFd_, folder.c_str());
        unnamed_ = fd_ >= 0;
        if (!unnamed_ && !UnnamedUnsupported(errno)) {
            return;
        }
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = place.prefix + TemporaryName();
            fd_ = openat(folderFd_, path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd_ < 0 && errno != EEXIST) {
                break;
            }
        }
        if (fd_ < 0) {
            path_.clear();
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
        if (!path_.empty()) {
            unlinkat(folderFd_, path_.c_str(), 0);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    int fd() const { return fd_; }

    // Ends the writing. A named file is closed now, so that a late write error (NFS, FUSE) is
    // seen before it takes the target's name; an unnamed one stays open to be linked.
    bool FinishWriting() { return unnamed_ || CloseNow(); }

    // Gives the file the target's name, replacing what has it; rename never follows a link at
    // the target's name: the link itself is replaced.
    bool RenameTo(const TargetPlace& place) {
        const std::string target = place.prefix + place.name;
        if (unnamed_) {
            const int error = LinkUnnamed(target);
            if (error != EEXIST) {
                errno = error;
                return error == 0;
            }
            // Something has the name: the file gets a temporary one, to be renamed over it.
            if (!LinkUnderTemporaryName(place.prefix)) {
                return false;
            }
        }
        if (renameat(folderFd_, path_.c_str(), folderFd_, target.c_str()) != 0) {
            return false;
        }
        path_.clear();
        return true;
    }

    // Gives the file the path (in the same folder) unless something has it; 0 or the errno
    // value, EEXIST when the name is taken.
    int TakeName(const std::string& path) {
        if (unnamed_ && path_.empty()) {
            return LinkUnnamed(path);
        }
        if (calls_.renameNoReplace(folderFd_, path_.c_str(), path.c_str()) == 0) {
            path_.clear();
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
            return errno;
        }
        // Without the flag, a hard link refuses a taken name as well; the temporary name goes
        // with this object.
        if (calls_.link(folderFd_, path_.c_str(), path.c_str()) == 0) {
            return 0;
        }
        if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK) {
            return errno;
        }
        // Without hard links either (FAT), the name is looked up just before the rename: only
        // another program could slip a file in between, never this run's next copy.
        struct stat info {};
        if (fstatat(folderFd_, path.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
            return EEXIST;
        }
        if (errno != ENOENT) {
            return errno;
        }
        if (renameat(folderFd_, path_.c_str(), folderFd_, path.c_str()) != 0) {
            return errno;
        }
        path_.clear();
        return 0;
    }

private:
    // The answers of an open with O_TMPFILE from a file system or kernel without it.
    static bool UnnamedUnsupported(int error) {
        return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOENT;
    }

    bool CloseNow() {
        const int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }

    // Links the unnamed file at the path and closes it; 0 or the errno value. A close that
    // fails takes the name away again: what was written is not known to be there.
    int LinkUnnamed(const std::string& path) {
        if (calls_.linkUnnamed(fd_, folderFd_, path.c_str()) != 0) {
            return errno;
        }
        if (!CloseNow()) {
            const int error = errno;
            unlinkat(folderFd_, path.c_str(), 0);
            return error;
        }
        return 0;
    }

    bool LinkUnderTemporaryName(const std::string& prefix) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string path = prefix + TemporaryName();
            const int error = LinkUnnamed(path);
            if (error == 0) {
                path_ = path;
                return true;
            }
            if (error != EEXIST) {
                errno = error;
                return false;
            }
        }
        errno = EEXIST;
        return false;
    }

    const CopyCalls& calls_;
    int folderFd_;
    std::string path_; // the temporary name while the file has one
    int fd_ = -1;
    bool unnamed_ = false;
};

// Opens a regular file for reading without ever opening anything else: the kind is checked
// before the open (opening a device can act on it) and again on what was opened, and the
// open does not block, so a FIFO swapped in meanwhile cannot hang us. With links refused,
// neither the check nor the open follows one.
int OpenRegularSource(const std::string& source, SourceLinks links, struct stat& info) {
    const bool refuse = links == SourceLinks::Refuse;
    if (fstatat(AT_FDCWD, source.c_str(), &info, refuse ? AT_SYMLINK_NOFOLLOW : 0) != 0) {
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    int fd = open(source.c_str(),
                  O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        if (errno == ELOOP && refuse) {
            errno = EINVAL; // a link put in its place since the check
        }
        return -1;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

// Copies bytes between the two descriptors' current offsets, and knows which side failed.
// With a hasher every byte passes through it, read into its buffers: the kernel's own copy
// would keep the bytes from it.
class ChunkCopier {
public:
    ChunkCopier(int in, int out, ChunkHasher* hasher)
        : calls_(ActiveCopyCalls()), in_(in), out_(out), hasher_(hasher),
          useKernel_(hasher == nullptr) {}

    // Copies up to wanted bytes; answers the bytes copied (fewer only at the end of the
    // source) or -1, with errno and failedSide() set. toEnd: the wanted bytes are the last the
    // caller wants of the source, so a read may look one byte further.
    ssize_t Next(std::size_t wanted, bool toEnd) {
        std::size_t done = 0;
        while (done < wanted && !grew_) {
            ssize_t n = hasher_ != nullptr ? HashedCopy(wanted - done, toEnd)
                        : useKernel_       ? KernelCopy(wanted - done)
                                           : BufferCopy(wanted - done);
            if (n < 0) {
                return -1;
            }
            if (n == 0) {
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        return static_cast<ssize_t>(done);
    }

    // True when the source holds no byte after those copied; false with failedSide() set
    // when that cannot be read.
    bool AtEnd(bool& atEnd) {
        if (grew_ || endSeen_) {
            atEnd = !grew_;
            return true;
        }
        char byte = 0;
        for (;;) {
            ssize_t n = calls_.read(in_, &byte, 1);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                failedSide_ = CopySide::Source;
                return false;
            }
            atEnd = n == 0;
            return true;
        }
    }

    CopySide failedSide() const { return failedSide_; }

private:
    ssize_t KernelCopy(std::size_t size) {
        for (;;) {
            ssize_t n = calls_.copyRange(in_, out_, size);
            if (n >= 0) {
                return n;
            }
            if (errno == EINTR) {
                continue;
            }
            // Only the target runs out of room.
            if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG) {
                failedSide_ = CopySide::Target;
                return -1;
            }
            // The kernel cannot copy between these file systems, or failed without saying
            // which side: nothing moved, the offsets stand, and plain reads and writes take
            // over from here; they fail again, if they do, on the side that failed.
            useKernel_ = false;
            return BufferCopy(size);
        }
    }

    ssize_t BufferCopy(std::size_t size) {
        if (!buffer_) {
            buffer_ = std::make_unique_for_overwrite<char[]>(kBufferBytes);
        }
        const ssize_t n = ReadSome(buffer_.get(), size < kBufferBytes ? size : kBufferBytes);
        return n > 0 && !WriteOut(buffer_.get(), n) ? -1 : n;
    }

    // The chunk is handed to the hasher before it is written, so the two overlap. With a byte
    // to spare, the read at the end asks for one byte more than is wanted: a short answer
    // shows the end of the source without a read of its own.
    ssize_t HashedCopy(std::size_t size, bool toEnd) {
        char* buffer = hasher_->NextBuffer();
        const std::size_t room = hasher_->BufferBytes();
        const bool probe = toEnd && size < room;
        const ssize_t n = ReadSome(buffer, probe ? size + 1 : (size < room ? size : room));
        if (n <= 0) {
            return n;
        }
        auto got = static_cast<std::size_t>(n);
        if (probe && got >= size) {
            grew_ = got > size;
            endSeen_ = !grew_;
            got = size; // a byte past those wanted is never written
        }
        hasher_->Hand(buffer, got);
        return WriteOut(buffer, static_cast<ssize_t>(got)) ? static_cast<ssize_t>(got) : -1;
    }

    ssize_t ReadSome(char* buffer, std::size_t wanted) {
        for (;;) {
            ssize_t n = calls_.read(in_, buffer, wanted);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                failedSide_ = CopySide::Source;
            }
            return n;
        }
    }

    bool WriteOut(const char* data, ssize_t size) {
        if (!WriteAll(data, static_cast<std::size_t>(size))) {
            failedSide_ = CopySide::Target;
            return false;
        }
        return true;
    }

    bool WriteAll(const char* data, std::size_t size) {
        while (size > 0) {
            ssize_t n = calls_.write(out_, data, size);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                if (n == 0) {
                    errno = EIO;
                }
                return false;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
    const CopyCalls& calls_;
    int in_;
    int out_;
    ChunkHasher* hasher_;
    bool useKernel_;
    bool endSeen_ = false; // a read has shown that the source ends after the bytes wanted
    bool grew_ = false;    // a read has found a byte after them
    CopySide failedSide_ = CopySide::None;
    std::unique_ptr<char[]> buffer_;
};

// Carries the permission bits and the times over. Best effort: a file system without owners
// or modes (FAT) refuses some of it, and the copy itself is good all the same.
void CarryAttributes(int fd, const struct stat& info) {
    (void)fchmod(fd, info.st_mode & 0777);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    (void)futimens(fd, times);
}

// Gives the caller the digest and answers whether it is the one expected.
bool Settle(ChunkHasher& hasher, const ContentCheck& check) {
    const Sha256Digest digest = hasher.Finish();
    if (check.digest != nullptr) {
        *check.digest = digest;
    }
    return check.expected == nullptr || *check.expected == digest;
}

CopyOutcome Failure(CopySide side) {
    CopyOutcome outcome;
    outcome.side = side;
    outcome.error = errno;
    return outcome;
}

CopyOutcome Finished(CopyResult result) {
    CopyOutcome outcome;
    outcome.result = result;
    return outcome;
}

// Past this many numbered names a folder is taken to be full of them.
constexpr int kNumberedNamesTried = 10000;

// The identity of what has the name in the folder; nothing when the name leads nowhere.
std::optional<FileIdentity> IdentityAt(int folderFd, const std::string& name) {
    struct stat info {};
    if (fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

// Gives the finished copy the target's name as a new file, or the place of what has that name
// where mayReplace allows, or else the first free numbered name.
CopyOutcome PlaceAsNew(TemporaryFile& out, const TargetPlace& place, const ReplaceCheck& mayReplace,
                       FileIdentity identity) {
    int error = out.TakeName(place.prefix + place.name);
    std::string taken = place.name;
    if (error == EEXIST && mayReplace) {
        const std::optional<FileIdentity> there =
            IdentityAt(place.folderFd, place.prefix + place.name);
        if (there && mayReplace(*there)) {
            error = out.RenameTo(place) ? 0 : errno;
        }
    }
    for (int number = 2; error == EEXIST && number <= kNumberedNamesTried; ++number) {
        taken = NumberedName(place.name, false, number);
        error = out.TakeName(place.prefix + taken);
    }
    if (error != 0) {
        errno = error;
        return Failure(CopySide::Target);
    }
    CopyOutcome outcome = Finished(CopyResult::Copied);
    outcome.takenName = taken;
    outcome.identity = identity;
    return outcome;
}

// Copies the open source (of the size in info) to a temporary file at place and renames it
// to the target's name once exactly limit bytes are in and the source has no more: over what
// has the name when asNew is null, else as PlaceAsNew does with *asNew.
CopyOutcome CopyOpenSource(int in, const struct stat& info, std::int64_t limit,
                           const TargetPlace& place, const BetweenChunks& betweenChunks,
                           const ContentCheck& check, const ReplaceCheck* asNew) {
    TemporaryFile out(place);
    if (out.fd() < 0) {
        return Failure(CopySide::Target);
    }
    std::optional<ChunkHasher> hasher;
    if (check.wanted()) {
        hasher.emplace(limit);
    }
    ChunkCopier copier(in, out.fd(), hasher ? &*hasher : nullptr);
    for (std::int64_t copied = 0; copied < limit;) {
        const auto left = static_cast<std::uint64_t>(limit - copied);
        const bool toEnd = left <= kChunkBytes;
        const ssize_t n = copier.Next(toEnd ? static_cast<std::size_t>(left) : kChunkBytes, toEnd);
        if (n < 0) {
            return Failure(copier.failedSide());
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
    bool atEnd = false;
    if (!copier.AtEnd(atEnd)) {
        return Failure(copier.failedSide());
    }
    if (!atEnd) {
        return Finished(CopyResult::SizeChanged); // it grew: the rest would not fit its room
    }
    if (hasher && !Settle(*hasher, check)) {
        return Finished(CopyResult::ContentMismatch);
    }
    CarryAttributes(out.fd(), info);
    if (asNew != nullptr) {
        // The copy's identity only matters where something may be replaced.
        struct stat written {};
        if ((*asNew && fstat(out.fd(), &written) != 0) || !out.FinishWriting()) {
            return Failure(CopySide::Target);
        }
        return PlaceAsNew(out, place, *asNew,
                          {static_cast<std::uint64_t>(written.st_dev),
                           static_cast<std::uint64_t>(written.st_ino)});
    }
    if (!out.FinishWriting() || !out.RenameTo(place)) {
        return Failure(CopySide::Target);
    }
    return Finished(CopyResult::Copied);
}

CopyOutcome CopyFrom(const std::string& source, const TargetPlace& place,
                     const BetweenChunks& betweenChunks, std::int64_t expectedSize,
                     SourceLinks links, const ContentCheck& check) {
    struct stat info {};
    Descriptor in(OpenRegularSource(source, links, info));
    if (in.get() < 0) {
        return Failure(CopySide::Source);
    }
    if (expectedSize >= 0 && info.st_size != expectedSize) {
        return Finished(CopyResult::SizeChanged);
    }
    return CopyOpenSource(in.get(), info, info.st_size, place, betweenChunks, check, nullptr);
}

ssize_t SystemRead(int fd, void* buffer, std::size_t size) {
    return read(fd, buffer, size);
}

ssize_t SystemWrite(int fd, const void* buffer, std::size_t size) {
    return write(fd, buffer, size);
}

ssize_t SystemCopyRange(int in, int out, std::size_t size) {
    return copy_file_range(in, nullptr, out, nullptr, size, 0);
}

int SystemRenameNoReplace(int folder, const char* from, const char* to) {
    return renameat2(folder, from, folder, to, RENAME_NOREPLACE);
}

int SystemLink(int folder, const char* from, const char* to) {
    return linkat(folder, from, folder, to, 0);
}

int SystemOpenUnnamed(int folder, const char* path) {
    return OpenUnnamed(folder, path, O_WRONLY, 0600);
}

} // namespace

CopyCalls SystemCopyCalls() {
    return {SystemRead, SystemWrite,       SystemCopyRange, SystemRenameNoReplace,
            SystemLink, SystemOpenUnnamed, LinkUnnamed};
}

CopyCalls& ActiveCopyCalls() {
    static CopyCalls calls = SystemCopyCalls();
    return calls;
}

CopyOutcome CopyFileTo(const std::string& source, const std::string& target,
                       const BetweenChunks& betweenChunks, std::int64_t expectedSize,
                       SourceLinks links, const ContentCheck& check) {
    const std::size_t slash = target.rfind('/');
    TargetPlace place;
    if (slash == std::string::npos) {
        place.name = target;
    } else {
        place.prefix = target.substr(0, slash + 1);
        place.name = target.substr(slash + 1);
    }
    return CopyFrom(source, place, betweenChunks, expectedSize, links, check);
}

CopyOutcome CopyFileBelow(const std::string& source, const std::string& root,
                          const std::string& relative, const BetweenChunks& betweenChunks,
                          SourceLinks links, const ReplaceCheck& mayReplace,
                          const ContentCheck& check) {
    const std::size_t slash = relative.rfind('/');
    const std::string_view folders = slash == std::string::npos
                                         ? std::string_view()
                                         : std::string_view(relative).substr(0, slash);
    struct stat info {};
    Descriptor in(OpenRegularSource(source, links, info));
    if (in.get() < 0) {
        return Failure(CopySide::Source);
    }
    FolderWalkStop stop;
    Descriptor folder(OpenFolderBelow(root, folders, false, stop));
    if (folder.get() < 0) {
        CopyOutcome outcome;
        outcome.side = CopySide::Target;
        outcome.error = stop.error;
        outcome.blockedAt = stop.path;
        return outcome;
    }
    TargetPlace place;
    place.folderFd = folder.get();
    place.name = slash == std::string::npos ? relative : relative.substr(slash + 1);
    return CopyOpenSource(in.get(), info, info.st_size, place, betweenChunks, check, &mayReplace);
}

bool FlushFileSystem(const std::string& folder, int& error) {
    Descriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || syncfs(fd.get()) != 0) {
        error = errno;
        return false;
    }
    return true;
}

} // namespace arbolink
