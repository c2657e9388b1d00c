#pragma once
// The texts the split planning shows, each in exactly one place.

namespace arbolink::msg {

inline constexpr const char* kTooManyCopyFiles = "複写ファイルが多すぎます";
inline constexpr const char* kTooManyCopyFilesAlloc = "複写ファイルが多すぎます。";
inline constexpr const char* kTooManyFiles = "ファイルが多すぎます。";
inline constexpr const char* kCancelled = "途中でキャンセルされました。";
inline constexpr const char* kFileTooLarge =
    "　　　　一枚に入りきらないファイルがあります\n\nこのソフトは、１つのファイルの分割をサポート"
    "していません\n\n　　　　　　　　分割を中止します";

inline constexpr const char* kPlanningCaption = "準備中．．．";
inline constexpr const char* kPlanningMessage = "ディスクの必要枚数を\n\n確認しています";
inline constexpr const char* kStageWalk = "ファイルをチェック中";
inline constexpr const char* kStageSort = "ファイルをソート中";
inline constexpr const char* kStageSameNames = "同名ファイルのチェック中";
inline constexpr const char* kStageAssign = "ファイルの分割中";

inline constexpr const char* kProgramRowFolder = "main body";

// The list of what the walk leaves behind, shown once before the disk-count question.
inline constexpr const char* kNotCarriedHeader = "次のものは分割されません（%d 件）。\n";
inline constexpr const char* kNotCarriedMore = "ほか %d 件";
inline constexpr const char* kReasonLinkToFolder = "フォルダーへのリンク";
inline constexpr const char* kReasonDanglingLink = "リンク先がありません";
inline constexpr const char* kReasonSpecialFile = "特殊ファイル";
inline constexpr const char* kReasonUnreadableFolder = "読み取れないフォルダー";
inline constexpr const char* kReasonLineBreakInName = "名前に改行が含まれています";
inline constexpr const char* kReasonSeparatorInFolderName = "フォルダー名に \\ が含まれています";
inline constexpr const char* kReasonNotUtf8Name = "名前の文字コードが UTF-8 ではありません";

} // namespace arbolink::msg
