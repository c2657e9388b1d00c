// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts arbolink-cli shows of its own, each in exactly one place. The commands' own
// questions and messages come from the core's message headers, unchanged.

namespace arbolink::cli::msg {

inline constexpr const char* kProgramName = "arbolink-cli";

inline constexpr const char* kHelp =
    "使い方: arbolink-cli <コマンド> [オプション]\n"
    "\n"
    "フォルダーの木を、ファイルを分けずに何枚ものディスクへ振り分けて書き、あとで元に戻します。\n"
    "\n"
    "コマンド:\n"
    "  divide SOURCE DEST             SOURCE を分割し、DEST のドライブにディスクを一枚ずつ書く\n"
    "  divide SOURCE --disk-folders DIR --capacity SIZE\n"
    "                                 ディスクを DIR/disk01、DIR/disk02 … のフォルダーに書く\n"
    "  restore DISKS DEST             DISKS のドライブからディスクを読み、DEST に復元する\n"
    "  restore --from DIR... DEST     フォルダーに置いたディスクを、どの順でも読んで復元する\n"
    "  info DISK                      ディスクが何を持っているかを表示する\n"
    "  verify DISKS                   DISKS のドライブのディスクを一枚ずつ、復元せずに検査する\n"
    "  verify --from DIR...           フォルダーに置いたディスクを、復元せずに検査する\n"
    "  divide SOURCE --burn DRIVE     SOURCE を分割し、ディスクを一枚ずつ光ディスクに焼く\n"
    "  burn --from DIR... --burn DRIVE\n"
    "                                 --disk-folders "
    "で作ったディスクのフォルダーを光ディスクに焼く\n"
    "  rebuild --from DIR... --disk N OUT\n"
    "                                 復旧用ディスクで、なくしたディスク N を OUT に作り直す\n"
    "  plan SOURCE ...                分割の計画だけを表示する\n"
    "\n"
    "  -h, --help                     使い方を表示する（コマンドの後ろでも使えます）\n"
    "  -V, --version                  版とライセンスを表示する（コマンドの後ろでも使えます）\n"
    "\n"
    "オプションの値は「--capacity 25G」とも「--capacity=25G」とも書けます。「--」の後ろは、\n"
    "「-」で始まっても、すべてフォルダーの名前として読みます。\n"
    "\n"
    "終了コード: 0 成功、1 失敗、2 使い方の誤り、3 中止またはキャンセル（Ctrl+C を含む）\n";

inline constexpr const char* kDivideHelp =
    "使い方: arbolink-cli divide SOURCE DEST [--percent P] [--program-copy] [-y|--yes]\n"
    "                            [--empty-destination] [--no-verify] [--no-eject]\n"
    "                            [--pack tight]\n"
    "       arbolink-cli divide SOURCE --disk-folders DIR --capacity SIZE\n"
    "                            [--cluster-size BYTES] [--program-copy] [-y|--yes]\n"
    "                            [--empty-destination] [--no-verify] [--pack tight]\n"
    "                            [--recovery-disks K]\n"
    "       arbolink-cli divide SOURCE --burn DRIVE [--capacity SIZE]\n"
    "                            [--disk-folders DIR] [--program-copy] [-y|--yes]\n"
    "                            [--no-verify] [--pack tight]\n"
    "\n"
    "SOURCE のファイルを、一つも分けずに何枚かのディスクへ振り分けて書きます。\n"
    "\n"
    "  DEST                  ディスクを入れるドライブのフォルダー。一枚ずつ入れ換えを求めます。\n"
    "                        次に入ったディスクを、どこにマウントされても使います\n"
    "  --percent P           ディスクの空き容量のうち使う割合、0〜100（既定 95）\n"
    "  --program-copy        1 枚目のディスクに、このプログラムもコピーする\n"
    "  --disk-folders DIR    ドライブの代わりに、ディスク n を DIR/disk01、DIR/disk02 … に書く。\n"
    "                        それぞれがディスク一枚の中身そのもので、ディスクの最上位に焼くか\n"
    "                        コピーします（セットは中の @dummy@ フォルダーにあります）\n"
    "  --capacity SIZE       --disk-folders のディスク一枚の容量。例: 1440K、4.7G、25G。\n"
    "                        K M G T は 1000 の累乗、Ki Mi Gi Ti は 1024 の累乗、数字だけはバイト\n"
    "  --cluster-size BYTES  --disk-folders のディスクの割り当て単位、512 以上（既定 2048）\n"
    "  -y, --yes             安全な質問（ディスクの枚数、次のディスク、分割先フォルダーの作成）に\n"
    "                        自分で答える。ディスクはドライブに入ったのを見てから答えます\n"
    "  --empty-destination   何かがある分割先を全削除すること（ハードディスクでは、そのまま\n"
    "                        書くこと）に同意する。これがないと --yes はその質問を断ります\n"
    "  --no-verify           書き終えたディスクを読み返して検査しない（既定では、次のディスクを\n"
    "                        求める前に、書いたファイルをディスクから読み返して確かめます）\n"
    "  --no-eject            書き終えたディスクを取り出さない（既定では、書いて確かめたディスクを\n"
    "                        取り外せるように取り出します）\n"
    "  --pack tight          ディスクを詰めて使う: ファイルを、大きいものから順に、まだ入る最初の\n"
    "                        ディスクに入れる（既定の in-order は、ディスクを一枚ずつ順に埋める）\n"
    "  --burn DRIVE          ディスクを一枚ずつ DRIVE（/dev/sr0 など）の空の光ディスクに焼き、\n"
    "                        読み返して確かめてから次の光ディスクを求めます。容量は入っている\n"
    "                        空の光ディスクから取ります（--capacity があればそれを使います）。\n"
    "                        stdio:PATH は光ディスクの代わりにイメージファイルを書きます:\n"
    "                        stdio:/x/set.iso なら /x/set-01.iso、/x/set-02.iso … で、容量は\n"
    "                        --capacity "
    "で書きます。ディスクはキャッシュ（$XDG_CACHE_HOME/arbolink）\n"
    "                        に一枚ずつ用意して焼き、焼けたら消します（--disk-folders DIR が\n"
    "                        あれば DIR に用意して残します）\n"
    "  --recovery-disks K    データのディスクの後に復旧用ディスクを K 枚（0〜8、既定 0）書く。\n"
    "                        セットのどの K 枚を失っても、rebuild で作り直せます。\n"
    "                        作業ファイルをキャッシュ（$XDG_CACHE_HOME/arbolink）に置きます\n"
    "\n"
    "質問にはボタンの文字（O、Y、N、A、R、I、C）を標準入力から答えます。\n";

inline constexpr const char* kBurnHelp =
    "使い方: arbolink-cli burn --from DIR [--from DIR ...] --burn DRIVE [--capacity SIZE]\n"
    "\n"
    "divide --disk-folders で作ったディスクのフォルダー（DIR/disk01 …）を、--from の順に一枚ずつ\n"
    "光ディスクに焼きます。光ディスクは ISO 9660 に Rock Ridge と Joliet の名前を付けたもので、\n"
    "セットは最上位の @dummy@ フォルダーにあります。焼いた光ディスクは読み返して、セットの\n"
    "チェックサムと照らし合わせてから次を求めます。\n"
    "\n"
    "  --from DIR            ディスク一枚の中身のフォルダー（何度でも書けます）\n"
    "  --burn DRIVE          焼くドライブ（/dev/sr0 など）。stdio:PATH "
    "はイメージファイルを書きます:\n"
    "                        stdio:/x/set.iso なら /x/set-01.iso、/x/set-02.iso …\n"
    "  --capacity SIZE       光ディスク一枚の容量の上限。これより大きなイメージは焼きません\n"
    "\n"
    "質問にはボタンの文字（O、A、R）を標準入力から答えます。\n";

inline constexpr const char* kRebuildHelp =
    "使い方: arbolink-cli rebuild --from DIR [--from DIR ...] --disk N OUT\n"
    "\n"
    "復旧用ディスクのあるセットのディスク N を、残ったディスクから作り直して OUT に書きます。\n"
    "OUT は --disk-folders の diskNN と同じく、ディスク一枚の中身そのものになります（セットは\n"
    "中の @dummy@ フォルダー）。書き出したファイルは、どれもセットに記録された SHA-256 と\n"
    "照らし合わせます。\n"
    "\n"
    "  --from DIR            手元にあるディスク（データのディスクと復旧用ディスク）のフォルダー\n"
    "  --disk N              作り直すディスク: 1〜データのディスクの枚数はデータのディスク、\n"
    "                        その後の番号は復旧用ディスク（divide --disk-folders の番号と同じ）\n"
    "  OUT                   空のフォルダーか、まだないフォルダー\n";

inline constexpr const char* kRestoreHelp =
    "使い方: arbolink-cli restore DISKS DEST [-y|--yes] [--empty-destination]\n"
    "       arbolink-cli restore --from DIR [--from DIR ...] DEST [-y|--yes]\n"
    "                            [--empty-destination]\n"
    "\n"
    "分割したディスクを読んで、DEST にフォルダーの木を元どおりに作ります。\n"
    "\n"
    "  DISKS                 ディスクを入れるドライブのフォルダー。どの順に入れてもかまいません。\n"
    "                        次に入ったディスクを、どこにマウントされても読みます\n"
    "  --from DIR            ディスク一枚の中身を持つフォルダー（divide --disk-folders の\n"
    "                        diskNN、またはセットのファイルを直接持つフォルダー）。何度でも\n"
    "                        書けて、どの順でも、質問なしに読みます\n"
    "  -y, --yes             安全な質問（次のディスク、復元先フォルダーの作成）に自分で答える\n"
    "  --empty-destination   何かがある復元先を全削除または上書きすることに同意する\n";

inline constexpr const char* kInfoHelp =
    "使い方: arbolink-cli info DISK [--restore-to DEST] [--json]\n"
    "\n"
    "DISK（ディスクのフォルダー、または diskNN）にあるセットについて、標準出力に表示します:\n"
    "  set            セットの ID（分割を始めた日時）\n"
    "  disk           このディスクの番号 / セットのディスク枚数\n"
    "  files-on-disk  このディスクにあるファイルの数\n"
    "  files-in-set   セット全体のファイルの数\n"
    "  case-clashes   --restore-to のときだけ: DEST が大文字と小文字を区別しないディスクなら、\n"
    "                 大文字と小文字だけが違う名前の組の数（組は標準エラーへ）。区別するなら 0\n"
    "  checksums      ディスクにチェックサム（_index.@map、_Disk.@sha256）があれば yes\n"
    "  map-disks      チェックサムの一覧によるセットのディスク枚数\n"
    "  map-files      同じくセット全体のファイルの数\n"
    "  map-size       同じくセット全体のファイルの大きさの合計（バイト）\n"
    "  sound          セットのファイルが正しければ yes、そうでなければ no（理由は標準エラーへ）\n"
    "  --restore-to DEST  復元先にするフォルダー（あるもの）。そこで名前が重なるかを調べます\n"
    "  --json         同じことを JSON のオブジェクト一つで表示する（disk は disk と disks "
    "に分け、\n"
    "                 sound と checksums は true か false）\n";

inline constexpr const char* kVerifyHelp =
    "使い方: arbolink-cli verify DISKS [--json]\n"
    "       arbolink-cli verify --from DIR [--from DIR ...] [--json]\n"
    "\n"
    "セットのディスクを復元せずに検査します。格納ファイルを一つずつディスクから読み返し\n"
    "（キャッシュを通さずに）、セットの一覧（_index.@map）に記録された大きさと SHA-256 と\n"
    "比べます。\n"
    "\n"
    "  DISKS         ディスクを入れるドライブのフォルダー。セットのディスクを全部検査するか、\n"
    "                次のディスクを求める質問に N（いいえ）と答えるまで、一枚ずつ求めます\n"
    "  --from DIR    ディスク一枚の中身を持つフォルダー。何度でも書けて、どの順でも読みます\n"
    "  --json        同じことを JSON のオブジェクト一つで表示する\n"
    "\n"
    "標準出力には、タブで区切って一行ずつ表示します:\n"
    "  disk           検査したディスクの番号、フォルダー、checksums（yes、no、unreadable）\n"
    "  good、damaged、missing、unchecked、skipped\n"
    "                 ディスクの番号、格納名、元のフォルダーと名前（damaged は理由も）。\n"
    "                 unchecked はチェックサムが記録されていないファイル、skipped は\n"
    "                 キャンセルのために読まなかったファイル\n"
    "  disk-not-given 検査しなかったディスクの番号。続く not-given の行がそのファイル\n"
    "  unplaced       どのディスクにあるかが分からないファイル\n"
    "  files-good …   それぞれの数。verified はセットの全ファイルが見つかって一致すれば yes\n"
    "\n"
    "終了コード: 0 セットの全ファイルが見つかり、記録どおり、1 そうでない（チェックサムの\n"
    "ないディスクを含む）、2 使い方の誤り、3 中止またはキャンセル\n";

inline constexpr const char* kPlanHelp =
    "使い方: arbolink-cli plan SOURCE --cluster-size BYTES --free-bytes BYTES [--percent P]\n"
    "                          [--drive-root] [--program FILE] [--pack tight] [--json]\n"
    "\n"
    "SOURCE の分割を、空き容量 --free-bytes、割り当て単位 --cluster-size のディスクで計画し、\n"
    "ファイルごとに「フォルダー、名前、格納名、大きさ、ディスク」をタブで区切って一行ずつ\n"
    "表示します。続いて disks（枚数）、lower-bound（どう振り分けても要る最少の枚数）、usage\n"
    "（ディスクごとのクラスター数）、index-reserve を表示します。名前の中のタブなどの制御文字は、\n"
    "␉ などの記号で表示します。\n"
    "  --percent P      空き容量のうち使う割合（既定 95）\n"
    "  --drive-root     分割先がドライブの最上位のとき（@dummy@ に一クラスターを取る）\n"
    "  --program FILE   1 枚目にコピーするプログラムのファイル\n"
    "  --pack tight     ディスクを詰めて使う計画にする（divide の --pack と同じ）\n"
    "  --json           同じことを JSON のオブジェクト一つで表示する（名前は正確に）\n";

// arbolink-cli --version: the program, the product, its version, the copyright line and the
// licence notice.
inline constexpr const char* kVersion = "%s (%s) %s\n%s\n%s";

// Bad usage: "arbolink-cli: " + what is wrong + the hint, on one line. A text without %s
// names no word.
inline constexpr const char* kUsagePrefix = "arbolink-cli: ";
inline constexpr const char* kHelpHint = "（%s --help を参照）\n";
inline constexpr const char* kNoCommand = "コマンドがありません";
inline constexpr const char* kUnknownCommand = "「%s」というコマンドはありません";
inline constexpr const char* kUnknownOption = "「%s」というオプションはありません";
inline constexpr const char* kMissingValue = "%s の後ろに値がありません";
inline constexpr const char* kFlagWithValue = "%s は値を取りません";
inline constexpr const char* kRepeatedOption = "%s が二度あります";
inline constexpr const char* kBadPercent = "--percent は 0 から 100 までの整数です: %s";
inline constexpr const char* kBadRecoveryDisks = "--recovery-disks は 0 から 8 までの整数です: %s";
inline constexpr const char* kBadCapacity = "--capacity を大きさとして読めません: %s";
inline constexpr const char* kBadClusterSize = "--cluster-size は 512 以上の整数です: %s";
inline constexpr const char* kCapacityBelowCluster =
    "--capacity が --cluster-size より小さいため、ディスクに何も入りません";
inline constexpr const char* kCapacityTooLarge =
    "--capacity を --cluster-size で割ると 2147483647 を超えます";
inline constexpr const char* kWantSourceAndDestination = "SOURCE と DEST が必要です";
inline constexpr const char* kWantSourceOnly =
    "--disk-folders があるときは SOURCE だけを書きます（DEST は書きません）";
inline constexpr const char* kWantCapacity = "--disk-folders には --capacity が必要です";
inline constexpr const char* kStagingOnly = "%s は --disk-folders と一緒にだけ使えます";
inline constexpr const char* kNotWithStaging = "%s は --disk-folders と一緒には使えません";
inline constexpr const char* kWantSourceOnlyBurn =
    "--burn があるときは SOURCE だけを書きます（DEST は書きません）";
inline constexpr const char* kNotWithBurn = "%s は --burn と一緒には使えません";
inline constexpr const char* kImageWantsCapacity =
    "stdio: のドライブにはディスクがないため、--capacity でディスク一枚の容量を書きます";
inline constexpr const char* kWantFromAndBurn =
    "--from と --burn が必要です（ほかにフォルダーは書きません）";
inline constexpr const char* kCapacityBelowBlock =
    "--capacity が 2048 バイトより小さいため、ディスクに何も入りません";
inline constexpr const char* kWantDisksAndDestination = "DISKS と DEST が必要です";
inline constexpr const char* kWantDestinationOnly =
    "--from があるときは DEST だけを書きます（DISKS は書きません）";
inline constexpr const char* kWantDisk = "DISK が一つ必要です";
inline constexpr const char* kWantFromAndOut = "--from と OUT が必要です";
inline constexpr const char* kBadDiskNumber = "--disk は 1 以上の整数です: %s";
inline constexpr const char* kWantDisks = "DISKS が一つ必要です";
inline constexpr const char* kWantNoOperands =
    "--from があるときは、ほかにフォルダーを書きません（DISKS は書きません）";
inline constexpr const char* kWantSource = "SOURCE が一つ必要です";
inline constexpr const char* kWantOption = "%s が必要です";
inline constexpr const char* kBadPlanClusterSize = "--cluster-size は 1 以上の整数です: %s";
inline constexpr const char* kBadFreeBytes = "--free-bytes は 0 以上の整数です: %s";
inline constexpr const char* kBadPacking = "--pack は tight か in-order です: %s";

// Failures of the tool's own checks.
inline constexpr const char* kOutputFailed = "標準出力に書き込めませんでした\n";
inline constexpr const char* kSourceMissing = "複写元フォルダーがありません: %s\n";
inline constexpr const char* kFromFolderMissing = "--from のフォルダーがありません: %s\n";
inline constexpr const char* kStagingFolderMissing = "分割先フォルダーを作成できませんでした: %s\n";
inline constexpr const char* kDisksInDestination =
    "復元先フォルダーと分割ディスクのフォルダーが重なっているため、復元を中止します: %s\n";
inline constexpr const char* kNotDiskFolder =
    "ディスク一枚の中身のフォルダーではありません（@dummy@ にセットのファイルがありません）: %s\n";
inline constexpr const char* kNoSetHere =
    "このフォルダーには分割ディスクのファイル（_index.@txt、_Disk.@ID）がありません: %s\n";

// How the terminal answers questions.
inline constexpr const char* kAnsweredByYes = "%s（--yes）\n";
inline constexpr const char* kRefusedByYes =
    "%s（--yes はこの質問に同意しません。同意するには --empty-destination を付けます）\n";
inline constexpr const char* kNoAnswer = "%s（標準入力に答えがありません）\n";
inline constexpr const char* kInterruptedAnswer = "%s（Ctrl+C）\n";
inline constexpr const char* kWaitingForMedium =
    "（ドライブにディスクが入るのを待っています。Ctrl+C で中止します）\n";
inline constexpr const char* kWaitingForSwap =
    "（ディスクの入れ換えを待っています。Ctrl+C で中止します）\n";

// info: problems that make a disk's set files unsound, one a line on standard error.
inline constexpr const char* kInfoUnreadable = "読めません: %s\n";
inline constexpr const char* kInfoUnsafeRow =
    "インデックスの %lld 件目は、復元先フォルダーの外を指すか、使えない名前です\n";
inline constexpr const char* kInfoStray = "インデックスにないものがディスクにあります: %s\n";
inline constexpr const char* kInfoStoredNotPlain =
    "格納ファイルが普通のファイルではありません（リンク、フォルダーなど）: %s\n";
inline constexpr const char* kInfoNoProbe =
    "復元先フォルダーにファイルを作れないため、大文字と小文字を区別するか調べられません: %s\n";
inline constexpr const char* kInfoSameStoredName =
    "インデックスの %lld 件目の格納名 %s は、ほかの行と同じです\n";

} // namespace arbolink::cli::msg
