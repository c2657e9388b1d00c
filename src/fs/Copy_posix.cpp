// POSIX backend of the file copy: copy_file_range where the kernel offers it between the two
// file systems, read/write otherwise. The copy goes to a temporary file beside the target and
// is renamed over it only when complete, so the target's name never holds a partial file.
#include "fs/Copy.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
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

// The temporary file beside the target; removed unless Keep() was called.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& target) {
        std::size_t slash = target.rfind('/');
        std::string folder =
            slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
        path_ = folder + ".arbolink-copy-XXXXXX";
        fd_ = mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ < 0) {
            path_.clear();
        }
    }
    ~TemporaryFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
        if (!path_.empty()) {
            unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    int fd() const { return fd_; }
    // Closes now, so that a late write error (NFS, FUSE) is seen.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return close(fd) == 0;
    }
    bool RenameTo(const std::string& target) {
        if (rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        path_.clear();
        return true;
    }

private:
    std::string path_;
    int fd_ = -1;
};

// Opens a regular file for reading without ever opening anything else: the kind is checked
// before the open (opening a device can act on it) and again on what was opened, and the
// open does not block, so a FIFO swapped in meanwhile cannot hang us.
int OpenRegularSource(const std::string& source, struct stat& info) {
    if (stat(source.c_str(), &info) != 0) {
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    int fd = open(source.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies bytes between the two descriptors' current offsets.
class ChunkCopier {
public:
    ChunkCopier(int in, int out) : in_(in), out_(out) {}

    // Copies up to one chunk; answers the bytes copied (0 at the end of the source) or -1.
    ssize_t Next() {
        std::size_t done = 0;
        while (done < kChunkBytes) {
            ssize_t n =
                useKernel_ ? KernelCopy(kChunkBytes - done) : BufferCopy(kChunkBytes - done);
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

private:
    ssize_t KernelCopy(std::size_t size) {
        for (;;) {
            ssize_t n = copy_file_range(in_, nullptr, out_, nullptr, size, 0);
            if (n >= 0) {
                return n;
            }
            if (errno == EINTR) {
                continue;
            }
            // The kernel cannot copy between these file systems; nothing moved, the offsets
            // stand, and plain reads and writes take over from here.
            if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP ||
                errno == EBADF || errno == EPERM) {
                useKernel_ = false;
                return BufferCopy(size);
            }
            return -1;
        }
    }

    ssize_t BufferCopy(std::size_t size) {
        if (!buffer_) {
            buffer_ = std::make_unique_for_overwrite<char[]>(kBufferBytes);
        }
        std::size_t wanted = size < kBufferBytes ? size : kBufferBytes;
        for (;;) {
            ssize_t n = read(in_, buffer_.get(), wanted);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n > 0 && !WriteAll(out_, buffer_.get(), static_cast<std::size_t>(n))) {
                return -1;
            }
            return n;
        }
    }

    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;
    int in_;
    int out_;
    bool useKernel_ = true;
    std::unique_ptr<char[]> buffer_;
};

// Carries the permission bits and the times over. Best effort: a file system without owners
// or modes (FAT) refuses some of it, and the copy itself is good all the same.
void CarryAttributes(int fd, const struct stat& info) {
    (void)fchmod(fd, info.st_mode & 0777);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    (void)futimens(fd, times);
}

} // namespace

CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks, int& error,
                       std::int64_t expectedSize) {
    // Taken where the failure happens: the clean-up on the way out may change errno.
    auto failed = [&error] {
        error = errno;
        return CopyResult::Failed;
    };
    struct stat info {};
    Descriptor in(OpenRegularSource(source, info));
    if (in.get() < 0) {
        return failed();
    }
    if (expectedSize >= 0 && info.st_size != expectedSize) {
        return CopyResult::SizeChanged;
    }
    TemporaryFile out(target);
    if (out.fd() < 0) {
        return failed();
    }
    ChunkCopier copier(in.get(), out.fd());
    std::int64_t copied = 0;
    for (;;) {
        ssize_t n = copier.Next();
        if (n < 0) {
            return failed();
        }
        if (n == 0) {
            break;
        }
        copied += n;
        // Only between chunks: once the last byte is in, the file is finished, not cancelled.
        if (copied < info.st_size && betweenChunks && !betweenChunks()) {
            return CopyResult::Cancelled;
        }
    }
    CarryAttributes(out.fd(), info);
    if (!out.Close() || !out.RenameTo(target)) {
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
    Descriptor fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || syncfs(fd.get()) != 0) {
        error = errno;
        return false;
    }
    return true;
}

} // namespace arbolink
