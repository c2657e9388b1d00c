// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/divide/DiscDivide.h"

#include "core/Formatted.h"
#include "core/divide/SplitCommand.h"
#include "core/wFile/BurnMessages.h"
#include "core/wFile/DiscBurning.h"
#include "fs/Folders.h"

namespace arbolink {

namespace {

// A fresh folder of the user's cache for the disks staged before they are burnt; empty when
// none could be made.
std::string NewBurnStagingFolder() {
    const std::string cache = ProgramCacheFolder();
    if (cache.empty()) {
        return {};
    }
    const std::string folder = cache + "burn-" + TemporaryName();
    return CreateFolders(folder) ? folder : std::string();
}

// Has the session plan for discs while it lives: the window's session goes on to divides onto
// other media afterwards, which must not be planned for discs.
class DiscPlanning {
public:
    explicit DiscPlanning(Session& session) : session_(session), before_(session.DiskMedium) {
        session.DiskMedium = MediumKind::DiscImage;
    }
    ~DiscPlanning() { session_.DiskMedium = before_; }
    DiscPlanning(const DiscPlanning&) = delete;
    DiscPlanning& operator=(const DiscPlanning&) = delete;

private:
    Session& session_;
    const MediumKind before_;
};

} // namespace

void DivideOntoDiscs(Session& session, Host& host, MainFields fields, Burner& burner,
                     const std::string& drive, std::int64_t limitBlocks,
                     const std::string& stagingFolder) {
    DiscBurning burning(host, burner, drive, limitBlocks, session.EjectWritten);
    std::int64_t blocks = limitBlocks;
    if (blocks <= 0 && (blocks = burning.MeasureBlankDisc()) < 0) {
        return;
    }
    const bool ownFolder = stagingFolder.empty();
    fields.destination = ownFolder ? NewBurnStagingFolder() : stagingFolder;
    if (fields.destination.empty()) {
        const std::string cache = ProgramCacheFolder();
        host.Message(Formatted(msg::kNoBurnStagingFolder,
                               cache.empty() ? "$XDG_CACHE_HOME/arbolink" : cache.c_str()));
        return;
    }
    const DiscPlanning planning(session);
    BurntStagingFolders disks(fields.destination, burning, !ownFolder);
    RunDivide(session, host, fields, static_cast<std::int32_t>(kDiscBlockBytes), blocks, true,
              &disks);
    if (ownFolder) {
        DeleteFolderContents(fields.destination, "");
    }
}

} // namespace arbolink
