// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a folder's tree onto a blank optical disc as an ISO 9660 file system with Rock Ridge
// and Joliet names, and reading the disc back. The image is built while it is written: no
// image file is ever made. A drive is a device ("/dev/sr0") or "stdio:PATH", which writes the
// image into the file PATH as if it were a disc.

#include "fs/BetweenChunks.h"
#include "fs/Sha256.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace arbolink {

// Bytes of a block of an optical disc and of its file system.
inline constexpr std::int64_t kDiscBlockBytes = 2048;

// How an attempt at a disc ended.
enum class BurnEnd {
    Written,       // the whole image is on the disc
    NotBuilt,      // this build has no disc writing
    CannotBurn,    // no such drive, or one that does not write discs
    NoBlankDisc,   // no disc, or one that is neither blank nor appendable as new
    HoldsData,     // a rewritable disc that holds data: it takes an image once blanked
    DiscTooSmall,  // the image is larger than the disc or the given limit
    TreeMisplaced, // the image builder would write the folder's tree wrongly: nothing written
    WriteFailed,   // the drive (or the image file) refused the data: the disc is spoiled
    Cancelled,     // stopped on request: the disc is spoiled
};

// Where a burn is, told every few tenths of a second.
struct BurnStatus {
    std::int64_t bytesDone = 0;
    std::int64_t bytesTotal = 0;
    int bufferPercent = 0;     // fill of the drive's buffer (of the image's queue for a file)
    double bytesPerSecond = 0; // since the writing began
};

// Told the status while a burn runs; answers false to stop it.
using BurnWatch = std::function<bool(const BurnStatus&)>;

// Told how far a blanking is, in percent. A blanking is the drive's own work and cannot be
// stopped midway.
using BlankWatch = std::function<void(int percent)>;

// The digest of every regular file on a disc, by its path from the disc's root with '/'
// between folders.
using DiscDigests = std::map<std::string, Sha256Digest>;

class Burner {
public:
    virtual ~Burner() = default;

    // The blocks the blank disc in the drive takes; -1 with why set when it takes none
    // (HoldsData for a rewritable disc with data on it).
    virtual std::int64_t BlankBlocks(const std::string& drive, BurnEnd& why,
                                     std::string& detail) = 0;

    // Writes the tree below folder (the disc's root) onto the blank disc in the drive.
    // limitBlocks above 0: an image of more blocks is refused before anything is written, as
    // is one larger than the disc, and one whose directory tree the image builder would write
    // otherwise than it laid it out (TreeMisplaced). imageBlocks is set to the image's size
    // once it is known. detail tells the library's own words for a failure.
    virtual BurnEnd Burn(const std::string& drive, const std::string& folder,
                         std::int64_t limitBlocks, const BurnWatch& watch,
                         std::int64_t& imageBlocks, std::string& detail) = 0;

    // Reads every regular file of the disc in the drive back from the medium into digests.
    // False with detail set when the file system cannot be read; with ECANCELED in detail's
    // place (cancelled set) when betweenChunks answered false.
    virtual bool ReadBack(const std::string& drive, DiscDigests& digests,
                          const BetweenChunks& betweenChunks, bool& cancelled,
                          std::string& detail) = 0;

    // Blanks the rewritable disc in the drive (one that BlankBlocks finds HoldsData) so that
    // it takes a new image, the data on it gone. Written once it is blank; otherwise why not,
    // with detail.
    virtual BurnEnd Blank(const std::string& drive, const BlankWatch& watch,
                          std::string& detail) = 0;

    // Throws away a disc that read back wrong, so that the drive takes a new one: an image
    // file is removed; a disc stays in its drive for the user to take out.
    virtual void Discard(const std::string& drive) = 0;

    // Opens the tray of a drive whose disc is written and checked, so that the next blank disc
    // can go in; nothing for an image file.
    virtual void Eject(const std::string& drive) = 0;
};

// The burner of this build: libburn and libisofs where the build has them; otherwise one that
// answers NotBuilt to everything.
std::unique_ptr<Burner> OpenBurner();

// Whether the build writes discs at all.
bool BurningBuilt();

// Whether the drive is an image file ("stdio:PATH") rather than a device.
bool IsImageDrive(const std::string& drive);

// Whether the drive is an image drive whose file has an absolute path ("stdio:/x/set.iso"): a
// relative one would land wherever the program happens to run.
bool IsAbsoluteImageDrive(const std::string& drive);

// The file an image drive writes: the path after "stdio:".
std::string ImageFilePath(const std::string& drive);

// The drive disc n is written with: a device stays itself; "stdio:/x/set.iso" gives
// "stdio:/x/set-01.iso" for disc 1, the number of two digits at least before the extension
// (at the end when the name has none).
std::string DriveForDisc(const std::string& drive, std::int32_t disc);

} // namespace arbolink
