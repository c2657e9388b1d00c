// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/wFile/DiscBurning.h"

#include "core/Formatted.h"
#include "core/Progress.h"
#include "core/Quantities.h"
#include "core/SetFormat.h"
#include "core/wFile/BurnMessages.h"
#include "fs/Folders.h"
#include "fs/ReadBack.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

namespace arbolink {

namespace {

constexpr std::int64_t kMegabyte = 1000 * 1000;
// Big enough for any real checksum list: one line a stored file.
constexpr std::int64_t kMaxChecksumListBytes = std::int64_t{1} << 30;

std::string Detail(const std::string& words) {
    return words.empty() ? std::string() : Formatted(msg::kBurnDetail, words.c_str());
}

void SetUpBurnDialog(ProgressDialog& dialog, std::int32_t n, const std::string& diskRoot,
                     const std::string& drive) {
    dialog.SetOuterSize(350, 240);
    dialog.SetCaption(msg::kBurningCaption);
    dialog.SetAnimation(Animation::CopyFiles, -1, 8, true);
    dialog.SetMessage(
        {8, 68, 330, 64}, TextAlignment::Left,
        Formatted(msg::kBurningDisc, static_cast<int>(n), diskRoot.c_str(), drive.c_str()));
    dialog.PlaceGauge(24, 136);
    dialog.SetGauge(0);
}

void SetUpBlankDialog(ProgressDialog& dialog, const std::string& drive) {
    dialog.SetOuterSize(350, 240);
    dialog.SetCaption(msg::kBlankingCaption);
    dialog.SetMessage({8, 72, 330, 50}, TextAlignment::Left, drive);
    dialog.PlaceGauge(24, 136);
    dialog.SetGauge(0);
}

// The digests the disk's checksum list names, by their paths below the disk root.
void AddListedDigests(const std::string& diskRoot, std::map<std::string, Sha256Digest>& listed) {
    const std::string folder = std::string(kDummyFolderName) + "/";
    std::string bytes;
    if (!ReadWholeFile(AddBackslash(diskRoot) + kDummyFolderName + kPathSeparator +
                           kChecksumListName,
                       bytes, kMaxChecksumListBytes)) {
        return;
    }
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        const std::string_view line(bytes.data() + at, end - at);
        if (line.size() > 66 && line.substr(64, 2) == "  ") {
            if (std::optional<Sha256Digest> digest = ParseHexDigest(line.substr(0, 64))) {
                listed[folder + std::string(line.substr(66))] = *digest;
            }
        }
        at = end + 1;
    }
}

// Every file below the staged folder, by its path with '/' (relative below prefix).
void ListStaged(const std::string& folder, const std::string& relative,
                std::vector<std::string>& files) {
    std::vector<FolderEntry> entries;
    ListFolder(AddBackslash(folder), false, entries);
    for (const FolderEntry& entry : entries) {
        const std::string path = relative + entry.name;
        if (entry.kind == EntryKind::Folder) {
            ListStaged(AddBackslash(folder) + entry.name, path + "/", files);
        } else {
            files.push_back(path);
        }
    }
}

// The staged file's path for its path below the disk root.
std::string StagedPath(const std::string& diskRoot, const std::string& relative) {
    std::string path = AddBackslash(diskRoot);
    for (char c : relative) {
        path += c == '/' ? kPathSeparator : c;
    }
    return path;
}

} // namespace

std::vector<std::string> DiscDifferences(const std::string& diskRoot, const DiscDigests& disc) {
    std::map<std::string, Sha256Digest> listed;
    AddListedDigests(diskRoot, listed);
    std::vector<std::string> staged;
    ListStaged(diskRoot, "", staged);
    std::vector<std::string> differ;
    for (const std::string& path : staged) {
        const auto onDisc = disc.find(path);
        Sha256Digest expected{};
        int error = 0;
        const auto inList = listed.find(path);
        const bool known = inList != listed.end()
                               ? (expected = inList->second, true)
                               : ReadBackDigest(StagedPath(diskRoot, path), expected, error);
        if (onDisc == disc.end() || !known || onDisc->second != expected) {
            differ.push_back(path);
        }
    }
    for (const auto& [path, digest] : disc) {
        if (std::find(staged.begin(), staged.end(), path) == staged.end()) {
            differ.push_back(path);
        }
    }
    return differ;
}

DiscBurning::DiscBurning(Host& host, Burner& burner, std::string drive, std::int64_t limitBlocks,
                         bool ejectWritten)
    : host_(host), burner_(burner), drive_(std::move(drive)), limitBlocks_(limitBlocks),
      ejectWritten_(ejectWritten) {}

SupplierEnd DiscBurning::BurnDisc(std::int32_t n, const std::string& diskRoot) {
    const std::string drive = DriveForDisc(drive_, n);
    for (;;) {
        // An image file needs no hand at the drive.
        if (!IsImageDrive(drive)) {
            host_.Beep();
            if (host_.ShowDialog(
                    DialogKind::Confirmation,
                    Formatted(msg::kInsertBlankDisc, static_cast<int>(n), drive.c_str()),
                    {Button::Ok, Button::Abort}) != Button::Ok) {
                return SupplierEnd::Aborted;
            }
        }
        switch (TryDisc(n, drive, diskRoot)) {
        case Attempt::Good:
            if (ejectWritten_) {
                burner_.Eject(drive);
            }
            return SupplierEnd::GoOn;
        case Attempt::Cancelled:
            return SupplierEnd::Cancelled;
        case Attempt::Aborted:
            return SupplierEnd::Aborted;
        case Attempt::Again:
            break;
        }
    }
}

std::int64_t DiscBurning::MeasureBlankDisc() {
    const std::string drive = DriveForDisc(drive_, 1);
    for (;;) {
        BurnEnd why = BurnEnd::Written;
        std::string detail;
        const std::int64_t blocks = burner_.BlankBlocks(drive, why, detail);
        if (blocks > 0) {
            if (limitBlocks_ <= 0) {
                limitBlocks_ = blocks;
            }
            return blocks;
        }
        if (why == BurnEnd::NotBuilt) {
            host_.Message(msg::kBurnNotBuilt);
            return -1;
        }
        if (why == BurnEnd::HoldsData) {
            if (OfferBlanking(drive) == Attempt::Aborted) {
                return -1;
            }
            continue;
        }
        const Phrase& pattern = why == BurnEnd::CannotBurn ? msg::kCannotBurn : msg::kNoBlankDisc;
        if (AskAgain(Formatted(pattern, drive.c_str(), Detail(detail).c_str())) ==
            Attempt::Aborted) {
            return -1;
        }
    }
}

DiscBurning::Attempt DiscBurning::AskAgain(const std::string& text) {
    host_.Beep();
    return host_.ShowDialog(DialogKind::Error, text, {Button::Abort, Button::Retry}) ==
                   Button::Retry
               ? Attempt::Again
               : Attempt::Aborted;
}

DiscBurning::Attempt DiscBurning::OfferBlanking(const std::string& drive) {
    host_.Beep();
    if (host_.ShowDialog(DialogKind::Confirmation, Formatted(msg::kDiscHoldsData, drive.c_str()),
                         {Button::Yes, Button::No}) != Button::Yes) {
        return AskAgain(Formatted(msg::kNoBlankDisc, drive.c_str(), ""));
    }
    BurnEnd end;
    std::string detail;
    {
        MainWindowDisabled disabled(host_);
        std::unique_ptr<ProgressDialog> dialog = host_.CreateProgressDialog();
        SetUpBlankDialog(*dialog, drive);
        dialog->Show();
        dialog->Repaint();
        end = burner_.Blank(
            drive,
            [&](int percent) {
                dialog->SetGauge(percent);
                host_.ProcessMessages();
            },
            detail);
    }
    if (end == BurnEnd::Written) {
        return Attempt::Again;
    }
    return AskAgain(Formatted(msg::kBlankFailed, drive.c_str(), Detail(detail).c_str()));
}

DiscBurning::Attempt DiscBurning::TryDisc(std::int32_t n, const std::string& drive,
                                          const std::string& diskRoot) {
    BurnEnd end;
    std::int64_t imageBlocks = 0;
    std::string detail;
    Attempt checked = Attempt::Good;
    {
        MainWindowDisabled disabled(host_);
        std::unique_ptr<ProgressDialog> dialog = host_.CreateProgressDialog();
        SetUpBurnDialog(*dialog, n, diskRoot, drive);
        dialog->Show();
        dialog->Repaint();
        auto watch = [&](const BurnStatus& status) {
            dialog->SetGauge(GaugePercent(status.bytesDone, status.bytesTotal));
            dialog->SetStage(Formatted(msg::kBurnState, status.bytesDone / kMegabyte,
                                       status.bytesTotal / kMegabyte, status.bufferPercent,
                                       RateText(status.bytesPerSecond)));
            host_.ProcessMessages();
            return !dialog->CancelRequested();
        };
        end = burner_.Burn(drive, diskRoot, limitBlocks_, watch, imageBlocks, detail);
        if (end == BurnEnd::Written) {
            checked = CheckDisc(drive, diskRoot, imageBlocks, *dialog);
        }
    }
    switch (end) {
    case BurnEnd::Written:
        return checked;
    case BurnEnd::Cancelled:
        host_.Warning(Formatted(msg::kBurnCancelled, drive.c_str()));
        return Attempt::Cancelled;
    case BurnEnd::NotBuilt:
        host_.Message(msg::kBurnNotBuilt);
        return Attempt::Aborted;
    case BurnEnd::NoBlankDisc:
        return AskAgain(Formatted(msg::kNoBlankDisc, drive.c_str(), Detail(detail).c_str()));
    case BurnEnd::HoldsData:
        return OfferBlanking(drive);
    case BurnEnd::DiscTooSmall: {
        std::string blankDetail;
        BurnEnd why = BurnEnd::Written;
        std::int64_t room = burner_.BlankBlocks(drive, why, blankDetail);
        if (limitBlocks_ > 0 && (room < 0 || limitBlocks_ < room)) {
            room = limitBlocks_;
        }
        return AskAgain(Formatted(msg::kDiscTooSmall, drive.c_str(),
                                  static_cast<long long>(imageBlocks),
                                  static_cast<long long>(room)));
    }
    case BurnEnd::TreeMisplaced:
        // The same folder gives the same tree: trying again cannot help.
        host_.Beep();
        host_.ShowDialog(DialogKind::Error,
                         Formatted(msg::kDiscTreeMisplaced, drive.c_str(), diskRoot.c_str(),
                                   Detail(detail).c_str()),
                         {Button::Ok});
        return Attempt::Aborted;
    case BurnEnd::WriteFailed:
        return AskAgain(Formatted(msg::kDiscWriteFailed, drive.c_str(), Detail(detail).c_str()));
    case BurnEnd::CannotBurn:
        return AskAgain(Formatted(msg::kCannotBurn, drive.c_str(), Detail(detail).c_str()));
    }
    return Attempt::Aborted;
}

DiscBurning::Attempt DiscBurning::CheckDisc(const std::string& drive, const std::string& diskRoot,
                                            std::int64_t imageBlocks, ProgressDialog& dialog) {
    dialog.SetCaption(msg::kReadingDiscCaption);
    dialog.SetStage("");
    dialog.SetGauge(0);
    const std::int64_t total = imageBlocks * kDiscBlockBytes;
    std::int64_t before = 0; // bytes of the files read before the one in hand
    std::int64_t inHand = 0;
    auto betweenChunks = [&](std::int64_t done) {
        if (done < inHand) {
            before += inHand;
        }
        inHand = done;
        dialog.SetGauge(GaugePercent(before + inHand, total));
        host_.ProcessMessages();
        return !dialog.CancelRequested();
    };
    DiscDigests digests;
    bool cancelled = false;
    std::string detail;
    const bool read = burner_.ReadBack(drive, digests, betweenChunks, cancelled, detail);
    if (cancelled) {
        host_.Warning(Formatted(msg::kCheckCancelled, drive.c_str()));
        return Attempt::Cancelled;
    }
    std::string differ = read ? std::string() : Detail(detail);
    if (read) {
        for (const std::string& path : DiscDifferences(diskRoot, digests)) {
            differ += Formatted(msg::kDiscFileDiffers, path.c_str());
        }
    }
    if (read && differ.empty()) {
        // The image's own blocks are never read as files: the gauge ends short of them.
        dialog.SetGauge(100);
        return Attempt::Good;
    }
    burner_.Discard(drive);
    return AskAgain(Formatted(msg::kDiscReadBackFailed, drive.c_str(), differ.c_str()));
}

BurntStagingFolders::BurntStagingFolders(std::string folder, DiscBurning& burning, bool keepFolders)
    : StagingFolders(std::move(folder)), burning_(burning), keepFolders_(keepFolders) {}

SupplierEnd BurntStagingFolders::DiskWritten(std::int32_t n) {
    const SupplierEnd end = burning_.BurnDisc(n, DiskRoot(n));
    if (end == SupplierEnd::GoOn && !keepFolders_) {
        DeleteFolderContents(DiskRoot(n), "");
    }
    return end;
}

} // namespace arbolink
