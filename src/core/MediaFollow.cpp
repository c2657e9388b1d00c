// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MediaFollow.h"

#include "core/Formatted.h"
#include "core/MediaMessages.h"
#include "fs/Folders.h"

#include <cstdio>
#include <vector>

namespace arbolink {

namespace {

// A medium mounted again elsewhere, or taken out and put back, is seen afresh.
std::string KeyOf(const Medium& medium) {
    return medium.id + '\n' + medium.mountPoint;
}

std::string NoteFor(const Medium& medium) {
    const bool labelled = !medium.label.empty();
    const std::string& name = labelled ? medium.label : medium.mountPoint;
    return Formatted(labelled ? msg::kUsingLabelledMedium : msg::kUsingMediumAt, name);
}

// Disks are swapped in removable and optical drives; a RAM disk stands in for them in tests
// and in trials of the program, and a swap there is as deliberate.
bool SwapsMedia(const std::string& kind) {
    return kind == "Rem" || kind == "CD" || kind == "Ram";
}

} // namespace

DriveFollower::DriveFollower(MediaWatcher* watcher, const std::string& folder) : watcher_(watcher) {
    if (watcher_ == nullptr) {
        return;
    }
    watcher_->Poll();
    const Medium* medium = watcher_->MediumHolding(folder);
    if (medium == nullptr || !SwapsMedia(medium->kind)) {
        return;
    }
    current_ = *medium;
    drive_ = medium->drive;
    kind_ = medium->kind;
    std::string mountPoint = AddBackslash(medium->mountPoint);
    relative_ = folder.size() > mountPoint.size() ? folder.substr(mountPoint.size()) : "";
    following_ = true;
    volumes_.Remember(folder);
    SeeAll();
}

void DriveFollower::SeeAll() {
    seen_.clear();
    knownIds_.clear();
    for (const Medium& medium : watcher_->Media()) {
        seen_.insert(KeyOf(medium));
        knownIds_.insert(medium.id);
    }
}

// An optical drive's next disc comes into the same drive; sticks and cards come into any
// slot, so any new medium of their kind will do.
bool DriveFollower::Fits(const Medium& medium) const {
    if (!drive_.empty() && medium.drive == drive_) {
        return true;
    }
    return kind_ != "CD" && medium.kind == kind_;
}

bool DriveFollower::Arrived() {
    if (!following_) {
        return false;
    }
    watcher_->Poll();
    std::set<std::string> present;
    for (const Medium& medium : watcher_->Media()) {
        present.insert(KeyOf(medium));
    }
    // What went out since is forgotten, so that it counts as new when it comes back.
    std::erase_if(seen_, [&](const std::string& key) { return present.count(key) == 0; });
    if (hasArrived_ && present.count(KeyOf(arrived_)) != 0) {
        return true;
    }
    hasArrived_ = false;
    std::set<std::string> ids;
    for (const Medium& medium : watcher_->Media()) {
        ids.insert(medium.id);
    }
    for (const Medium& medium : watcher_->Media()) {
        if (seen_.count(KeyOf(medium)) != 0 || !Fits(medium)) {
            continue;
        }
        seen_.insert(KeyOf(medium)); // a medium that cannot be mounted is not tried again
        Medium fit = medium;
        // Only a medium just inserted is mounted: one that was in and is no longer mounted
        // was unmounted by the user, or ejected by the run.
        std::string reason;
        if (fit.mountPoint.empty() &&
            (knownIds_.count(medium.id) != 0 || !watcher_->Mount(medium, fit.mountPoint, reason))) {
            continue;
        }
        arrived_ = fit;
        hasArrived_ = true;
        break;
    }
    knownIds_ = std::move(ids);
    return hasArrived_;
}

std::string DriveFollower::Take() {
    current_ = arrived_;
    hasArrived_ = false;
    watcher_->Poll();
    SeeAll();
    seen_.insert(KeyOf(current_));
    note_ = NoteFor(current_);
    const std::string folder = AddBackslash(current_.mountPoint) + relative_;
    volumes_.Remember(folder);
    return folder;
}

DriveFollower::EjectEnd DriveFollower::EjectCurrent(std::string& reason) {
    if (!following_ || !watcher_->CanEject()) {
        return EjectEnd::NotHere;
    }
    watcher_->Poll();
    Medium medium = current_;
    for (const Medium& now : watcher_->Media()) {
        if (now.id == current_.id) {
            medium = now;
        }
    }
    return watcher_->Eject(medium, reason) ? EjectEnd::Ejected : EjectEnd::Failed;
}

bool AskForMedium(Host& host, DriveFollower* follower, const std::string& text,
                  const Buttons& buttons, Button wanted, std::string& folder) {
    host.Beep();
    if (follower == nullptr || !follower->Following()) {
        return host.ShowDialog(DialogKind::Confirmation, text, buttons) == wanted;
    }
    if (host.ShowDialogUntil(
            DialogKind::Confirmation, text, buttons, [follower] { return follower->Arrived(); },
            wanted) != wanted) {
        return false;
    }
    if (follower->Arrived()) {
        folder = follower->Take();
    }
    return true;
}

} // namespace arbolink
