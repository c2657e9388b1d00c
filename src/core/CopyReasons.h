#pragma once
// Why a file copy failed, in the user's words: the split run and the restore run both name
// the reason in their copy-failure dialogs.

#include <string>

namespace arbolink {

namespace msg {

// Reasons a copy failed, from the system's error numbers.
inline constexpr const char* kReasonNoSpace = "ディスクの空き容量が足りません。";
inline constexpr const char* kReasonAccess = "アクセスが拒否されました。";
inline constexpr const char* kReasonNotFound = "ファイルが見つかりません。";
inline constexpr const char* kReasonReadOnly = "ディスクが書き込み禁止です。";
inline constexpr const char* kReasonIo = "ディスクの読み書きでエラーが起きました。";
inline constexpr const char* kReasonName = "この名前のファイルは作れません。";
inline constexpr const char* kReasonTooLarge =
    "コピー先のファイルシステムには大きすぎるファイルです。";
inline constexpr const char* kReasonNotRegular = "通常のファイルではありません。";
// Any other error number: its value and the system's own text.
inline constexpr const char* kReasonOther = "エラー %d（%s）";

} // namespace msg

// The reason for the system's error number from a failed copy.
std::string CopyFailureReason(int error);

} // namespace arbolink
