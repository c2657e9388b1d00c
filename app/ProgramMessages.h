#pragma once
// What the program writes on its command line: its usage and its version.

namespace arbolink::msg {

inline constexpr const char* kUsage =
    "使い方: arbolink [オプション]\n"
    "\n"
    "フォルダーの木を、ファイルを分けずに何枚ものディスクへ振り分けて書き、あとで元に戻す\n"
    "ウィンドウを開きます。コマンドラインからは arbolink-cli を使います。\n"
    "\n"
    "  -h, --help       使い方を表示する\n"
    "  -V, --version    版を表示する\n"
    "\n"
    "Qt のオプション（-platform など）も使えます。\n";
// Followed by the path of the manual's first page.
inline constexpr const char* kManualFound = "マニュアル: ";
inline constexpr const char* kManualNotFound = "マニュアルが見つかりません: ";
// After the product's name and version and the copyright line.
inline constexpr const char* kLicenceNotice =
    "ライセンス GPL-3.0-or-later: GNU GPL 第 3 版またはそれ以降 "
    "<https://www.gnu.org/licenses/gpl-3.0.html>\n"
    "これはフリーソフトウェアです。自由に変更し、再配布できます。\n"
    "法律が許す限り、無保証です。\n";

} // namespace arbolink::msg
