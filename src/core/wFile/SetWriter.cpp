#include "core/wFile/SetWriter.h"

#include "core/SetFormat.h"
#include "fs/Folders.h"

namespace arbolink {

namespace {

bool WriteSetFile(const std::string& path, const std::string& bytes, Host& host) {
    if (WriteFileAtomically(path, bytes)) {
        return true;
    }
    host.Beep();
    host.Message(msg::kDiskUnusable);
    return false;
}

} // namespace

bool WriteIndexFile(const std::string& diskFolder, const PlanningValues& values, Host& host) {
    std::string bytes;
    for (std::int64_t row = 0; row < values.FileCount; ++row) {
        auto r = static_cast<std::size_t>(row);
        const FileTable& table = values.Table;
        bytes += IndexLine(table.Cell(Folder, r), table.Cell(Name, r), table.Cell(StoredName, r));
    }
    return WriteSetFile(diskFolder + kIndexFileName, bytes, host);
}

bool WriteIdentityFile(const std::string& diskFolder, const std::string& setId, std::int32_t disk,
                       std::int32_t diskCount, Host& host) {
    return WriteSetFile(diskFolder + kIdentityFileName, IdentityLine(setId, disk, diskCount), host);
}

} // namespace arbolink
