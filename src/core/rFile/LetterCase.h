// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names of a set that only letter case tells apart. Where the restore folder lies on a file
// system that folds letter case (FAT, exFAT, NTFS, most shares), such names meet in one file
// or folder, so the restore gives the later files other names.

#include "core/FileTable.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace arbolink {

// Two spellings of one folder or file path, relative to the restore folder in the platform's
// form, that differ only in letter case; first is the one met first in the index.
struct CaseClash {
    std::string first;
    std::string second;
};

// The clashes among the restore paths of rows 0 to rows - 1 and of the folders they lie in,
// each pair of spellings once, in the order of the index. A row that could not be restored
// safely is left out.
std::vector<CaseClash> FindCaseClashes(const FileTable& table, std::size_t rows);

// FindCaseClashes where restoreFolder (an existing folder) lies on a file system that folds
// letter case, and none where it tells case apart: what a restore there would rename.
// Nothing when the folder cannot be probed (missing, read-only).
std::optional<std::vector<CaseClash>> CaseClashesIn(const FileTable& table, std::size_t rows,
                                                    const std::string& restoreFolder);

// The warning to show before a restore into such a folder: the number of clashes and the
// first of them; empty for none.
std::string CaseClashWarning(const std::vector<CaseClash>& clashes);

} // namespace arbolink
