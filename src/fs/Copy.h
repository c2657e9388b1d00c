#pragma once
// Copying one file, in chunks, so that the user interface can run between them.

#include <cstdint>
#include <functional>
#include <string>

namespace arbolink {

enum class CopyResult {
    Copied,
    Failed,
    Cancelled,
    SizeChanged, // the source no longer has the size the caller counted on
};

// Copies source to target, replacing an existing target, in chunks of about 8 MiB; keeps the
// modification time and permission bits. betweenChunks runs after every chunk and answers
// false to cancel. A failed or cancelled copy removes the partial target.
CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks);

// The same; on Failed, error holds the system's reason (an errno value, EINVAL for a source
// that is not a regular file), so that the caller can tell the user why. With expectedSize
// at 0 or more, a source of another size is left alone and answers SizeChanged: it is
// checked on the file opened, so no separate look-up is needed for it.
CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks, int& error,
                       std::int64_t expectedSize = -1);

// Writes everything cached for the file system that holds the folder out to its medium, so
// that the disk can be taken out. False (error set as above) when that fails.
bool FlushFileSystem(const std::string& folder, int& error);

} // namespace arbolink
