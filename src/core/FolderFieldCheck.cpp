// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FolderFieldCheck.h"

#include "fs/Drives.h"
#include "fs/Folders.h"

namespace arbolink {

FolderCheck CheckFolderField(Host& host, const std::string& folder, Field field,
                             const Phrase& notReadyText, const Phrase& missingText,
                             AfterWait afterWait) {
    if (DriveFreeBytes(folder) == -1) {
        do {
            if (host.ShowDialog(DialogKind::Error, notReadyText, {Button::Ok, Button::Abort}) ==
                Button::Abort) {
                return FolderCheck::Ended;
            }
        } while (DriveFreeBytes(folder) == -1);
        if (afterWait == AfterWait::SkipFolderQuestion) {
            return FolderCheck::Ready;
        }
    }
    if (FolderExists(folder)) {
        return FolderCheck::Ready;
    }
    if (host.ShowDialog(DialogKind::Confirmation, missingText, {Button::Yes, Button::No}) ==
        Button::Yes) {
        return CreateFolders(folder) ? FolderCheck::Created : FolderCheck::NotCreated;
    }
    host.SelectFieldText(field);
    return FolderCheck::Ended;
}

} // namespace arbolink
