#include "core/wFile/SetWriter.h"

#include "core/SetFormat.h"
#include "fs/Folders.h"

namespace arbolink {

std::string IndexFileBytes(const PlanningValues& values) {
    std::string bytes;
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        auto r = static_cast<std::size_t>(row);
        const FileTable& table = values.Table;
        bytes += IndexLine(table.Cell(Folder, r), table.Cell(Name, r), table.Cell(StoredName, r));
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
