// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of the commands' questions the tool may answer by itself when told --yes, told by
// their texts, which the core's message headers hold.

#include <optional>
#include <string>

namespace arbolink::cli {

enum class QuestionKind {
    Ask,          // always asked on the terminal
    Confirm,      // a safe default: the disk count, creating a missing destination folder
    MediumWanted, // a disk must be in the drive: go on once a medium answers there
    SwapWanted,   // another disk must be put in: go on once the medium was out and is back
    Destructive,  // emptying, or writing over, a destination that holds files
};

QuestionKind KindOfQuestion(const std::string& text);

// The closing message of a split or restore run that carried every file.
bool IsClosingSuccess(const std::string& text);

// The closing message that follows an Abort: it names what was left undone, and the command
// still counts as ended by the answer.
bool IsClosingAfterAbort(const std::string& text);

// The parts of the two above for the divide side and for the restore side: their message
// headers cannot meet in one source file. nullopt for a text that is not theirs.
std::optional<QuestionKind> KindOfDivideQuestion(const std::string& text);
std::optional<QuestionKind> KindOfRestoreQuestion(const std::string& text);
bool IsDivideSuccess(const std::string& text);
bool IsRestoreSuccess(const std::string& text);
bool IsRestoreAborted(const std::string& text);

} // namespace arbolink::cli
