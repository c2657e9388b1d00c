// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's eye on the media: looks through a media watcher on a timer and tells when a
// medium came or went, so that the free-space read-out and the folder chooser's drives keep up.

#include "fs/MediaWatch.h"

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

namespace arbolink {

class MediaMonitor : public QObject {
    Q_OBJECT

public:
    // Looks every kInterval milliseconds; a null watcher never tells anything.
    explicit MediaMonitor(std::unique_ptr<MediaWatcher> watcher, QObject* parent = nullptr);
    ~MediaMonitor() override;

    // True when the folder lay on a medium that was taken out since and has not come back.
    bool OnRemovedMedium(const std::string& folder) const { return removed_.Holds(folder); }
    // Looks now, as the timer does.
    void Look();

    static constexpr int kInterval = 1000;

signals:
    // A medium was inserted, mounted, unmounted or removed.
    void MediaChanged();

private:
    std::unique_ptr<MediaWatcher> watcher_;
    RemovedMedia removed_;
    QTimer timer_;
};

} // namespace arbolink
