// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program writes on its command line: its usage and its version. Written out through
// the window's catalogue, in the context "arbolink::Program".

#include <QtGlobal>

namespace arbolink::msg {

inline constexpr const char* kUsage = QT_TRANSLATE_NOOP(
    "arbolink::Program",
    "使い方: arbolink [オプション]\n"
    "\n"
    "フォルダーの木を、ファイルを分けずに何枚ものディスクへ振り分けて書き、あとで元に戻す\n"
    "ウィンドウを開きます。コマンドラインからは arbolink-cli を使います。\n"
    "\n"
    "  -h, --help       使い方を表示する\n"
    "  -V, --version    版を表示する\n"
    "\n"
    "Qt のオプション（-platform など）も使えます。\n");

// Followed by the path of the manual's first page.
inline constexpr const char* kManualFound = QT_TRANSLATE_NOOP("arbolink::Program", "マニュアル: ");
inline constexpr const char* kManualNotFound =
    QT_TRANSLATE_NOOP("arbolink::Program", "マニュアルが見つかりません: ");
} // namespace arbolink::msg
