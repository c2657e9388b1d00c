// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Host.h"

namespace arbolink {

const char* CaptionOf(DialogKind kind) {
    switch (kind) {
    case DialogKind::Plain:
        return "Arbolink";
    case DialogKind::Warning:
        return "警告";
    case DialogKind::Error:
        return "エラー";
    case DialogKind::Information:
        return "情報";
    case DialogKind::Confirmation:
        return "確認";
    }
    return "";
}

const char* CaptionOf(Button button) {
    switch (button) {
    case Button::Ok:
        return "OK";
    case Button::Cancel:
        return "キャンセル";
    case Button::Yes:
        return "はい(&Y)";
    case Button::No:
        return "いいえ(&N)";
    case Button::Abort:
        return "中止(&A)";
    case Button::Retry:
        return "再試行(&R)";
    case Button::Ignore:
        return "無視(&I)";
    }
    return "";
}

} // namespace arbolink
