// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recovery/RestoreRebuild.h"

#include "core/Formatted.h"
#include "core/Progress.h"
#include "core/SetFormat.h"
#include "core/rFile/SetReader.h"
#include "core/recovery/ParityBuilder.h"
#include "core/recovery/RecoveryMessages.h"
#include "fs/Folders.h"

#include <cerrno>
#include <memory>

namespace arbolink {

namespace {

// "ディスク 2、復旧用ディスク 1"
std::string DiskNames(const std::vector<int>& disks, int dataCount) {
    std::string text;
    for (int disk : disks) {
        if (!text.empty()) {
            text += msg::kListSeparator;
        }
        text += disk <= dataCount ? Formatted(msg::kDiskLabel, disk)
                                  : Formatted(msg::kRecoveryDiskLabel, disk - dataCount);
    }
    return text;
}

class LossRebuild {
public:
    LossRebuild(Host& host, const LossRebuildRequest& request) : host_(host), request_(request) {}

    LossRebuildOutcome Run() {
        std::string message;
        if (!Plan(message)) {
            GiveUpAll(message);
            return outcome_;
        }
        dialog_ = host_.CreateProgressDialog();
        dialog_->SetOuterSize(350, 240);
        dialog_->SetCaption(msg::kRebuildCaption);
        dialog_->Show();
        if (!AddDisks() || !Make()) {
            outcome_.aborted = true;
        }
        return outcome_;
    }

private:
    bool Plan(std::string& message) {
        const std::string& folder = request_.recoveryFolder;
        std::optional<RecoveryHeader> header = TryReadRecoveryHeader(folder);
        std::optional<std::vector<MapEntry>> map;
        try {
            map = TryReadSetMap(folder);
        } catch (const SetFormatError& error) {
            message = error.what();
            return false;
        }
        if (!header || !map) {
            message = msg::kRecoveryMapMismatch;
            return false;
        }
        // A restore is often the first run on a computer: its cache folder may not be there yet.
        const std::string cache = RecoveryCacheFolder(request_.cache);
        int error = ENOENT;
        if (cache.empty() || !MakeRecoveryCacheFolder(cache, error)) {
            message = RecoveryCacheUnusableText(cache, error);
            return false;
        }
        lost_ = LostFiles::Plan(*header, *map, request_.rowCount, request_.lost, cache, message);
        return lost_ != nullptr;
    }

    void GiveUpAll(const std::string& why) {
        host_.Beep();
        host_.Warning(why);
        for (std::size_t row : request_.lost) {
            outcome_.unmade.push_back({row, why});
        }
    }

    // The gauge over one disk's reads or the making, as a share of the places' bytes.
    BetweenChunks Gauge(std::int64_t total) {
        return [this, total](std::int64_t done) {
            dialog_->SetGauge(GaugePercent(done, total));
            host_.ProcessMessages();
            return !dialog_->CancelRequested();
        };
    }

    // One disk's reading; false when the user stopped it.
    bool AddDisk(const std::string& folder, bool tellUser) {
        dialog_->SetStage(folder);
        std::string message;
        switch (lost_->Add(folder, Gauge(lost_->PlacesLength()), message)) {
        case LostFiles::Added::Used:
            return true;
        case LostFiles::Added::Cancelled:
            return false;
        case LostFiles::Added::Failed:
            host_.Beep();
            host_.Warning(message);
            return true;
        case LostFiles::Added::NotNeeded:
            if (tellUser) {
                host_.Warning(msg::kDiskNotNeeded);
            }
            return true;
        case LostFiles::Added::OtherSet:
            if (tellUser) {
                host_.Warning(msg::kDiskNotOfSet);
            }
            return true;
        }
        return true;
    }

    bool AddDisks() {
        if (!AddDisk(request_.recoveryFolder, false)) {
            return false;
        }
        if (request_.disks != nullptr) {
            std::vector<std::string> folders = request_.disks->RecoveryFolders();
            for (std::int32_t n = 1; !request_.disks->Folder(n).empty(); ++n) {
                folders.push_back(request_.disks->Folder(n));
            }
            for (const std::string& folder : folders) {
                if (lost_->Complete()) {
                    break;
                }
                if (folder != request_.recoveryFolder && !AddDisk(folder, false)) {
                    return false;
                }
            }
            return true;
        }
        while (!lost_->Complete()) {
            const std::string question =
                Formatted(msg::kInsertDiskForRebuild,
                          DiskNames(lost_->StillUseful(), lost_->DataCount()).c_str());
            if (!request_.askForDisk(question)) {
                return true; // no more disks: what they allow is made
            }
            if (!AddDisk(request_.driveFolder, true)) {
                return false;
            }
        }
        return true;
    }

    bool Make() {
        bool placing = true;
        auto place = [&](std::size_t row, const std::string& path) {
            if (!placing) {
                outcome_.unmade.push_back({row, msg::kReasonRebuildStopped});
            } else if (request_.place(row, path, *dialog_)) {
                outcome_.made.push_back(row);
            } else {
                placing = false; // Abort in the copy's question
            }
        };
        dialog_->SetStage("");
        const bool made = lost_->Make(place, outcome_.unmade, Gauge(lost_->PlacesLength()));
        return made && placing;
    }

    Host& host_;
    const LossRebuildRequest& request_;
    std::unique_ptr<LostFiles> lost_;
    std::unique_ptr<ProgressDialog> dialog_;
    LossRebuildOutcome outcome_;
};

} // namespace

bool IsRecoveryDiskOf(const std::string& folder, const std::string& setId) {
    std::optional<RecoveryHeader> header = TryReadRecoveryHeader(folder);
    return header && header->setId == setId;
}

LossRebuildOutcome RebuildLostFiles(Host& host, const LossRebuildRequest& request) {
    return LossRebuild(host, request).Run();
}

} // namespace arbolink
