// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/MediaWatch.h"

#include <algorithm>

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

} // namespace arbolink
