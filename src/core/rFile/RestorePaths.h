// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where an index row's file goes below the restore folder. An index comes from a disk and may
// have been written by any program, so nothing in it is trusted: a row that would lead out of
// the restore folder or names no usable file is refused here.

#include <optional>
#include <string>
#include <string_view>

namespace arbolink {

// The row's folder ("docs\old\" in index form) as a relative folder prefix in the platform's
// form ("docs/old/"), "" for the restore folder itself. A folder written without its final
// "\" is taken as the same folder. Refused: an absolute path, a drive letter, an empty,
// "." or ".." folder name, a "/" or NUL inside a name.
std::optional<std::string> RestoreFolderOf(std::string_view indexFolder);

// The row's file relative to the restore folder in the platform's form. Refused as above,
// and a file name that is empty, "." or "..", or holds "\", "/" or NUL.
std::optional<std::string> RestorePathOf(std::string_view indexFolder, std::string_view name);

} // namespace arbolink
