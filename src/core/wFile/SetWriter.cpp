// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/wFile/SetWriter.h"

#include "core/SetFormat.h"
#include "core/divide/DiskAssignment.h"
#include "fs/Folders.h"

namespace arbolink {

std::string IndexFileBytes(const PlanningValues& values) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(IndexFileSize(values)));
    const FileTable& table = values.Table;
    for (std::size_t r = 0; r < static_cast<std::size_t>(values.FileCount); ++r) {
        AppendIndexLine(bytes, table.Cell(Folder, r), table.Cell(Name, r),
                        table.Cell(StoredName, r));
    }
    return bytes;
}

bool WriteIndexFile(const std::string& diskFolder, const PlanningValues& values) {
    return WriteIndexFile(diskFolder, IndexFileBytes(values));
}

bool WriteIndexFile(const std::string& diskFolder, const std::string& bytes) {
    return WriteFileAtomically(diskFolder + kIndexFileName, bytes);
}

bool WriteIdentityFile(const std::string& diskFolder, const std::string& setId, std::int32_t disk,
                       std::int32_t diskCount) {
    return WriteFileAtomically(diskFolder + kIdentityFileName,
                               IdentityLine(setId, disk, diskCount));
}

} // namespace arbolink
