// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Host.h"

#include "core/HostMessages.h"

namespace arbolink {

const char* CaptionOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Plain:
        return "Arbolink";
    case DialogKind::Warning:
        return msg::kCaptionWarning.c_str();
    case DialogKind::Error:
        return msg::kCaptionError.c_str();
    case DialogKind::Information:
        return msg::kCaptionInformation.c_str();
    case DialogKind::Confirmation:
        return msg::kCaptionConfirmation.c_str();
    }
    return "";
}

const char* CaptionOf(Button button) {
    switch (button) {
    case Button::Ok:
        return "OK";
    case Button::Cancel:
        return msg::kButtonCancel.c_str();
    case Button::Yes:
        return msg::kButtonYes.c_str();
    case Button::No:
        return msg::kButtonNo.c_str();
    case Button::Abort:
        return msg::kButtonAbort.c_str();
    case Button::Retry:
        return msg::kButtonRetry.c_str();
    case Button::Ignore:
        return msg::kButtonIgnore.c_str();
    }
    return "";
}

} // namespace arbolink
