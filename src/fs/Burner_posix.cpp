// SPDX-License-Identifier: GPL-3.0-or-later
// Disc writing with libburn (the drive) and libisofs (the file system, built while libburn
// writes it). Both libraries run threads of their own while a disc is written; the caller's
// thread only polls them.
#include "fs/Burner.h"

#if ARBOLINK_BURN

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <libburn/libburn.h>
#include <libisofs/libisofs.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace arbolink {

namespace {

// libburn declares itself in namespace burn for C++; libisofs names the same stream type at
// global scope, so the two meet through a cast in ImageTree::Source.
using namespace burn;

constexpr auto kPollInterval = std::chrono::milliseconds(100);
constexpr int kFifoChunks = 8192; // 16 MiB between the image builder and a drive
// Starts of a write refused while the drive's last job ends (10 ms apart).
constexpr int kStartAttempts = 500;

// Both libraries are started once and stay up for the process: they keep no state that
// one disc could leave behind for the next.
bool LibrariesReady() {
    static const bool ready = [] {
        if (iso_init() < 0 || burn_initialize() == 0) {
            return false;
        }
        // Their messages go to the caller's detail text, never to the terminal.
        char never[] = "NEVER";
        char all[] = "ALL";
        char warning[] = "WARNING";
        char prefix[] = "arbolink : ";
        burn_msgs_set_severities(all, never, prefix);
        // libisofs tells a directory tree written otherwise than it was laid out only as a
        // warning (see ProbeTree).
        iso_set_msgs_severities(warning, never, prefix);
        // No burn_set_signal_handling: each of its modes sets every signal's handling anew,
        // which would take Ctrl+C (the cancel of the command line) from the program.
        return true;
    }();
    return ready;
}

// What libburn's queued messages told since they were last taken.
struct LibraryMessages {
    // The first message that names the system's error, which tells the cause best; without
    // one, the first of the most severe.
    std::string words;
    bool driveBusy = false; // a job was refused because the drive's last one had not ended
};

// libburn's code for a job refused while another one runs on the drive.
constexpr int kDriveBusyCode = 0x00020102;

// Takes every queued message of libburn at SORRY or worse, so that the next job starts clean.
LibraryMessages TakeLibraryMessages() {
    LibraryMessages taken;
    int worst = -1;
    bool withCause = false;
    char text[BURN_MSGS_MESSAGE_LEN];
    char severity[80];
    int code = 0;
    int osErrno = 0;
    char minimum[] = "SORRY";
    while (burn_msgs_obtain(minimum, &code, text, &osErrno, severity) > 0) {
        taken.driveBusy = taken.driveBusy || code == kDriveBusyCode;
        int rank = 0;
        burn_text_to_sev(severity, &rank, 0);
        if (withCause || (osErrno == 0 && rank <= worst)) {
            continue;
        }
        worst = rank;
        taken.words = text;
        if (osErrno != 0) {
            withCause = true;
            taken.words += " (";
            taken.words += std::strerror(osErrno);
            taken.words += ")";
        }
    }
    return taken;
}

std::string LibraryWords() {
    return TakeLibraryMessages().words;
}

// A drive grabbed for the lifetime of the object.
class GrabbedDrive {
public:
    // eject: the tray opens when the drive is let go.
    explicit GrabbedDrive(const std::string& address, bool eject = false) : eject_(eject) {
        std::vector<char> adr(address.begin(), address.end());
        adr.push_back('\0');
        if (adr.size() <= BURN_DRIVE_ADR_LEN &&
            burn_drive_scan_and_grab(&infos_, adr.data(), 1) > 0) {
            drive_ = infos_[0].drive;
        }
    }
    ~GrabbedDrive() {
        if (drive_ != nullptr) {
            burn_drive_release(drive_, eject_ ? 1 : 0);
        }
        if (infos_ != nullptr) {
            burn_drive_info_free(infos_);
        }
    }
    GrabbedDrive(const GrabbedDrive&) = delete;
    GrabbedDrive& operator=(const GrabbedDrive&) = delete;

    burn_drive* Get() const { return drive_; }

private:
    burn_drive_info* infos_ = nullptr;
    const bool eject_;
    burn_drive* drive_ = nullptr;
};

// An image file that holds something already is no blank disc: it is never overwritten. A
// device or pipe behind stdio: is written as it comes.
bool ImageFileUsed(const std::string& drive) {
    struct stat info {};
    return IsImageDrive(drive) && stat(ImageFilePath(drive).c_str(), &info) == 0 &&
           S_ISREG(info.st_mode) && info.st_size > 0;
}

// A spoiled disc is thrown away: the image file a burn began (it was empty or missing, see
// ImageFileUsed) is removed, so that no spoiled image ever passes for a disc.
void DropImage(const std::string& drive) {
    struct stat info {};
    if (IsImageDrive(drive) && stat(ImageFilePath(drive).c_str(), &info) == 0 &&
        S_ISREG(info.st_mode)) {
        unlink(ImageFilePath(drive).c_str());
    }
}

// DVD-RAM, DVD-RW formatted for overwriting, DVD+RW and BD-RE: written anywhere at any time,
// so libburn calls them blank whatever they hold.
bool Overwritable(burn_drive* drive) {
    int profile = 0;
    char name[80] = {};
    if (burn_disc_get_profile(drive, &profile, name) <= 0) {
        return false;
    }
    return profile == 0x12 || profile == 0x13 || profile == 0x1a || profile == 0x43;
}

// Bytes at the start of an overwritable disc that tell a file system: the system area and
// the volume descriptors of ISO 9660 (whose primary one, at block 16, says "CD001").
constexpr std::int64_t kFileSystemHead = 32 * kDiscBlockBytes;

// Whether an overwritable disc holds an ISO 9660 file system.
bool HoldsFileSystem(burn_drive* drive) {
    std::vector<char> block(kDiscBlockBytes);
    off_t count = 0;
    return burn_read_data(drive, 16 * kDiscBlockBytes, block.data(), kDiscBlockBytes, &count, 2) >
               0 &&
           count == kDiscBlockBytes && std::memcmp(block.data() + 1, "CD001", 5) == 0;
}

// Whether the disc is a rewritable one with data: written sessions on a CD-RW or a DVD-RW,
// or a file system on an overwritable disc. An image file never is.
bool RewritableWithData(burn_drive* drive, const std::string& address) {
    if (IsImageDrive(address)) {
        return false;
    }
    const burn_disc_status status = burn_disc_get_status(drive);
    if (status == BURN_DISC_FULL || status == BURN_DISC_APPENDABLE) {
        return burn_disc_erasable(drive) != 0;
    }
    return status == BURN_DISC_BLANK && Overwritable(drive) && HoldsFileSystem(drive);
}

// The blank disc's blocks, or -1 with why.
std::int64_t BlankBlocksOf(burn_drive* drive, const std::string& address, BurnEnd& why,
                           std::string& detail) {
    if (RewritableWithData(drive, address)) {
        why = BurnEnd::HoldsData;
        detail = LibraryWords();
        return -1;
    }
    if (ImageFileUsed(address) || burn_disc_get_status(drive) != BURN_DISC_BLANK) {
        why = BurnEnd::NoBlankDisc;
        detail = LibraryWords();
        return -1;
    }
    return static_cast<std::int64_t>(burn_disc_available_space(drive, nullptr)) / kDiscBlockBytes;
}

// Blanks a rewritable disc with data. An overwritable disc loses its file system's head,
// which is all a reader finds it by; a CD-RW or DVD-RW is blanked by the drive (fast: its
// table of contents), told through watch until the drive is idle again.
BurnEnd BlankDisc(burn_drive* drive, const BlankWatch& watch, std::string& detail) {
    if (burn_disc_get_status(drive) == BURN_DISC_BLANK) {
        std::vector<char> zeros(kFileSystemHead, 0);
        if (burn_random_access_write(drive, 0, zeros.data(), kFileSystemHead, 1) <= 0) {
            detail = LibraryWords();
            return BurnEnd::WriteFailed;
        }
        return BurnEnd::Written;
    }
    burn_disc_erase(drive, 1);
    burn_progress progress{};
    while (burn_drive_get_status(drive, &progress) != BURN_DRIVE_IDLE) {
        if (watch && progress.sectors > 0) {
            watch(static_cast<int>(std::int64_t{progress.sector} * 100 / progress.sectors));
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    if (burn_drive_wrote_well(drive) == 0) {
        detail = LibraryWords();
        return BurnEnd::WriteFailed;
    }
    return BurnEnd::Written;
}

// The image of a folder's tree, as libisofs builds it: Rock Ridge for every name and mode
// and time as the files have them, Joliet in UTF-16 with long names for Windows.
class ImageTree {
public:
    ImageTree() = default;
    ~ImageTree() {
        if (opts_ != nullptr) {
            iso_write_opts_free(opts_);
        }
        if (image_ != nullptr) {
            iso_image_unref(image_);
        }
    }
    ImageTree(const ImageTree&) = delete;
    ImageTree& operator=(const ImageTree&) = delete;

    // Reads the folder's tree and makes the stream of its image's bytes; null with detail
    // set when a part of the tree cannot be taken or the stream cannot be made.
    burn::burn_source* Open(const std::string& folder, std::string& detail) {
        return Build(folder, detail) ? Source(detail) : nullptr;
    }

    // The block the first file's data begins at, known once Open made the stream.
    std::int64_t DataStart() const {
        uint32_t start = 0;
        return iso_write_opts_get_data_start(opts_, &start, 0) >= 0 ? start : 0;
    }

private:
    // Reads the folder's tree; false with detail set when a part of it cannot be taken.
    bool Build(const std::string& folder, std::string& detail) {
        int result = iso_image_new("ARBOLINK", &image_);
        if (result >= 0) {
            iso_tree_set_follow_symlinks(image_, 0);
            iso_tree_set_ignore_hidden(image_, 0);
            result = iso_tree_add_dir_rec(image_, iso_image_get_root(image_), folder.c_str());
        }
        if (result >= 0) {
            result = iso_write_opts_new(&opts_, 1);
        }
        if (result >= 0) {
            iso_write_opts_set_joliet(opts_, 1);
            iso_write_opts_set_joliet_long_names(opts_, 1);
            iso_write_opts_set_joliet_longer_paths(opts_, 1);
            iso_write_opts_set_joliet_utf16(opts_, 1);
            iso_write_opts_set_dir_rec_mtime(opts_, 1);
            // No ACL or xattr entries: they would push a name's Rock Ridge entries out of its
            // directory record (see kDiscRecordNameBytes), and the set keeps none of them.
            iso_write_opts_set_aaip(opts_, 0);
        }
        if (result < 0) {
            detail = iso_error_to_msg(result);
            return false;
        }
        return true;
    }

    // The stream of the image's bytes; null with detail on failure.
    burn::burn_source* Source(std::string& detail) {
        ::burn_source* source = nullptr;
        const int result = iso_image_create_burn_source(image_, opts_, &source);
        if (result < 0) {
            detail = iso_error_to_msg(result);
            return nullptr;
        }
        return reinterpret_cast<burn::burn_source*>(source);
    }

    IsoImage* image_ = nullptr;
    IsoWriteOpts* opts_ = nullptr;
};

// libisofs's warning, while it writes an image, that its directory tree took other blocks
// than it laid out: every address after the tree is wrong and the image ends short.
constexpr const char* kTreeMisplaced = "Calculated and written ECMA-119 tree end differ";

// Takes every queued message of libisofs; answers whether one told of a misplaced tree.
bool TakeTreeMisplaced() {
    bool misplaced = false;
    char minimum[] = "WARNING";
    char text[4096];
    char severity[80];
    int code = 0;
    int imageId = 0;
    while (iso_obtain_msgs(minimum, &code, &imageId, text, severity) > 0) {
        misplaced = misplaced || std::strstr(text, kTreeMisplaced) != nullptr;
    }
    return misplaced;
}

// Whether libisofs writes the folder's directory tree where it laid it out. libisofs 1.5.4
// can lay out the Rock Ridge continuation areas of many long names in one folder in more
// blocks than it then writes; such an image ends short and spoils a write-once disc. The
// image is built up to its first block of file data into nothing, which writes every
// directory tree but reads no file, and libisofs's own check of the tree's end is heard.
// Written when it does; TreeMisplaced, or WriteFailed when the tree cannot be built, with
// detail set.
BurnEnd ProbeTree(const std::string& folder, std::string& detail) {
    TakeTreeMisplaced();
    ImageTree probe;
    burn::burn_source* image = probe.Open(folder, detail);
    if (image == nullptr) {
        return BurnEnd::WriteFailed;
    }
    // One block past the data's start: libisofs checks the tree once the tree is out, and
    // writes the first file data only after that.
    const std::int64_t blocks = std::min<std::int64_t>(
        probe.DataStart() + 1, static_cast<std::int64_t>(image->get_size(image)) / kDiscBlockBytes);
    std::vector<unsigned char> block(kDiscBlockBytes);
    for (std::int64_t i = 0; i < blocks; ++i) {
        if (image->read_xt(image, block.data(), kDiscBlockBytes) < kDiscBlockBytes) {
            break;
        }
    }
    image->cancel(image);
    burn_source_free(image);
    if (TakeTreeMisplaced()) {
        detail = kTreeMisplaced;
        return BurnEnd::TreeMisplaced;
    }
    return BurnEnd::Written;
}

// One disc of one session and one data track from the image's stream. A drive is fed through
// libburn's queue, which keeps it writing while the image builder reads files. An image file
// takes the stream as it comes: the image builder's own buffer is enough there, and libburn's
// queue, which waits 50 ms whenever it is full or empty, would hold the file to 4 MiB each
// such wait.
class DiscLayout {
public:
    DiscLayout(burn::burn_source* image, bool queued)
        : image_(image),
          fifo_(queued ? burn_fifo_source_new(image, kDiscBlockBytes, kFifoChunks, 0) : nullptr) {
        disc_ = burn_disc_create();
        session_ = burn_session_create();
        burn_disc_add_session(disc_, session_, BURN_POS_END);
        track_ = burn_track_create();
        burn_track_define_data(track_, 0, 0, 1, BURN_MODE1);
        burn_track_set_source(track_, fifo_ != nullptr ? fifo_ : image_);
        burn_session_add_track(session_, track_, BURN_POS_END);
    }
    ~DiscLayout() {
        burn_track_free(track_);
        burn_session_free(session_);
        burn_disc_free(disc_);
        if (fifo_ != nullptr) {
            burn_source_free(fifo_);
        }
        burn_source_free(image_);
    }
    DiscLayout(const DiscLayout&) = delete;
    DiscLayout& operator=(const DiscLayout&) = delete;

    burn_disc* Disc() const { return disc_; }
    // How full the queue before the drive is, in percent: libburn's, or the image builder's.
    int QueuePercent() const {
        if (fifo_ != nullptr) {
            int size = 0;
            int freeBytes = 0;
            char* text = nullptr;
            return burn_fifo_inquire_status(fifo_, &size, &freeBytes, &text) >= 0 && size > 0
                       ? static_cast<int>((std::int64_t{size} - freeBytes) * 100 / size)
                       : 0;
        }
        std::size_t size = 0;
        std::size_t freeBytes = 0;
        return iso_ring_buffer_get_status(reinterpret_cast<::burn_source*>(image_), &size,
                                          &freeBytes) >= 0 &&
                       size > 0
                   ? static_cast<int>((size - freeBytes) * 100 / size)
                   : 0;
    }
    // Bytes of the track the drive took.
    std::int64_t BytesWritten() const {
        off_t read = 0;
        off_t written = 0;
        burn_track_get_counters(track_, &read, &written);
        return static_cast<std::int64_t>(written);
    }
    // Ends the image builder's thread, which would otherwise wait for a reader forever.
    void StopImage() { image_->cancel(image_); }

private:
    burn::burn_source* image_;
    burn::burn_source* fifo_;
    burn_disc* disc_ = nullptr;
    burn_session* session_ = nullptr;
    burn_track* track_ = nullptr;
};

class WriteOptions {
public:
    explicit WriteOptions(burn_drive* drive) : opts_(burn_write_opts_new(drive)) {
        burn_write_opts_set_perform_opc(opts_, 0);
        burn_write_opts_set_multi(opts_, 0);
        burn_write_opts_set_underrun_proof(opts_, 1);
        // Writes of 64 KiB rather than 32 KiB: half the hand-overs between the image builder's
        // thread and the writer's, which on a busy machine each cost a wait.
        burn_write_opts_set_dvd_obs(opts_, 65536);
    }
    ~WriteOptions() { burn_write_opts_free(opts_); }
    WriteOptions(const WriteOptions&) = delete;
    WriteOptions& operator=(const WriteOptions&) = delete;

    burn_write_opts* Get() const { return opts_; }

private:
    burn_write_opts* opts_;
};

BurnStatus StatusOf(const burn_progress& progress, const DiscLayout& layout, std::int64_t total,
                    std::chrono::steady_clock::time_point begun) {
    BurnStatus status;
    status.bytesTotal = total;
    status.bytesDone = std::int64_t{progress.sector} * kDiscBlockBytes;
    status.bufferPercent = progress.buffer_capacity > 0
                               ? static_cast<int>((std::uint64_t{progress.buffer_capacity} -
                                                   progress.buffer_available) *
                                                  100 / progress.buffer_capacity)
                               : layout.QueuePercent();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    status.bytesPerSecond = seconds > 0 ? static_cast<double>(status.bytesDone) / seconds : 0;
    return status;
}

// Runs the write libburn started until the drive is idle again; answers whether the watch
// stopped it.
bool WaitForWrite(burn_drive* drive, const DiscLayout& layout, std::int64_t total,
                  const BurnWatch& watch) {
    const auto begun = std::chrono::steady_clock::now();
    while (burn_drive_get_status(drive, nullptr) == BURN_DRIVE_SPAWNING) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    bool stopped = false;
    burn_progress progress{};
    while (burn_drive_get_status(drive, &progress) != BURN_DRIVE_IDLE) {
        if (!stopped && watch && !watch(StatusOf(progress, layout, total, begun))) {
            burn_drive_cancel(drive);
            stopped = true;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return stopped;
}

// Reads the blocks of a grabbed drive for libisofs.
struct DriveBlocks {
    burn_drive* drive;
};

int OpenBlocks(IsoDataSource*) {
    return 1;
}

int CloseBlocks(IsoDataSource*) {
    return 1;
}

int ReadBlock(IsoDataSource* source, uint32_t lba, uint8_t* buffer) {
    auto* blocks = static_cast<DriveBlocks*>(source->data);
    off_t count = 0;
    const int result = burn_read_data(blocks->drive, static_cast<off_t>(lba) * kDiscBlockBytes,
                                      reinterpret_cast<char*>(buffer), kDiscBlockBytes, &count, 2);
    return result > 0 && count == kDiscBlockBytes ? 1 : ISO_DATA_SOURCE_FAILURE;
}

void FreeBlocks(IsoDataSource*) {}

// The file system on a disc as libisofs reads it, by Rock Ridge names or by Joliet names.
class DiscImage {
public:
    DiscImage(burn_drive* drive, bool joliet) : blocks_{drive} {
        source_.version = 0;
        source_.refcount = 1;
        source_.open = OpenBlocks;
        source_.close = CloseBlocks;
        source_.read_block = ReadBlock;
        source_.free_data = FreeBlocks;
        source_.data = &blocks_;
        IsoReadOpts* opts = nullptr;
        result_ = iso_read_opts_new(&opts, 0);
        if (result_ >= 0) {
            iso_read_opts_set_no_rockridge(opts, joliet ? 1 : 0);
            iso_read_opts_set_no_joliet(opts, joliet ? 0 : 1);
            iso_read_opts_set_preferjoliet(opts, joliet ? 1 : 0);
            iso_read_opts_set_no_iso1999(opts, 1);
            result_ = iso_image_new("ARBOLINK", &image_);
        }
        if (result_ >= 0) {
            result_ = iso_image_import(image_, &source_, opts, nullptr);
        }
        if (opts != nullptr) {
            iso_read_opts_free(opts);
        }
    }
    ~DiscImage() {
        if (image_ != nullptr) {
            iso_image_unref(image_);
        }
    }
    DiscImage(const DiscImage&) = delete;
    DiscImage& operator=(const DiscImage&) = delete;

    // Empty when the file system was read; otherwise why not.
    std::string Problem() const { return result_ < 0 ? iso_error_to_msg(result_) : ""; }
    IsoDir* Root() const { return iso_image_get_root(image_); }

private:
    DriveBlocks blocks_;
    IsoDataSource source_{};
    IsoImage* image_ = nullptr;
    int result_ = 0;
};

// The digest of a file's stream on the disc; false when it cannot be read.
bool StreamDigest(IsoFile* file, Sha256Digest& digest, const BetweenChunks& betweenChunks,
                  bool& cancelled) {
    IsoStream* stream = iso_file_get_stream(file);
    if (iso_stream_open(stream) < 0) {
        return false;
    }
    std::vector<char> buffer(1 << 20);
    Sha256 hash;
    std::int64_t done = 0;
    bool good = true;
    for (;;) {
        const int n = iso_stream_read(stream, buffer.data(), buffer.size());
        if (n < 0) {
            good = false;
            break;
        }
        if (n == 0) {
            break;
        }
        hash.Update(buffer.data(), static_cast<std::size_t>(n));
        done += n;
        if (betweenChunks && !betweenChunks(done)) {
            cancelled = true;
            good = false;
            break;
        }
    }
    iso_stream_close(stream);
    digest = hash.Finish();
    return good;
}

// Walks a folder of the disc; files go into digests (hashed when hashing) by their paths.
bool WalkDisc(IsoDir* folder, const std::string& prefix, bool hashing, DiscDigests& digests,
              const BetweenChunks& betweenChunks, bool& cancelled, std::string& detail) {
    IsoDirIter* iter = nullptr;
    if (iso_dir_get_children(folder, &iter) < 0) {
        return false;
    }
    bool good = true;
    IsoNode* node = nullptr;
    while (good && iso_dir_iter_next(iter, &node) == 1) {
        const std::string path = prefix + iso_node_get_name(node);
        if (iso_node_get_type(node) == LIBISO_DIR) {
            good = WalkDisc(reinterpret_cast<IsoDir*>(node), path + "/", hashing, digests,
                            betweenChunks, cancelled, detail);
        } else if (iso_node_get_type(node) == LIBISO_FILE) {
            Sha256Digest digest{};
            if (hashing &&
                !StreamDigest(reinterpret_cast<IsoFile*>(node), digest, betweenChunks, cancelled)) {
                detail = cancelled ? std::string() : path;
                good = false;
            }
            digests[path] = digest;
        }
    }
    iso_dir_iter_free(iter);
    return good;
}

// Does the work with the drive grabbed, answering what it answers: NotBuilt when the libraries
// do not start, CannotBurn with the library's words when the drive cannot be grabbed.
template <typename Work>
BurnEnd WithDrive(const std::string& drive, std::string& detail, const Work& work) {
    if (!LibrariesReady()) {
        return BurnEnd::NotBuilt;
    }
    GrabbedDrive grabbed(drive);
    if (grabbed.Get() == nullptr) {
        detail = LibraryWords();
        return BurnEnd::CannotBurn;
    }
    return work(grabbed.Get());
}

class LibBurner final : public Burner {
public:
    std::int64_t BlankBlocks(const std::string& drive, BurnEnd& why, std::string& detail) override {
        std::int64_t blocks = -1;
        const BurnEnd grabbed = WithDrive(drive, detail, [&](burn_drive* grabbedDrive) {
            blocks = BlankBlocksOf(grabbedDrive, drive, why, detail);
            return BurnEnd::Written;
        });
        if (grabbed != BurnEnd::Written) {
            why = grabbed;
        }
        return blocks;
    }

    BurnEnd Burn(const std::string& drive, const std::string& folder, std::int64_t limitBlocks,
                 const BurnWatch& watch, std::int64_t& imageBlocks, std::string& detail) override {
        return WithDrive(drive, detail, [&](burn_drive* grabbed) {
            return BurnFolder(grabbed, drive, folder, limitBlocks, watch, imageBlocks, detail);
        });
    }

    BurnEnd Blank(const std::string& drive, const BlankWatch& watch, std::string& detail) override {
        return WithDrive(drive, detail, [&](burn_drive* grabbed) {
            if (!RewritableWithData(grabbed, drive)) {
                detail = LibraryWords();
                return BurnEnd::NoBlankDisc;
            }
            return BlankDisc(grabbed, watch, detail);
        });
    }

    void Discard(const std::string& drive) override { DropImage(drive); }

    void Eject(const std::string& drive) override {
        if (!IsImageDrive(drive) && LibrariesReady()) {
            GrabbedDrive grabbed(drive, true);
        }
    }

    bool ReadBack(const std::string& drive, DiscDigests& digests,
                  const BetweenChunks& betweenChunks, bool& cancelled,
                  std::string& detail) override {
        cancelled = false;
        bool read = false;
        WithDrive(drive, detail, [&](burn_drive* grabbed) {
            read = ReadDisc(grabbed, digests, betweenChunks, cancelled, detail);
            return BurnEnd::Written;
        });
        return read;
    }

private:
    // Burns the folder onto the blank disc in the grabbed drive.
    static BurnEnd BurnFolder(burn_drive* grabbed, const std::string& drive,
                              const std::string& folder, std::int64_t limitBlocks,
                              const BurnWatch& watch, std::int64_t& imageBlocks,
                              std::string& detail) {
        BurnEnd why = BurnEnd::Written;
        const std::int64_t room = BlankBlocksOf(grabbed, drive, why, detail);
        if (room < 0) {
            return why;
        }
        const BurnEnd probed = ProbeTree(folder, detail);
        if (probed != BurnEnd::Written) {
            return probed;
        }
        ImageTree tree;
        burn::burn_source* image = tree.Open(folder, detail);
        if (image == nullptr) {
            return BurnEnd::WriteFailed;
        }
        DiscLayout layout(image, !IsImageDrive(drive));
        const std::int64_t bytes = static_cast<std::int64_t>(image->get_size(image));
        imageBlocks = bytes / kDiscBlockBytes;
        if (imageBlocks > room || (limitBlocks > 0 && imageBlocks > limitBlocks)) {
            layout.StopImage();
            return BurnEnd::DiscTooSmall;
        }
        const BurnEnd end = Write(grabbed, layout, bytes, watch, detail);
        if (end != BurnEnd::Written) {
            DropImage(drive);
        }
        return end;
    }

    // Reads every file of the disc in the grabbed drive into digests.
    static bool ReadDisc(burn_drive* grabbed, DiscDigests& digests,
                         const BetweenChunks& betweenChunks, bool& cancelled, std::string& detail) {
        DiscImage rockRidge(grabbed, false);
        if (!rockRidge.Problem().empty()) {
            detail = rockRidge.Problem();
            return false;
        }
        if (!WalkDisc(rockRidge.Root(), "", true, digests, betweenChunks, cancelled, detail)) {
            return false;
        }
        // Windows reads the Joliet names: they must be the same names.
        DiscImage joliet(grabbed, true);
        DiscDigests jolietNames;
        if (!joliet.Problem().empty() ||
            !WalkDisc(joliet.Root(), "", false, jolietNames, {}, cancelled, detail)) {
            detail = "Joliet";
            return false;
        }
        const bool sameNames =
            std::equal(digests.begin(), digests.end(), jolietNames.begin(), jolietNames.end(),
                       [](const auto& a, const auto& b) { return a.first == b.first; });
        if (!sameNames) {
            detail = "Joliet";
            return false;
        }
        return true;
    }

    static BurnEnd Write(burn_drive* drive, DiscLayout& layout, std::int64_t bytes,
                         const BurnWatch& watch, std::string& detail) {
        WriteOptions opts(drive);
        char reasons[BURN_REASONS_LEN] = {};
        if (burn_write_opts_auto_write_type(opts.Get(), layout.Disc(), reasons, 0) ==
            BURN_WRITE_NONE) {
            layout.StopImage();
            detail = reasons;
            return BurnEnd::CannotBurn;
        }
        burn_drive_set_speed(drive, 0, 0);
        if (!StartWrite(drive, opts.Get(), layout.Disc(), detail)) {
            layout.StopImage();
            return BurnEnd::WriteFailed;
        }
        const bool stopped = WaitForWrite(drive, layout, bytes, watch);
        if (stopped) {
            layout.StopImage();
            LibraryWords();
            return BurnEnd::Cancelled;
        }
        // A write libburn ended early without a word of failure is no disc either: only the
        // whole image taken by the drive is.
        if (burn_drive_wrote_well(drive) == 0 || layout.BytesWritten() < bytes) {
            layout.StopImage();
            detail = LibraryWords();
            return BurnEnd::WriteFailed;
        }
        return BurnEnd::Written;
    }

    // Starts libburn's write thread. The thread of the last write marks its drive idle a
    // moment before it leaves the library's list of jobs; a write asked for in that moment on
    // a drive grabbed again in the same place is refused with the drive left idle, and is
    // asked for again. False with detail when the write does not start.
    static bool StartWrite(burn_drive* drive, burn_write_opts* opts, burn_disc* disc,
                           std::string& detail) {
        for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
            burn_disc_write(opts, disc);
            if (burn_drive_get_status(drive, nullptr) != BURN_DRIVE_IDLE) {
                detail.clear();
                return true;
            }
            const LibraryMessages refused = TakeLibraryMessages();
            detail = refused.words;
            if (!refused.driveBusy) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

} // namespace

std::unique_ptr<Burner> OpenBurner() {
    return std::make_unique<LibBurner>();
}

bool BurningBuilt() {
    return true;
}

} // namespace arbolink

#endif
