#pragma once
// Copying one file, in chunks, so that the user interface can run between them.

#include <functional>
#include <string>

namespace arbolink {

enum class CopyResult { Copied, Failed, Cancelled };

// Copies source to target, replacing an existing target, in chunks of about 8 MiB; keeps the
// modification time and permission bits. betweenChunks runs after every chunk and answers
// false to cancel. A failed or cancelled copy removes the partial target.
CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks);

// The same; on Failed, error holds the system's reason (an errno value, EINVAL for a source
// that is not a regular file), so that the caller can tell the user why.
CopyResult CopyOneFile(const std::string& source, const std::string& target,
                       const std::function<bool()>& betweenChunks, int& error);

} // namespace arbolink
