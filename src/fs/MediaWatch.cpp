// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/MediaWatch.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace arbolink {

namespace {

const Medium* Find(const std::vector<Medium>& media, const std::string& id) {
    auto found =
        std::find_if(media.begin(), media.end(), [&](const Medium& m) { return m.id == id; });
    return found == media.end() ? nullptr : &*found;
}

} // namespace

std::vector<MediaEvent> ChangesBetween(const std::vector<Medium>& before,
                                       const std::vector<Medium>& after) {
    std::vector<MediaEvent> events;
    for (const Medium& old : before) {
        const Medium* now = Find(after, old.id);
        if (!old.mountPoint.empty() && (now == nullptr || now->mountPoint != old.mountPoint)) {
            events.push_back({MediumChange::Unmounted, old});
        }
        if (now == nullptr) {
            events.push_back({MediumChange::Removed, old});
        }
    }
    for (const Medium& now : after) {
        const Medium* old = Find(before, now.id);
        if (old == nullptr) {
            events.push_back({MediumChange::Inserted, now});
        }
        if (!now.mountPoint.empty() && (old == nullptr || old->mountPoint != now.mountPoint)) {
            events.push_back({MediumChange::Mounted, now});
        }
    }
    return events;
}

std::vector<MediaEvent> MediaWatcher::Poll() {
    std::vector<Medium> now = Look();
    std::vector<MediaEvent> events = ChangesBetween(media_, now);
    media_ = std::move(now);
    return events;
}

const Medium* MediaWatcher::MediumHolding(const std::string& path) const {
    const Medium* holder = nullptr;
    for (const Medium& medium : media_) {
        if (!medium.mountPoint.empty() && MountPointHolds(medium.mountPoint, path) &&
            (holder == nullptr || medium.mountPoint.size() > holder->mountPoint.size())) {
            holder = &medium;
        }
    }
    return holder;
}

void RemovedMedia::Note(const std::vector<MediaEvent>& events) {
    for (const MediaEvent& event : events) {
        const std::string& point = event.medium.mountPoint;
        if (event.change == MediumChange::Unmounted) {
            mountPoints_.push_back(point);
        } else if (event.change == MediumChange::Mounted) {
            std::erase(mountPoints_, point);
        }
    }
}

bool RemovedMedia::Holds(const std::string& path) const {
    return std::any_of(mountPoints_.begin(), mountPoints_.end(),
                       [&](const std::string& point) { return MountPointHolds(point, path); });
}

bool MediaWatcher::Mount(const Medium&, std::string&, std::string& reason) {
    reason = std::strerror(ENOTSUP);
    return false;
}

bool MediaWatcher::Eject(const Medium&, std::string& reason) {
    reason = std::strerror(ENOTSUP);
    return false;
}

} // namespace arbolink
