// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A set whose names meet on a file system that folds letter case or normalises Unicode, and
// the check that a restore of it brought every file back under some name.

#include "support/DiskSetFixture.h"

#include <string>
#include <vector>

namespace arbolink::test {

// "A.txt" and "a.txt", folders "Docs" and "docs" holding "report.txt" each, and with
// unicodeForms "café.txt" in its composed and decomposed forms; each file's contents differ
// from every other's.
std::vector<SetFile> CaseClashFiles(bool unicodeForms = true);

// After a restore of the files into the folder out, whose closing message is closing: every
// file's contents lie at its own path or at the new path the message gives it, and the folder
// holds exactly as many files as the set. Answers the number of files the message names as
// renamed.
std::size_t ExpectEveryFileBack(const std::string& out, const std::string& closing,
                                const std::vector<SetFile>& files);

} // namespace arbolink::test
