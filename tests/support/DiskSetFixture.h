// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Disk sets for restore tests, written into a temporary folder: every disk is a folder of its
// own, and inserting one renames it to the "drive" folder the restore reads.

#include "core/SetChecksums.h"
#include "core/SetFormat.h"
#include "fs/Utf8Path.h"
#include "support/ScriptedHost.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace arbolink::test {

struct SetFile {
    std::string folder; // index form, "docs\"
    std::string name;
    std::string stored;
    int disk = 1;
    std::string contents;
};

class DiskSetFixture {
public:
    // Fields of the host: the drive as the disk folder, "out" as the restore folder.
    void UseFields(ScriptedHost& host) const {
        host.fields.destination = root / "drive";
        host.fields.restoreTo = root / "out";
    }

    // Writes disks 1 to diskCount of one set: the same index on every disk, each row's
    // contents on its own disk under its stored name and, unless the set is to be of the
    // format before checksums, the set map of every row's digest on every disk.
    void WriteSet(const std::string& setId, const std::vector<SetFile>& files, int diskCount,
                  const std::string& prefix = "disk") const {
        std::string index;
        std::string map;
        for (const SetFile& file : files) {
            index += IndexLine(file.folder, file.name, file.stored);
            const Sha256Digest digest = Sha256Of(file.contents);
            AppendMapLine(map, file.stored, file.disk,
                          static_cast<std::int64_t>(file.contents.size()), &digest);
        }
        for (int disk = 1; disk <= diskCount; ++disk) {
            WriteSetFiles(prefix + std::to_string(disk), index,
                          IdentityLine(setId, disk, diskCount));
            if (withChecksums) {
                root.WriteFile(prefix + std::to_string(disk) + "/" + kSetMapName, map);
            }
        }
        for (const SetFile& file : files) {
            root.WriteFile(prefix + std::to_string(file.disk) + "/" + file.stored, file.contents);
        }
    }

    void WriteSetFiles(const std::string& disk, const std::string& index,
                       const std::string& identity) const {
        root.WriteFile(disk + "/" + kIndexFileName, index);
        root.WriteFile(disk + "/" + kIdentityFileName, identity);
    }

    // Puts the disk in the drive, taking out the one that is in it.
    void Insert(const std::string& disk) {
        if (!inserted_.empty()) {
            std::filesystem::rename(PathOf(root / "drive"), PathOf(root / inserted_));
        }
        std::filesystem::rename(PathOf(root / disk), PathOf(root / "drive"));
        inserted_ = disk;
    }
    void Insert(int disk) { Insert("disk" + std::to_string(disk)); }

    // Inserts the next disk of the list whenever a question is asked.
    void SwapAtQuestions(ScriptedHost& host, std::vector<std::string> disks) {
        swaps_ = std::move(disks);
        host.onDialog = [this](const DialogRecord& dialog) {
            if (dialog.buttons.size() > 1 && !swaps_.empty()) {
                Insert(swaps_.front());
                swaps_.erase(swaps_.begin());
            }
        };
    }

    std::string Out(const std::string& relative) const { return root.ReadFile("out/" + relative); }
    bool OutExists(const std::string& relative) const {
        return std::filesystem::exists(PathOf(root / ("out/" + relative)));
    }

    TempFolder root;
    bool withChecksums = true; // false: sets as written before checksums came in

private:
    std::string inserted_;
    std::vector<std::string> swaps_;
};

} // namespace arbolink::test
