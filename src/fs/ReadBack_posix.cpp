// SPDX-License-Identifier: GPL-3.0-or-later
// POSIX read-back: the file's pages are written out and dropped from the page cache with
// posix_fadvise, so that the reads that follow go to the device.
#include "fs/ReadBack.h"

#include "fs/ChunkHasher.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace arbolink {

namespace {

bool Fail(int& error) {
    error = errno;
    return false;
}

bool HashAll(int fd, std::int64_t size, Sha256Digest& digest, int& error, const ReadBackSink& sink,
             const BetweenChunks& betweenChunks) {
    ChunkHasher hasher(size);
    for (std::int64_t done = 0;;) {
        char* buffer = hasher.NextBuffer();
        const ssize_t n = read(fd, buffer, hasher.BufferBytes());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return Fail(error);
        }
        if (n == 0) {
            break;
        }
        hasher.Hand(buffer, static_cast<std::size_t>(n));
        if (sink) {
            sink(buffer, static_cast<std::size_t>(n));
        }
        done += n;
        if (betweenChunks && !betweenChunks(done)) {
            error = ECANCELED;
            return false;
        }
    }
    digest = hasher.Finish();
    return true;
}

} // namespace

bool ReadBackDigest(const std::string& path, Sha256Digest& digest, int& error,
                    const ReadBackSink& sink, const BetweenChunks& betweenChunks) {
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return Fail(error);
    }
    struct stat info {};
    bool read = false;
    if (fstat(fd, &info) != 0) {
        Fail(error);
    } else if (!S_ISREG(info.st_mode)) {
        error = EINVAL;
    } else {
        // Only pages on the medium can be dropped: the write-out comes first.
        (void)fdatasync(fd);
        (void)posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        read = HashAll(fd, info.st_size, digest, error, sink, betweenChunks);
    }
    close(fd);
    return read;
}

} // namespace arbolink
