// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a restore run has put into the restore folder, so that none of its files takes the place
// of another. Every file is created as new; where its name is taken, it is restored under a
// free name and told. Only where the folder held files before the run and the user chose to
// restore into it as it stands may a file found at a row's name be replaced, and never one
// this run restored (under that name or one the file system takes for it).

#include "fs/Copy.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace arbolink {

// A file restored under another name than its own: both relative to the restore folder.
struct RenamedFile {
    std::string asked;
    std::string taken;
};

class RestoredFiles {
public:
    // replaceEarlierFiles: the folder held files before the run, and the user agreed that the
    // set's files take their places.
    explicit RestoredFiles(bool replaceEarlierFiles) : replaceEarlier_(replaceEarlierFiles) {}

    // What the copy to the relative path may replace: nothing, or a file the run did not make.
    ReplaceCheck CheckFor(const std::string& relative) const;

    // Notes the copy made for the relative path, as CopyFileBelow told it.
    void Note(const std::string& relative, const CopyOutcome& outcome);

    const std::vector<RenamedFile>& Renamed() const { return renamed_; }

private:
    struct IdentityHash {
        std::size_t operator()(const FileIdentity& id) const {
            return std::hash<std::uint64_t>{}(id.file * 31 + id.volume);
        }
    };

    bool replaceEarlier_;
    // Only kept where a file may be replaced: the run's own files by identity and by their
    // paths as case-folding file systems compare them, as a file system may give one file
    // another number for each name it is looked up by.
    std::unordered_set<FileIdentity, IdentityHash> identities_;
    std::unordered_set<std::string> foldedPaths_;
    std::vector<RenamedFile> renamed_;
};

} // namespace arbolink
