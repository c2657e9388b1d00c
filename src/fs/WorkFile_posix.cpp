// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/WorkFile.h"

#include "fs/Folders.h"
#include "fs/UnnamedFile_posix.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace arbolink {

namespace {

constexpr int kNameTries = 16;

std::int64_t PageSize() {
    static const std::int64_t size = sysconf(_SC_PAGESIZE);
    return size;
}

} // namespace

std::unique_ptr<WorkFile> WorkFile::Create(const std::string& folder, int& error) {
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::string path = folder + TemporaryName();
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            return std::unique_ptr<WorkFile>(new WorkFile(fd, std::move(path), true));
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = errno;
    return nullptr;
}

std::unique_ptr<WorkFile> WorkFile::CreateUnnamed(const std::string& folder, int& error) {
    const int fd = OpenUnnamed(AT_FDCWD, folder.c_str(), O_RDWR, 0644);
    if (fd >= 0) {
        return std::unique_ptr<WorkFile>(new WorkFile(fd, folder, false));
    }
    // A file system without unnamed files, or an error that the named file meets again.
    std::unique_ptr<WorkFile> file = Create(folder, error);
    if (file && !file->RemoveName()) {
        error = file->Error();
        return nullptr;
    }
    return file;
}

std::unique_ptr<WorkFile> WorkFile::Open(const std::string& path, int& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISREG(info.st_mode) ? errno : EINVAL;
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<WorkFile>(new WorkFile(fd, path, false));
}

WorkFile::~WorkFile() {
    close(fd_);
    if (owned_) {
        unlink(path_.c_str());
    }
}

bool WorkFile::ReadAt(void* buffer, std::size_t size, std::int64_t offset, std::size_t& got) {
    got = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (got < size) {
        const ssize_t n = pread(fd_, bytes + got, size - got,
                                static_cast<off_t>(offset) + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            error_ = errno;
            return false;
        }
        if (n == 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool WorkFile::WriteAt(const void* buffer, std::size_t size, std::int64_t offset) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd_, bytes + done, size - done,
                                 static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            error_ = n < 0 ? errno : EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool ReadFileTimes(const std::string& path, FileTimes& times) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return false;
    }
    times = {info.st_mtim.tv_sec, static_cast<std::int32_t>(info.st_mtim.tv_nsec),
             static_cast<std::uint32_t>(info.st_mode & 0777)};
    return true;
}

bool WorkFile::SetTimes(const FileTimes& times) {
    const struct timespec stamps[2] = {{0, UTIME_OMIT}, {times.seconds, times.nanoseconds}};
    if (::fchmod(fd_, static_cast<mode_t>(times.mode & 0777)) != 0 ||
        ::futimens(fd_, stamps) != 0) {
        error_ = errno;
        return false;
    }
    return true;
}

bool WorkFile::KeepAs(const std::string& path) {
    if (std::rename(path_.c_str(), path.c_str()) != 0) {
        error_ = errno;
        return false;
    }
    path_ = path;
    owned_ = false;
    return true;
}

// The link takes a temporary name first, so that a file under path is always whole, as a
// copy's is.
bool WorkFile::LinkAs(const std::string& path) {
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::string temporary = folder + TemporaryName();
        if (LinkUnnamed(fd_, AT_FDCWD, temporary.c_str()) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            error_ = errno;
            return false;
        }
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            error_ = errno;
            unlink(temporary.c_str());
            return false;
        }
        path_ = path;
        return true;
    }
    error_ = EEXIST;
    return false;
}

std::int64_t WorkFile::Length() {
    struct stat info {};
    if (fstat(fd_, &info) != 0) {
        error_ = errno;
        return -1;
    }
    return info.st_size;
}

bool WorkFile::SameFileAs(const WorkFile& other) const {
    struct stat mine {};
    struct stat theirs {};
    return fstat(fd_, &mine) == 0 && fstat(other.fd_, &theirs) == 0 &&
           mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
}

bool WorkFile::RemoveName() {
    if (unlink(path_.c_str()) != 0) {
        error_ = errno;
        return false;
    }
    owned_ = false;
    return true;
}

void WorkFile::DropCached() {
    // Only pages on the medium can be dropped: the write-out comes first.
    (void)fdatasync(fd_);
    (void)posix_fadvise(fd_, 0, 0, POSIX_FADV_DONTNEED);
}

std::uint8_t* WorkFile::Map(std::int64_t offset, std::size_t size) {
    const std::int64_t end = offset + static_cast<std::int64_t>(size);
    if (end > grownTo_) {
        if (ftruncate(fd_, static_cast<off_t>(end)) != 0) {
            error_ = errno;
            return nullptr;
        }
        grownTo_ = end;
    }
    // A mapping starts on a page: the bytes before offset on its page are mapped with it.
    const std::int64_t lead = offset % PageSize();
    // The pages are faulted in at once: the caller goes over every byte.
    void* bytes = mmap(nullptr, size + static_cast<std::size_t>(lead), PROT_READ | PROT_WRITE,
                       MAP_SHARED | MAP_POPULATE, fd_, static_cast<off_t>(offset - lead));
    if (bytes == MAP_FAILED) {
        error_ = errno;
        return nullptr;
    }
    return static_cast<std::uint8_t*>(bytes) + lead;
}

void WorkFile::Unmap(std::uint8_t* bytes, std::size_t size) {
    // The mapping began on the page that holds bytes.
    const auto lead = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(bytes) %
                                               static_cast<std::uintptr_t>(PageSize()));
    munmap(bytes - lead, size + lead);
}

} // namespace arbolink
