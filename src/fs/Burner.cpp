// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/Burner.h"

#include "fs/Drives.h"

#include <cstdio>
#include <string_view>

namespace arbolink {

namespace {

constexpr const char* kImagePrefix = "stdio:";

} // namespace

bool IsImageDrive(const std::string& drive) {
    return drive.starts_with(kImagePrefix);
}

bool IsAbsoluteImageDrive(const std::string& drive) {
    return IsImageDrive(drive) && !VolumeRootOf(ImageFilePath(drive)).empty();
}

std::string ImageFilePath(const std::string& drive) {
    return drive.substr(std::string_view(kImagePrefix).size());
}

std::string DriveForDisc(const std::string& drive, std::int32_t disc) {
    if (!IsImageDrive(drive)) {
        return drive;
    }
    char number[24];
    std::snprintf(number, sizeof number, "-%02d", static_cast<int>(disc));
    const std::size_t slash = drive.find_last_of('/');
    const std::size_t nameStart =
        slash == std::string::npos ? std::string_view(kImagePrefix).size() : slash + 1;
    const std::size_t dot = drive.find_last_of('.');
    // A dot that starts the name (".iso") or lies in a folder's name is no extension's.
    const std::size_t at = dot == std::string::npos || dot <= nameStart ? drive.size() : dot;
    std::string result = drive.substr(0, at);
    result += number;
    result += drive.substr(at);
    return result;
}

#if !ARBOLINK_BURN
namespace {

// Every call refuses: the build has no disc library.
class NoBurner final : public Burner {
public:
    std::int64_t BlankBlocks(const std::string&, BurnEnd& why, std::string&) override {
        why = BurnEnd::NotBuilt;
        return -1;
    }
    BurnEnd Burn(const std::string&, const std::string&, std::int64_t, const BurnWatch&,
                 std::int64_t&, std::string&) override {
        return BurnEnd::NotBuilt;
    }
    bool ReadBack(const std::string&, DiscDigests&, const BetweenChunks&, bool& cancelled,
                  std::string&) override {
        cancelled = false;
        return false;
    }
    BurnEnd Blank(const std::string&, const BlankWatch&, std::string&) override {
        return BurnEnd::NotBuilt;
    }
    void Discard(const std::string&) override {}
    void Eject(const std::string&) override {}
};

} // namespace

std::unique_ptr<Burner> OpenBurner() {
    return std::make_unique<NoBurner>();
}

bool BurningBuilt() {
    return false;
}
#endif

} // namespace arbolink
