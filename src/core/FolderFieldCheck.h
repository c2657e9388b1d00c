// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check a command makes of a folder field before it uses the folder: the drive must
// answer, and a missing folder on a drive that answers is created on the user's Yes.

#include "core/Host.h"
#include "core/Phrase.h"

#include <string>

namespace arbolink {

enum class FolderCheck {
    Ready,      // the drive answers; the folder exists or was waited for
    Created,    // the folder was missing and has been created on the user's Yes
    NotCreated, // the user said Yes, but the folder could not be created
    Ended,      // the user chose Abort or No: the command ends
};

// Whether a drive that answered only after an OK is asked about its folder as well.
enum class AfterWait { SkipFolderQuestion, AskFolderQuestion };

// While the folder's drive does not answer: an error dialog notReadyText with OK and Abort,
// again after every OK until the drive answers; Abort ends. A drive that answers only after
// an OK is asked about the folder only with AskFolderQuestion. Otherwise a missing folder
// gives the confirmation missingText with Yes and No: Yes creates it with its parents, No
// selects the field's text.
FolderCheck CheckFolderField(Host& host, const std::string& folder, Field field,
                             const Phrase& notReadyText, const Phrase& missingText,
                             AfterWait afterWait = AfterWait::SkipFolderQuestion);

} // namespace arbolink
