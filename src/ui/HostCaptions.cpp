// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HostCaptions.h"

#include "Product.h"

#include <QCoreApplication>

namespace arbolink {

namespace {

// The catalogue needs the captions written out where lupdate finds them; in Japanese they are
// the core's CaptionOf texts, byte for byte (the Host's tests compare the two).
const char* CaptionSource(DialogKind kind) {
    switch (kind) {
    case DialogKind::Plain:
        return kProductName;
    case DialogKind::Warning:
        return QT_TRANSLATE_NOOP("arbolink::Host", "警告");
    case DialogKind::Error:
        return QT_TRANSLATE_NOOP("arbolink::Host", "エラー");
    case DialogKind::Information:
        return QT_TRANSLATE_NOOP("arbolink::Host", "情報");
    case DialogKind::Confirmation:
        return QT_TRANSLATE_NOOP("arbolink::Host", "確認");
    }
    return "";
}

const char* CaptionSource(Button button) {
    switch (button) {
    case Button::Ok:
        return QT_TRANSLATE_NOOP("arbolink::Host", "OK");
    case Button::Cancel:
        return QT_TRANSLATE_NOOP("arbolink::Host", "キャンセル");
    case Button::Yes:
        return QT_TRANSLATE_NOOP("arbolink::Host", "はい(&Y)");
    case Button::No:
        return QT_TRANSLATE_NOOP("arbolink::Host", "いいえ(&N)");
    case Button::Abort:
        return QT_TRANSLATE_NOOP("arbolink::Host", "中止(&A)");
    case Button::Retry:
        return QT_TRANSLATE_NOOP("arbolink::Host", "再試行(&R)");
    case Button::Ignore:
        return QT_TRANSLATE_NOOP("arbolink::Host", "無視(&I)");
    }
    return "";
}

} // namespace

QString WindowCaption(DialogKind kind) {
    return QCoreApplication::translate("arbolink::Host", CaptionSource(kind));
}

QString WindowCaption(Button button) {
    return QCoreApplication::translate("arbolink::Host", CaptionSource(button));
}

} // namespace arbolink
