// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.

#include <string>

namespace arbolink::test {

// A path written with "/" in the platform's own form.
std::string PlatformForm(std::string path);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a final separator.
    const std::string& path() const { return path_; }
    // path() + the separator + relative, whose "/" become the platform's separator.
    std::string operator/(const std::string& relative) const;

    // Writes a file below the folder, creating missing folders; relative uses "/".
    void WriteFile(const std::string& relative, const std::string& contents) const;
    void MakeFolder(const std::string& relative) const;
    std::string ReadFile(const std::string& relative) const;

private:
    std::string path_;
};

} // namespace arbolink::test
