// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Watching removable media come and go: a medium inserted, mounted, unmounted or removed, with
// the drive (the physical slot) it sits in. The watcher is asked, never calls back: the user
// interface asks it on a timer and while a question waits for a disk, so no thread of its own
// is needed.
//
// Backends: UDisks2 over the system bus where the service runs, else the kernel's table of
// mounts (which sees a medium only while it is mounted, and cannot eject); on Windows the
// logical drives and whether each holds a medium.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace arbolink {

struct Medium {
    std::string id;         // the backend's name for it, the same for as long as it is in
    std::string device;     // "/dev/sdb1"; what the mount table names as its source; "E:\"
    std::string drive;      // the slot it sits in; empty when the backend cannot tell
    std::string mountPoint; // where its files are; empty while it is not mounted
    std::string label;      // the volume label; empty when it has none
    std::int64_t size = -1; // bytes; -1 when not known
    std::string kind;       // as GetDriveKind answers: "Rem", "CD", "HDD", "Ram", ...
};

enum class MediumChange { Inserted, Mounted, Unmounted, Removed };

struct MediaEvent {
    MediumChange change;
    Medium medium;
};

class MediaWatcher {
public:
    virtual ~MediaWatcher() = default;

    // Looks at the media now and tells what changed since the last look (since the watcher
    // was opened, the first time), in that order: a medium that came and was mounted is
    // Inserted then Mounted, one that went is Unmounted then Removed.
    std::vector<MediaEvent> Poll();
    // The media seen at the last look.
    const std::vector<Medium>& Media() const { return media_; }
    // The medium whose mount point holds the absolute path, at the last look; null when none.
    const Medium* MediumHolding(const std::string& path) const;

    // Mounts a medium that is in but not mounted, as a file manager would. False with the
    // reason when it cannot be done (a backend that only watches cannot); mountPoint is then
    // left as it was.
    virtual bool Mount(const Medium& medium, std::string& mountPoint, std::string& reason);
    // True when Eject can take a medium out here; false unless the backend says otherwise.
    virtual bool CanEject() const { return false; }
    // Unmounts the medium and ejects it (a USB stick is powered off), so that it can be pulled
    // safely. False with the reason when that failed or the backend only watches.
    virtual bool Eject(const Medium& medium, std::string& reason);

protected:
    // The media in now, each with the backend's id.
    virtual std::vector<Medium> Look() = 0;
    // Takes the first look; a backend's opener calls it once it is ready.
    void Start() { media_ = Look(); }

private:
    std::vector<Medium> media_;
};

// True when the path lies on the medium mounted at mountPoint.
bool MountPointHolds(const std::string& mountPoint, const std::string& path);

// What changed from the media before to the media after, compared by id.
std::vector<MediaEvent> ChangesBetween(const std::vector<Medium>& before,
                                       const std::vector<Medium>& after);

// The mount points of the media taken out, for as long as nothing is mounted there again: a
// folder on them is on a medium that is missing, not a folder that was never there.
class RemovedMedia {
public:
    void Note(const std::vector<MediaEvent>& events);
    // True when the path lay on a medium that was taken out and has not come back.
    bool Holds(const std::string& path) const;

private:
    std::vector<std::string> mountPoints_;
};

// The watcher for this system: UDisks2 when it answers on the system bus, else the mount
// table; on Windows the logical drives.
std::unique_ptr<MediaWatcher> OpenMediaWatcher();

#ifndef _WIN32
// A watcher over the UDisks2 service on the bus at that address (empty: the system bus); null
// when the service does not answer there.
std::unique_ptr<MediaWatcher> OpenUDisks2Watcher(const std::string& busAddress);
// A watcher over the kernel's table of mounts, as the drive inspection reads it.
std::unique_ptr<MediaWatcher> OpenMountTableWatcher();
#endif

} // namespace arbolink
