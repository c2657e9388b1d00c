// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts arbolink-cli shows of its own, each in exactly one place. The commands' own
// questions and messages come from the core's message headers, unchanged.

#include "core/Phrase.h"

namespace arbolink::cli::msg {

inline constexpr const char* kProgramName = "arbolink-cli";

ARBOLINK_PHRASE(
    kHelp,
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
    "終了コード: 0 成功、1 失敗、2 使い方の誤り、3 中止またはキャンセル（Ctrl+C を含む）\n",
    "Usage: arbolink-cli <command> [options]\n"
    "\n"
    "Writes a folder tree onto several disks without splitting any file, and puts it\n"
    "back later.\n"
    "\n"
    "Commands:\n"
    "  divide SOURCE DEST             divide SOURCE and write the disks one by one in\n"
    "                                 DEST's drive\n"
    "  divide SOURCE --disk-folders DIR --capacity SIZE\n"
    "                                 write the disks into the folders DIR/disk01,\n"
    "                                 DIR/disk02, ...\n"
    "  restore DISKS DEST             read the disks from DISKS's drive and restore\n"
    "                                 them into DEST\n"
    "  restore --from DIR... DEST     restore from disks kept in folders, read in any\n"
    "                                 order\n"
    "  info DISK                      show what a disk holds\n"
    "  verify DISKS                   check the disks in DISKS's drive one by one,\n"
    "                                 without restoring\n"
    "  verify --from DIR...           check disks kept in folders, without restoring\n"
    "  divide SOURCE --burn DRIVE     divide SOURCE and burn the disks one by one onto\n"
    "                                 optical discs\n"
    "  burn --from DIR... --burn DRIVE\n"
    "                                 burn disk folders made by --disk-folders onto\n"
    "                                 optical discs\n"
    "  rebuild --from DIR... --disk N OUT\n"
    "                                 rebuild lost disk N into OUT with the recovery\n"
    "                                 disks\n"
    "  plan SOURCE ...                show the plan of a divide only\n"
    "\n"
    "  -h, --help                     show this help (also after a command)\n"
    "  -V, --version                  show the version and licence (also after a\n"
    "                                 command)\n"
    "\n"
    "An option's value may be written \"--capacity 25G\" or \"--capacity=25G\".\n"
    "Everything after \"--\" is read as a folder name, even when it starts with \"-\".\n"
    "\n"
    "Exit status: 0 success, 1 failure, 2 usage error, 3 aborted or cancelled (Ctrl+C\n"
    "included)\n");

ARBOLINK_PHRASE(
    kDivideHelp,
    "使い方: arbolink-cli divide SOURCE DEST [--percent P] [--program-copy] [-y|--yes]\n"
    "                            [--empty-destination] [--no-verify] [--no-eject]\n"
    "                            [--pack tight]\n"
    "       arbolink-cli divide SOURCE --disk-folders DIR --capacity SIZE\n"
    "                            [--cluster-size BYTES] [--program-copy] [-y|--yes]\n"
    "                            [--empty-destination] [--no-verify] [--pack tight]\n"
    "                            [--recovery-disks K]\n"
    "       arbolink-cli divide SOURCE --burn DRIVE [--capacity SIZE]\n"
    "                            [--disk-folders DIR] [--program-copy] [-y|--yes]\n"
    "                            [--no-verify] [--no-eject] [--pack tight]\n"
    "                            [--recovery-disks K]\n"
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
    "質問にはボタンの文字（O、Y、N、A、R、I、C）を標準入力から答えます。\n",
    "Usage: arbolink-cli divide SOURCE DEST [--percent P] [--program-copy] [-y|--yes]\n"
    "                            [--empty-destination] [--no-verify] [--no-eject]\n"
    "                            [--pack tight]\n"
    "       arbolink-cli divide SOURCE --disk-folders DIR --capacity SIZE\n"
    "                            [--cluster-size BYTES] [--program-copy] [-y|--yes]\n"
    "                            [--empty-destination] [--no-verify] [--pack tight]\n"
    "                            [--recovery-disks K]\n"
    "       arbolink-cli divide SOURCE --burn DRIVE [--capacity SIZE]\n"
    "                            [--disk-folders DIR] [--program-copy] [-y|--yes]\n"
    "                            [--no-verify] [--no-eject] [--pack tight]\n"
    "                            [--recovery-disks K]\n"
    "\n"
    "Writes the files of SOURCE onto several disks, without splitting any of them.\n"
    "\n"
    "  DEST                  a folder on the drive the disks go into. Asks for each\n"
    "                        disk in turn and uses the next disk inserted, wherever\n"
    "                        it is mounted\n"
    "  --percent P           the share of a disk's free space to use, 0-100 (default\n"
    "                        95)\n"
    "  --program-copy        also copy this program onto disk 1\n"
    "  --disk-folders DIR    instead of a drive, write disk n into DIR/disk01,\n"
    "                        DIR/disk02, ... Each holds exactly what one disk holds:\n"
    "                        burn or copy it to the top of a disk (the set is in its\n"
    "                        @dummy@ folder)\n"
    "  --capacity SIZE       the capacity of one disk for --disk-folders, e.g. 1440K,\n"
    "                        4.7G, 25G. K M G T are powers of 1000, Ki Mi Gi Ti\n"
    "                        powers of 1024, a bare number is bytes\n"
    "  --cluster-size BYTES  the allocation unit of the --disk-folders disks, 512 or\n"
    "                        more (default 2048)\n"
    "  -y, --yes             answer the safe questions (the number of disks, the next\n"
    "                        disk, creating the destination folder) by itself; a disk\n"
    "                        is answered once it is in the drive\n"
    "  --empty-destination   agree to delete everything in a destination that holds\n"
    "                        something (on a hard disk, to write into it as it is).\n"
    "                        Without it --yes declines that question\n"
    "  --no-verify           do not read the written disks back to check them (by\n"
    "                        default the files written are read back from the disk\n"
    "                        before the next disk is asked for)\n"
    "  --no-eject            do not eject the written disks (by default a disk\n"
    "                        written and checked is ejected so that it can be\n"
    "                        removed)\n"
    "  --pack tight          use the disks tightly: each file, largest first, goes on\n"
    "                        the first disk it still fits (the default in-order fills\n"
    "                        the disks one after another)\n"
    "  --burn DRIVE          burn the disks one by one onto blank optical discs in\n"
    "                        DRIVE (/dev/sr0 or the like), reading each back to check\n"
    "                        it before the next disc is asked for. The capacity comes\n"
    "                        from the blank disc in the drive (--capacity overrides\n"
    "                        it). stdio:PATH writes image files instead of discs:\n"
    "                        stdio:/x/set.iso gives /x/set-01.iso, /x/set-02.iso, ...\n"
    "                        and the capacity is given with --capacity. Each disk is\n"
    "                        made ready in the cache ($XDG_CACHE_HOME/arbolink), burnt\n"
    "                        and removed (with --disk-folders DIR, it is made ready\n"
    "                        in DIR and kept)\n"
    "  --recovery-disks K    write K recovery disks (0-8, default 0) after the data\n"
    "                        disks. Any K disks of the set that are lost can be\n"
    "                        rebuilt with rebuild. Work files are kept in the cache\n"
    "                        ($XDG_CACHE_HOME/arbolink)\n"
    "\n"
    "Answer questions on standard input with the letters of their buttons (O, Y, N,\n"
    "A, R, I, C).\n");

ARBOLINK_PHRASE(
    kBurnHelp,
    "使い方: arbolink-cli burn --from DIR [--from DIR ...] --burn DRIVE [--capacity SIZE]\n"
    "                          [--no-eject]\n"
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
    "  --no-eject            焼いて確かめた光ディスクを取り出さない\n"
    "\n"
    "質問にはボタンの文字（O、A、R）を標準入力から答えます。\n",
    "Usage: arbolink-cli burn --from DIR [--from DIR ...] --burn DRIVE [--capacity SIZE]\n"
    "                         [--no-eject]\n"
    "\n"
    "Burns disk folders made by divide --disk-folders (DIR/disk01, ...) onto optical\n"
    "discs, one disc a folder, in the order of --from. Each disc is ISO 9660 with\n"
    "Rock Ridge and Joliet names, the set in its top @dummy@ folder. A burnt disc is\n"
    "read back and checked against the set's checksums before the next is asked for.\n"
    "\n"
    "  --from DIR            the folder of one disk's content (may be given many times)\n"
    "  --burn DRIVE          the drive to burn in (/dev/sr0 or the like). stdio:PATH\n"
    "                        writes image files: stdio:/x/set.iso gives /x/set-01.iso,\n"
    "                        /x/set-02.iso, ...\n"
    "  --capacity SIZE       the most one disc may hold; a larger image is not burnt\n"
    "  --no-eject            do not eject the discs burnt and checked\n"
    "\n"
    "Answer questions on standard input with the letters of their buttons (O, A, R).\n");

ARBOLINK_PHRASE(
    kRebuildHelp,
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
    "  OUT                   空のフォルダーか、まだないフォルダー\n",
    "Usage: arbolink-cli rebuild --from DIR [--from DIR ...] --disk N OUT\n"
    "\n"
    "Rebuilds disk N of a set with recovery disks from the disks that are left, and\n"
    "writes it to OUT. Like a diskNN of --disk-folders, OUT holds exactly what one\n"
    "disk holds (the set is in its @dummy@ folder). Every file written is checked\n"
    "against the SHA-256 recorded for the set.\n"
    "\n"
    "  --from DIR            the folder of a disk at hand (a data disk or a recovery\n"
    "                        disk)\n"
    "  --disk N              the disk to rebuild: 1 to the number of data disks are\n"
    "                        data disks, the numbers after them recovery disks (as\n"
    "                        divide --disk-folders numbers them)\n"
    "  OUT                   an empty folder, or one that does not exist yet\n");

ARBOLINK_PHRASE(
    kRestoreHelp,
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
    "  --empty-destination   何かがある復元先を全削除または上書きすることに同意する\n",
    "Usage: arbolink-cli restore DISKS DEST [-y|--yes] [--empty-destination]\n"
    "       arbolink-cli restore --from DIR [--from DIR ...] DEST [-y|--yes]\n"
    "                            [--empty-destination]\n"
    "\n"
    "Reads the divided disks and rebuilds the folder tree in DEST as it was.\n"
    "\n"
    "  DISKS                 a folder on the drive the disks go into. They may come\n"
    "                        in any order; the next disk inserted is read, wherever\n"
    "                        it is mounted\n"
    "  --from DIR            a folder that holds what one disk holds (a diskNN of\n"
    "                        divide --disk-folders, or a folder holding the set's\n"
    "                        files directly). May be given many times; read in any\n"
    "                        order, without questions\n"
    "  -y, --yes             answer the safe questions (the next disk, creating the\n"
    "                        destination folder) by itself\n"
    "  --empty-destination   agree to delete or overwrite everything in a destination\n"
    "                        that holds something\n");

ARBOLINK_PHRASE(
    kInfoHelp,
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
    "                 sound と checksums は true か false）\n",
    "Usage: arbolink-cli info DISK [--restore-to DEST] [--json]\n"
    "\n"
    "Shows on standard output what the set on DISK (a disk's folder, or a diskNN) is:\n"
    "  set            the set's ID (the date and time its divide began)\n"
    "  disk           this disk's number / the number of disks of the set\n"
    "  files-on-disk  the number of files on this disk\n"
    "  files-in-set   the number of files in the whole set\n"
    "  case-clashes   with --restore-to only: when DEST does not tell upper and lower\n"
    "                 case apart, the number of pairs of names that differ only in\n"
    "                 case (the pairs go to standard error); 0 otherwise\n"
    "  checksums      yes when the disk has checksums (_index.@map, _Disk.@sha256)\n"
    "  map-disks      the number of disks of the set according to the checksum list\n"
    "  map-files      the number of files of the whole set, likewise\n"
    "  map-size       the total size of the set's files in bytes, likewise\n"
    "  sound          yes when the set's files are sound, no otherwise (the reasons\n"
    "                 go to standard error)\n"
    "  --restore-to DEST  the (existing) folder to restore into; checks whether names\n"
    "                     clash there\n"
    "  --json         show the same as one JSON object (disk split into disk and\n"
    "                 disks, sound and checksums true or false)\n");

ARBOLINK_PHRASE(
    kVerifyHelp,
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
    "ないディスクを含む）、2 使い方の誤り、3 中止またはキャンセル\n",
    "Usage: arbolink-cli verify DISKS [--json]\n"
    "       arbolink-cli verify --from DIR [--from DIR ...] [--json]\n"
    "\n"
    "Checks the disks of a set without restoring them. Reads each stored file back\n"
    "from its disk (bypassing the cache) and compares it with the size and SHA-256\n"
    "recorded in the set's list (_index.@map).\n"
    "\n"
    "  DISKS         a folder on the drive the disks go into. Asks for one disk after\n"
    "                another until every disk of the set is checked, or until N (No)\n"
    "                answers the question for the next one\n"
    "  --from DIR    a folder that holds what one disk holds. May be given many\n"
    "                times; read in any order\n"
    "  --json        show the same as one JSON object\n"
    "\n"
    "Standard output gets one line per item, its fields separated by tabs:\n"
    "  disk           a checked disk's number, folder and checksums (yes, no,\n"
    "                 unreadable)\n"
    "  good, damaged, missing, unchecked, skipped\n"
    "                 the disk's number, the stored name, the original folder and\n"
    "                 name (damaged with its reason). unchecked are files without a\n"
    "                 recorded checksum, skipped files not read because of a cancel\n"
    "  disk-not-given the number of a disk not checked; the not-given lines after it\n"
    "                 are its files\n"
    "  unplaced       a file whose disk is not known\n"
    "  files-good ... the counts of each. verified is yes when every file of the set\n"
    "                 was found and matches\n"
    "\n"
    "Exit status: 0 every file of the set was found and is as recorded, 1 otherwise\n"
    "(disks without checksums included), 2 usage error, 3 aborted or cancelled\n");

ARBOLINK_PHRASE(
    kPlanHelp,
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
    "  --json           同じことを JSON のオブジェクト一つで表示する（名前は正確に）\n",
    "Usage: arbolink-cli plan SOURCE --cluster-size BYTES --free-bytes BYTES [--percent P]\n"
    "                          [--drive-root] [--program FILE] [--pack tight] [--json]\n"
    "\n"
    "Plans the divide of SOURCE onto disks with --free-bytes of free space and an\n"
    "allocation unit of --cluster-size, and shows one line per file, \"folder, name,\n"
    "stored name, size, disk\" separated by tabs. Then shows disks (the number),\n"
    "lower-bound (the fewest disks any assignment needs), usage (the clusters of each\n"
    "disk) and index-reserve. Tabs and other control characters in names are shown as\n"
    "symbols such as ␉.\n"
    "  --percent P      the share of the free space to use (default 95)\n"
    "  --drive-root     the destination is the top of a drive (one cluster is kept\n"
    "                   for @dummy@)\n"
    "  --program FILE   the program file to copy onto disk 1\n"
    "  --pack tight     plan with the disks used tightly (as divide's --pack)\n"
    "  --json           show the same as one JSON object (with the names exact)\n");

// arbolink-cli --version: the program, the product, its version, the copyright line and the
// licence notice.
inline constexpr const char* kVersion = "%1 (%2) %3\n%4\n%5";

// Bad usage: "arbolink-cli: " + what is wrong + the hint, on one line. A text without %1
// names no word.
inline constexpr const char* kUsagePrefix = "arbolink-cli: ";
ARBOLINK_PHRASE(kHelpHint, "（%1 --help を参照）\n", " (see %1 --help)\n");
ARBOLINK_PHRASE(kNoCommand, "コマンドがありません", "no command given");
ARBOLINK_PHRASE(kUnknownCommand, "「%1」というコマンドはありません", "there is no command \"%1\"");
ARBOLINK_PHRASE(kUnknownOption, "「%1」というオプションはありません", "there is no option \"%1\"");
ARBOLINK_PHRASE(kMissingValue, "%1 の後ろに値がありません", "%1 needs a value");
ARBOLINK_PHRASE(kFlagWithValue, "%1 は値を取りません", "%1 takes no value");
ARBOLINK_PHRASE(kRepeatedOption, "%1 が二度あります", "%1 is given twice");
ARBOLINK_PHRASE(kBadPercent, "--percent は 0 から 100 までの整数です: %1",
                "--percent is a whole number from 0 to 100: %1");
ARBOLINK_PHRASE(kBadRecoveryDisks, "--recovery-disks は 0 から 8 までの整数です: %1",
                "--recovery-disks is a whole number from 0 to 8: %1");
ARBOLINK_PHRASE(kBadCapacity, "--capacity を大きさとして読めません: %1",
                "--capacity cannot be read as a size: %1");
ARBOLINK_PHRASE(kBadClusterSize, "--cluster-size は 512 以上の整数です: %1",
                "--cluster-size is a whole number of 512 or more: %1");
ARBOLINK_PHRASE(kCapacityBelowCluster,
                "--capacity が --cluster-size より小さいため、ディスクに何も入りません",
                "--capacity is smaller than --cluster-size, so nothing fits on a disk");
ARBOLINK_PHRASE(kCapacityTooLarge, "--capacity を --cluster-size で割ると 2147483647 を超えます",
                "--capacity divided by --cluster-size exceeds 2147483647");
ARBOLINK_PHRASE(kWantSourceAndDestination, "SOURCE と DEST が必要です",
                "SOURCE and DEST are needed");
ARBOLINK_PHRASE(kWantSourceOnly,
                "--disk-folders があるときは SOURCE だけを書きます（DEST は書きません）",
                "with --disk-folders give SOURCE only (no DEST)");
ARBOLINK_PHRASE(kWantCapacity, "--disk-folders には --capacity が必要です",
                "--disk-folders needs --capacity");
ARBOLINK_PHRASE(kStagingOnly, "%1 は --disk-folders と一緒にだけ使えます",
                "%1 can be used only with --disk-folders");
ARBOLINK_PHRASE(kNotWithStaging, "%1 は --disk-folders と一緒には使えません",
                "%1 cannot be used with --disk-folders");
ARBOLINK_PHRASE(kWantSourceOnlyBurn,
                "--burn があるときは SOURCE だけを書きます（DEST は書きません）",
                "with --burn give SOURCE only (no DEST)");
ARBOLINK_PHRASE(kNotWithBurn, "%1 は --burn と一緒には使えません", "%1 cannot be used with --burn");
ARBOLINK_PHRASE(
    kImageWantsCapacity,
    "stdio: のドライブにはディスクがないため、--capacity でディスク一枚の容量を書きます",
    "a stdio: drive holds no disc, so give the capacity of one disc with --capacity");
ARBOLINK_PHRASE(kWantFromAndBurn, "--from と --burn が必要です（ほかにフォルダーは書きません）",
                "--from and --burn are needed (and no other folder)");
ARBOLINK_PHRASE(kCapacityBelowBlock,
                "--capacity が 2048 バイトより小さいため、ディスクに何も入りません",
                "--capacity is smaller than 2048 bytes, so nothing fits on a disc");
ARBOLINK_PHRASE(kWantDisksAndDestination, "DISKS と DEST が必要です", "DISKS and DEST are needed");
ARBOLINK_PHRASE(kWantDestinationOnly,
                "--from があるときは DEST だけを書きます（DISKS は書きません）",
                "with --from give DEST only (no DISKS)");
ARBOLINK_PHRASE(kWantDisk, "DISK が一つ必要です", "one DISK is needed");
ARBOLINK_PHRASE(kWantFromAndOut, "--from と OUT が必要です", "--from and OUT are needed");
ARBOLINK_PHRASE(kBadDiskNumber, "--disk は 1 以上の整数です: %1",
                "--disk is a whole number of 1 or more: %1");
ARBOLINK_PHRASE(kWantDisks, "DISKS が一つ必要です", "one DISKS is needed");
ARBOLINK_PHRASE(kWantNoOperands,
                "--from があるときは、ほかにフォルダーを書きません（DISKS は書きません）",
                "with --from give no other folder (no DISKS)");
ARBOLINK_PHRASE(kWantSource, "SOURCE が一つ必要です", "one SOURCE is needed");
ARBOLINK_PHRASE(kWantOption, "%1 が必要です", "%1 is needed");
ARBOLINK_PHRASE(kBadPlanClusterSize, "--cluster-size は 1 以上の整数です: %1",
                "--cluster-size is a whole number of 1 or more: %1");
ARBOLINK_PHRASE(kBadFreeBytes, "--free-bytes は 0 以上の整数です: %1",
                "--free-bytes is a whole number of 0 or more: %1");
ARBOLINK_PHRASE(kBadPacking, "--pack は tight か in-order です: %1",
                "--pack is tight or in-order: %1");

// Failures of the tool's own checks.
ARBOLINK_PHRASE(kOutputFailed, "標準出力に書き込めませんでした\n",
                "Could not write to standard output\n");
ARBOLINK_PHRASE(kSourceMissing, "複写元フォルダーがありません: %1\n",
                "The copy source folder does not exist: %1\n");
ARBOLINK_PHRASE(kFromFolderMissing, "--from のフォルダーがありません: %1\n",
                "The --from folder does not exist: %1\n");
ARBOLINK_PHRASE(kStagingFolderMissing, "分割先フォルダーを作成できませんでした: %1\n",
                "The split destination folder could not be created: %1\n");
ARBOLINK_PHRASE(
    kDisksInDestination,
    "復元先フォルダーと分割ディスクのフォルダーが重なっているため、復元を中止します: %1\n",
    "The restore destination folder and the folder of the split disks overlap, so restoring stops: "
    "%1\n");
ARBOLINK_PHRASE(kNotDiskFolder,
                "ディスク一枚の中身のフォルダーではありません（@dummy@ "
                "にセットのファイルがありません）: %1\n",
                "This is not the folder of one disk's content (@dummy@ holds no set files): %1\n");
ARBOLINK_PHRASE(
    kNoSetHere,
    "このフォルダーには分割ディスクのファイル（_index.@txt、_Disk.@ID）がありません: %1\n",
    "This folder holds no split disk files (_index.@txt, _Disk.@ID): %1\n");

// How the terminal answers questions.
ARBOLINK_PHRASE(kAnsweredByYes, "%1（--yes）\n", "%1 (--yes)\n");
ARBOLINK_PHRASE(
    kRefusedByYes,
    "%1（--yes はこの質問に同意しません。同意するには --empty-destination を付けます）\n",
    "%1 (--yes does not agree to this question; add --empty-destination to agree)\n");
ARBOLINK_PHRASE(kNoAnswer, "%1（標準入力に答えがありません）\n",
                "%1 (no answer on standard input)\n");
ARBOLINK_PHRASE(kInterruptedAnswer, "%1（Ctrl+C）\n", "%1 (Ctrl+C)\n");
ARBOLINK_PHRASE(kWaitingForMedium,
                "（ドライブにディスクが入るのを待っています。Ctrl+C で中止します）\n",
                "(Waiting for a disk in the drive. Ctrl+C aborts)\n");
ARBOLINK_PHRASE(kWaitingForSwap, "（ディスクの入れ換えを待っています。Ctrl+C で中止します）\n",
                "(Waiting for the disk to be changed. Ctrl+C aborts)\n");

// info: problems that make a disk's set files unsound, one a line on standard error.
ARBOLINK_PHRASE(kInfoUnreadable, "読めません: %1\n", "Cannot read: %1\n");
ARBOLINK_PHRASE(kInfoUnsafeRow,
                "インデックスの %1 件目は、復元先フォルダーの外を指すか、使えない名前です\n",
                "Row %1 of the index points outside the restore destination folder or has a name "
                "that cannot be used\n");
ARBOLINK_PHRASE(kInfoStray, "インデックスにないものがディスクにあります: %1\n",
                "The disk holds something not in the index: %1\n");
ARBOLINK_PHRASE(kInfoStoredNotPlain,
                "格納ファイルが普通のファイルではありません（リンク、フォルダーなど）: %1\n",
                "A stored file is not a regular file (a link, a folder, ...): %1\n");
ARBOLINK_PHRASE(
    kInfoNoProbe,
    "復元先フォルダーにファイルを作れないため、大文字と小文字を区別するか調べられません: %1\n",
    "No file can be created in the restore destination folder, so whether it tells case apart "
    "cannot be checked: %1\n");
ARBOLINK_PHRASE(kInfoSameStoredName, "インデックスの %1 件目の格納名 %2 は、ほかの行と同じです\n",
                "The stored name %2 of row %1 of the index is the same as that of another row\n");

} // namespace arbolink::cli::msg
