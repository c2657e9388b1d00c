// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small FAT file system in an image file, mounted at a folder through FUSE (fusefat): a file
// system that does not tell letter case apart, as a USB stick's. Needs mkfs.vfat, fusefat and
// the right to use FUSE.

#include <string>

namespace arbolink::test {

class FatImage {
public:
    // Does not mount yet; the folder must exist.
    FatImage(std::string image, std::string mountPoint);
    ~FatImage();
    FatImage(const FatImage&) = delete;
    FatImage& operator=(const FatImage&) = delete;

    // Makes a fresh FAT file system of that size and mounts it, writable; false (with the
    // reason in error()) when a tool is missing or mounting fails.
    bool Mount(int mebibytes);
    const std::string& error() const { return error_; }

private:
    std::string image_;
    std::string mountPoint_;
    bool mounted_ = false;
    std::string error_;
};

} // namespace arbolink::test
