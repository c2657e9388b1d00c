// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Following a drive across swaps. A desktop mounts each medium at a folder named after its
// label, so the folder a command was given is gone after the first swap. The follower takes,
// as the next disk, the medium that appears next in the same drive or, for USB sticks and
// cards, the next removable medium that appears, wherever it is mounted; the folder below the
// medium's root is kept.

#include "core/Host.h"
#include "fs/Drives.h"
#include "fs/MediaWatch.h"

#include <set>
#include <string>

namespace arbolink {

class DriveFollower {
public:
    // folder: the disk folder (ending in the separator) on the medium the command started
    // on. Without a watcher, or when the folder lies on no medium of a drive with swapped
    // media, the follower follows nothing.
    DriveFollower(MediaWatcher* watcher, const std::string& folder);

    bool Following() const { return following_; }
    // Looks at the media: true once a medium fit for the next disk is mounted that was not
    // there when the last disk was taken. A fit medium that is in but not mounted is mounted.
    bool Arrived();
    // Makes the arrived medium the current one and answers the disk folder on it. Only after
    // Arrived answered true.
    std::string Take();
    // Which medium the last Take took, for the user; empty before the first.
    const std::string& Note() const { return note_; }

    enum class EjectEnd { Ejected, NotHere, Failed };
    // Takes the current medium out, so that it can be pulled safely. NotHere when the
    // backend cannot eject; Failed with the reason.
    EjectEnd EjectCurrent(std::string& reason);

private:
    bool Fits(const Medium& medium) const;
    void SeeAll();

    MediaWatcher* watcher_;
    bool following_ = false;
    std::string relative_; // the disk folder below the medium's root
    std::string drive_;    // the slot the disks go into; empty when not known
    std::string kind_;
    Medium current_;
    Medium arrived_;
    bool hasArrived_ = false;
    std::set<std::string> seen_;     // the media in when the last disk was taken, and since
    std::set<std::string> knownIds_; // the media in at the last look
    std::string note_;
    // A pulled medium must read as no disk, never as its empty mount folder.
    VolumeWatch volumes_;
};

// Beeps and asks a confirmation that wants another disk. While follower follows, the question
// closes by itself, answering wanted, once a fit medium appears, and folder moves onto that
// medium. True when the answer is wanted.
bool AskForMedium(Host& host, DriveFollower* follower, const std::string& text,
                  const Buttons& buttons, Button wanted, std::string& folder);

} // namespace arbolink
