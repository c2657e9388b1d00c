// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A file read and written at any offset: the parity of recovery disks, kept in the cache
// folder while a divide runs, the pieces written from it onto a disk, and the files a rebuild
// reads and writes. Built on POSIX only, where recovery disks are made.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace arbolink {

// A file's modification time (seconds since 1970 UTC and the nanoseconds of the second) and
// permission bits.
struct FileTimes {
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;
    std::uint32_t mode = 0;
};

// The times of the file at path, a link not followed. False when it cannot be read.
bool ReadFileTimes(const std::string& path, FileTimes& times);

class WorkFile {
public:
    // A new empty file under a free temporary name in folder (a folder prefix), removed again
    // when the object goes unless KeepAs named it. Null, error set to an errno value, when it
    // cannot be made.
    static std::unique_ptr<WorkFile> Create(const std::string& folder, int& error);
    // A new empty file in folder (a folder prefix) with no name at all where the file system
    // allows it, else one whose name is taken away at once: nothing of it is left behind
    // however the process ends. Null, error set to an errno value, when it cannot be made.
    static std::unique_ptr<WorkFile> CreateUnnamed(const std::string& folder, int& error);
    // An existing regular file, for reading; a link or anything else is refused (EINVAL).
    static std::unique_ptr<WorkFile> Open(const std::string& path, int& error);

    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    // Reads up to size bytes at offset; got is less than size only at the file's end.
    bool ReadAt(void* buffer, std::size_t size, std::int64_t offset, std::size_t& got);
    bool WriteAt(const void* buffer, std::size_t size, std::int64_t offset);
    // Gives the file the name path (in the same folder): it then stays. False, and the file
    // still removed at the end, when it cannot be renamed.
    bool KeepAs(const std::string& path);
    // Gives a file of CreateUnnamed the name path, replacing a file there: the file's bytes
    // are then also those of path, not a copy. False, Error() set, when it cannot: path on
    // another file system (EXDEV), or a file whose name was taken away (ENOENT).
    bool LinkAs(const std::string& path);
    // The file's length in bytes; -1, Error() set, when it cannot be read.
    std::int64_t Length();
    // True when other is this very file, under another name or through another descriptor.
    bool SameFileAs(const WorkFile& other) const;
    // Gives the file the time and permission bits. False, Error() set, when it cannot.
    bool SetTimes(const FileTimes& times);
    // Takes the file's name away at once: the file lives on, unnamed, until the object goes, so
    // that nothing of it is left behind even when the process is killed. False, Error() set,
    // when the name cannot be removed.
    bool RemoveName();
    // Maps size bytes at offset for reading and writing, the file grown with zeros to hold them,
    // so that they are changed in place without a copy: the pointer is that of the byte at
    // offset. Null, Error() set, when they cannot be mapped. Unmap gives them back, written to
    // the file.
    std::uint8_t* Map(std::int64_t offset, std::size_t size);
    void Unmap(std::uint8_t* bytes, std::size_t size);

    // Writes the file's pages out and drops them from the system's cache, so that the reads
    // that follow come from its medium.
    void DropCached();

    // The errno value of the last call that failed.
    int Error() const { return error_; }
    const std::string& Path() const { return path_; }

private:
    WorkFile(int fd, std::string path, bool owned)
        : fd_(fd), path_(std::move(path)), owned_(owned) {}

    int fd_;
    std::string path_;
    bool owned_; // created here and not yet kept: removed at the end
    int error_ = 0;
    std::int64_t grownTo_ = 0; // the size Map has given the file
};

} // namespace arbolink
