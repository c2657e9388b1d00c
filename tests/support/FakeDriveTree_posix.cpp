// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeDriveTree_posix.h"

#include "fs/Drives.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace arbolink::test {

namespace {

namespace stdfs = std::filesystem;

// The kernel's escapes for blanks, tabs, line feeds and backslashes in mountinfo.
std::string Escaped(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        switch (c) {
        case ' ':
            escaped += "\\040";
            break;
        case '\t':
            escaped += "\\011";
            break;
        case '\n':
            escaped += "\\012";
            break;
        case '\\':
            escaped += "\\134";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

FakeDriveTree::FakeDriveTree() {
    folder_.MakeFolder("mnt");
    AddDisk("pci0000:00/0000:00:02.0/virtio1/block/vda", "254:0", false);
    lines_ = "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n";
    WriteMountInfo();
    SetDriveSystemRoot(folder_.path());
}

FakeDriveTree::~FakeDriveTree() {
    SetDriveSystemRoot("");
}

void FakeDriveTree::AddDisk(const std::string& devicePath, const std::string& number,
                            bool removable) {
    AddDeviceFile(devicePath + "/removable", removable ? "1\n" : "0\n");
    Link("sys/dev/block/" + number, "../../devices/" + devicePath);
}

void FakeDriveTree::AddPartition(const std::string& devicePath, const std::string& name,
                                 const std::string& number) {
    AddDeviceFile(devicePath + "/" + name + "/partition", "1\n");
    Link("sys/dev/block/" + number, "../../devices/" + devicePath + "/" + name);
    Link("sys/class/block/" + name, "../../devices/" + devicePath + "/" + name);
}

void FakeDriveTree::AddDeviceFile(const std::string& relative, const std::string& contents) {
    folder_.WriteFile("sys/devices/" + relative, contents);
}

void FakeDriveTree::AddDeviceLink(const std::string& relative, const std::string& target) {
    Link("sys/devices/" + relative, target);
}

void FakeDriveTree::AddDeviceNode(const std::string& name, const std::string& target) {
    if (target.empty()) {
        folder_.WriteFile("dev/" + name, "");
    } else {
        Link("dev/" + name, target);
    }
}

void FakeDriveTree::AddOpticalDrive(const std::string& devicePath, const std::string& number) {
    AddDisk(devicePath, number, true);
    const std::string name = stdfs::path(devicePath).filename().string();
    Link("sys/class/block/" + name, "../../devices/" + devicePath);
    AddDeviceNode(name);
}

void FakeDriveTree::AddLabel(const std::string& escapedLabel, const std::string& deviceName) {
    Link("dev/disk/by-label/" + escapedLabel, "../../" + deviceName);
}

std::string FakeDriveTree::Mount(const std::string& mountName, const std::string& number,
                                 const std::string& fsType, const std::string& source) {
    std::string mountPoint = mounts() + "/" + mountName;
    stdfs::create_directories(mountPoint);
    std::ostringstream line;
    line << "40 27 " << number << " / " << Escaped(mountPoint) << " rw,relatime shared:1 - "
         << fsType << " " << Escaped(source) << " rw\n";
    lines_ += line.str();
    WriteMountInfo();
    return mountPoint;
}

void FakeDriveTree::Unmount(const std::string& mountPoint) {
    std::istringstream in(lines_);
    std::string kept;
    std::string line;
    std::string field = " " + Escaped(mountPoint) + " ";
    while (std::getline(in, line)) {
        if (line.find(field) == std::string::npos) {
            kept += line + "\n";
        }
    }
    lines_ = kept;
    WriteMountInfo();
}

void FakeDriveTree::WriteMountInfo() const {
    folder_.WriteFile("proc/self/mountinfo", lines_);
}

void FakeDriveTree::Link(const std::string& linkRelative, const std::string& target) const {
    stdfs::path link = stdfs::path(folder_.path()) / linkRelative;
    stdfs::create_directories(link.parent_path());
    std::error_code error;
    stdfs::create_directory_symlink(target, link, error);
    ASSERT_FALSE(error) << "cannot link " << link << ": " << error.message();
}

} // namespace arbolink::test
