// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Burning the disks of a set onto optical discs, one disc a disk. A disk is a folder that
// holds the whole content of the disk, its set in "@dummy@", as a staging divide makes it.
// Each disc is read back and checked against the disk's checksum list before the next disc
// is asked for; a disc that did not come out right is never reported as written.

#include "core/DiskSupplier.h"
#include "core/Host.h"
#include "core/wFile/StagingFolders.h"
#include "fs/Burner.h"

#include <cstdint>
#include <string>
#include <vector>

namespace arbolink {

class DiscBurning {
public:
    // drive: a device or "stdio:PATH" (disc n is then written to PATH with "-NN" before its
    // extension, without a question). limitBlocks above 0: no disc takes a larger image.
    // ejectWritten: a disc written and checked is ejected, for the next blank one.
    DiscBurning(Host& host, Burner& burner, std::string drive, std::int64_t limitBlocks,
                bool ejectWritten = true);

    // Burns diskRoot as disc n behind a progress dialog and reads it back. Every failure of
    // the drive is shown with Retry and Abort; a rewritable disc with data is blanked only
    // after Yes; a folder whose tree the image builder cannot write is told and answers
    // Aborted; Cancel stops the burn, tells that the disc is spoiled and answers Cancelled.
    // GoOn only for a disc written and read back right.
    SupplierEnd BurnDisc(std::int32_t n, const std::string& diskRoot);

    // The blocks of the blank disc in the drive for disc 1, asking with Retry and Abort while
    // it takes none (and whether a rewritable disc with data is blanked); -1 after Abort, or
    // when the build writes no discs (told). Without a limit given, the discs are planned for
    // this one: it becomes the limit of every disc.
    std::int64_t MeasureBlankDisc();

private:
    // How one attempt at a disc ended.
    enum class Attempt { Good, Again, Cancelled, Aborted };

    Attempt TryDisc(std::int32_t n, const std::string& drive, const std::string& diskRoot);
    Attempt CheckDisc(const std::string& drive, const std::string& diskRoot,
                      std::int64_t imageBlocks, ProgressDialog& dialog);
    // Retry or Abort after a failure of the drive.
    Attempt AskAgain(const std::string& text);
    // Asks whether the rewritable disc with data in the drive is blanked, and blanks it
    // behind a progress dialog after Yes: Again once it is blank (or after Retry), Aborted
    // after Abort.
    Attempt OfferBlanking(const std::string& drive);

    Host& host_;
    Burner& burner_;
    const std::string drive_;
    std::int64_t limitBlocks_;
    const bool ejectWritten_;
};

// The paths below diskRoot ('/' between folders) whose copy on the disc is missing or reads
// otherwise: the files the disk's checksum list names against their listed digests, every
// other file against the staged file itself, and any file the disc holds beyond them.
std::vector<std::string> DiscDifferences(const std::string& diskRoot, const DiscDigests& disc);

// A divide's disks staged in folders (DIR/diskNN, as a staging divide makes them), each
// burnt as soon as the split run has written and checked it. A disk burnt is emptied from
// the staging folder unless the folders are kept.
class BurntStagingFolders : public StagingFolders {
public:
    BurntStagingFolders(std::string folder, DiscBurning& burning, bool keepFolders);

    SupplierEnd DiskWritten(std::int32_t n) override;

private:
    DiscBurning& burning_;
    const bool keepFolders_;
};

} // namespace arbolink
