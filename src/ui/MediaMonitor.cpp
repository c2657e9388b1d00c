// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MediaMonitor.h"

namespace arbolink {

MediaMonitor::MediaMonitor(std::unique_ptr<MediaWatcher> watcher, QObject* parent)
    : QObject(parent), watcher_(std::move(watcher)) {
    if (watcher_ != nullptr) {
        connect(&timer_, &QTimer::timeout, this, &MediaMonitor::Look);
        timer_.start(kInterval);
    }
}

MediaMonitor::~MediaMonitor() = default;

void MediaMonitor::Look() {
    if (watcher_ == nullptr) {
        return;
    }
    const std::vector<MediaEvent> events = watcher_->Poll();
    if (!events.empty()) {
        removed_.Note(events);
        emit MediaChanged();
    }
}

} // namespace arbolink
