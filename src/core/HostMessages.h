// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The captions of the message dialogs and their buttons (see CaptionOf in core/Host.h).

#include "core/Phrase.h"

namespace arbolink::msg {
ARBOLINK_PHRASE(kCaptionWarning, "警告", "Warning");
ARBOLINK_PHRASE(kCaptionError, "エラー", "Error");
ARBOLINK_PHRASE(kCaptionInformation, "情報", "Information");
ARBOLINK_PHRASE(kCaptionConfirmation, "確認", "Confirm");
ARBOLINK_PHRASE(kButtonCancel, "キャンセル", "Cancel");
ARBOLINK_PHRASE(kButtonYes, "はい(&Y)", "&Yes");
ARBOLINK_PHRASE(kButtonNo, "いいえ(&N)", "&No");
ARBOLINK_PHRASE(kButtonAbort, "中止(&A)", "&Abort");
ARBOLINK_PHRASE(kButtonRetry, "再試行(&R)", "&Retry");
ARBOLINK_PHRASE(kButtonIgnore, "無視(&I)", "&Ignore");

} // namespace arbolink::msg
