<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>arbolink::Host</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>中止(&amp;A)</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>再試行(&amp;R)</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>無視(&amp;I)</source>
        <translation>&amp;Ignore</translation>
    </message>
</context>
<context>
    <name>arbolink::Options</name>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;分割先の空き容量の最大何%を使用するか指定します。

&#x3000;&#x3000;仮りに100%にしても特に問題はないはずですが、
&#x3000;&#x3000;デフォルトでは、95%にしています。

&#x3000;&#x3000;しかし、95%でも分割実行を失敗する場合は、
&#x3000;&#x3000;95%未満にするとうまくいく可能性があります。</source>
        <translation>  The most of each disk&apos;s free space
  that a divide may fill, in percent.

  Even 100% should do no harm;
  the default is 95%.

  If a divide still fails at 95%, try less.</translation>
    </message>
</context>
<context>
    <name>arbolink::Program</name>
    <message>
        <source>使い方: arbolink [オプション]

フォルダーの木を、ファイルを分けずに何枚ものディスクへ振り分けて書き、あとで元に戻す
ウィンドウを開きます。コマンドラインからは arbolink-cli を使います。

  -h, --help       使い方を表示する
  -V, --version    版を表示する

Qt のオプション（-platform など）も使えます。
</source>
        <translation>Usage: arbolink [OPTION]

Opens the window that writes a folder tree onto several disks, never splitting a file,
and later puts it back together. From the command line, use arbolink-cli.

  -h, --help       show this help
  -V, --version    show the version

Qt&apos;s options (such as -platform) are accepted too.
</translation>
    </message>
    <message>
        <source>マニュアル: </source>
        <translation>Manual: </translation>
    </message>
    <message>
        <source>マニュアルが見つかりません: </source>
        <translation>Manual not found: </translation>
    </message>
</context>
<context>
    <name>arbolink::Screenshot</name>
    <message>
        <source>写真</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restored</translation>
    </message>
</context>
<context>
    <name>arbolink::Settings</name>
    <message>
        <source>%1 に書き込めません</source>
        <translation>Cannot write to %1</translation>
    </message>
</context>
<context>
    <name>arbolink::TForm1</name>
    <message>
        <source>複写元フォルダー</source>
        <translation>Source folder</translation>
    </message>
    <message>
        <source>分割先フォルダー</source>
        <translation>Disk folder</translation>
    </message>
    <message>
        <source>空き容量</source>
        <translation>Free space</translation>
    </message>
    <message>
        <source>Arbolink本体もコピーする</source>
        <translation>Also copy Arbolink</translation>
    </message>
    <message>
        <source>復元先フォルダー</source>
        <translation>Restore to folder</translation>
    </message>
    <message>
        <source>&#x3000;分&#x3000;&#x3000;割</source>
        <translation> Divide</translation>
    </message>
    <message>
        <source>&#x3000;復&#x3000;元</source>
        <translation> Restore</translation>
    </message>
    <message>
        <source>終&#x3000;&#x3000;了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>分割(&amp;D)</source>
        <translation>&amp;Divide</translation>
    </message>
    <message>
        <source>復元(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>書き込み後に検査する</source>
        <translation>Verify after &amp;writing</translation>
    </message>
    <message>
        <source>書き終えたディスクを取り出す</source>
        <translation>&amp;Eject each written disk</translation>
    </message>
    <message>
        <source>ディスクを詰めて使う</source>
        <translation>&amp;Pack disks tightly</translation>
    </message>
    <message>
        <source>復旧用ディスク...</source>
        <translation>Re&amp;covery disks...</translation>
    </message>
    <message>
        <source>検査(&amp;V)</source>
        <translation>&amp;Verify</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>目次(&amp;C)</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Arbolink...</translation>
    </message>
</context>
<context>
    <name>arbolink::about</name>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Arbolink</translation>
    </message>
    <message>
        <source>URLをクリップボードにコピーします。</source>
        <translation>Copies the URL to the clipboard.</translation>
    </message>
    <message>
        <source>Mailアドレスをクリップボードにコピーします。</source>
        <translation>Copies the mail address to the clipboard.</translation>
    </message>
</context>
<context>
    <name>arbolink::choicemsg</name>
    <message>
        <source>フォルダー変更</source>
        <translation>Choose Folder</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>指定されたフォルダーはありません

&#x3000;&#x3000;&#x3000;&#x3000;入力し直してください</source>
        <translation>The folder does not exist.

Please enter it again.</translation>
    </message>
</context>
<context>
    <name>arbolink::msg</name>
    <message>
        <source>マニュアルが見つかりません。

</source>
        <translation>The manual was not found.

</translation>
    </message>
    <message>
        <source>開くプログラムが見つかりません。

</source>
        <translation>No program was found to open this.

</translation>
    </message>
    <message>
        <source>指定されたフォルダーがありません

新規作成しますか</source>
        <translation>The folder does not exist.

Create it?</translation>
    </message>
    <message>
        <source>ディレクトリを作成することができません</source>
        <translation>The folder cannot be created.</translation>
    </message>
    <message>
        <source>Disk Error</source>
        <translation>Disk error</translation>
    </message>
    <message>
        <source>ディスクがありません</source>
        <translation>No disk</translation>
    </message>
    <message>
        <source>光ディスクに焼く</source>
        <translation>Burn discs</translation>
    </message>
    <message>
        <source>Gbyte</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>Mbyte</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>Kbyte</source>
        <translation>KB</translation>
    </message>
    <message>
        <source>byte</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>復旧用ディスク</source>
        <translation>Recovery Disks</translation>
    </message>
    <message>
        <source>分割のとき、データのディスクの後に書く復旧用ディスクの枚数（0〜8）:
セットのこの枚数までのディスクをなくしても、作り直せます。</source>
        <translation>Recovery disks a divide writes after the data disks (0–8):
up to this many disks of the set can be lost and made again.</translation>
    </message>
</context>
<context>
    <name>arbolink::treemsg</name>
    <message>
        <source> FolderTreeViewEx component version 2.11</source>
        <translation>Folder Tree</translation>
    </message>
    <message>
        <source>InvokeCommand failed!</source>
        <translation>The command failed.</translation>
    </message>
    <message>
        <source>This Folder is SpecialFolder <byte value="xd"/>   Can not Copy or Paste!</source>
        <translation>This is a special folder.
It cannot be copied or pasted.</translation>
    </message>
    <message>
        <source>コンピューター</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>リンクの作成(&amp;S)</source>
        <translation>Create &amp;Link</translation>
    </message>
    <message>
        <source>ごみ箱へ移動(&amp;D)</source>
        <translation>Move to Tr&amp;ash</translation>
    </message>
    <message>
        <source>名前の変更(&amp;M)</source>
        <translation>&amp;Rename</translation>
    </message>
    <message>
        <source>%1 へのリンク</source>
        <translation>Link to %1</translation>
    </message>
    <message>
        <source>ファイルシステム</source>
        <translation>File System</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>ごみ箱に移動できません

完全に削除しますか (元に戻せません)</source>
        <translation>The item cannot be moved to the trash.

Delete it for good? (This cannot be undone.)</translation>
    </message>
    <message>
        <source>ここにはリンクを作成できません

デスクトップに作成しますか</source>
        <translation>A link cannot be created here.

Create it on the desktop?</translation>
    </message>
    <message>
        <source>デスクトップのフォルダーがありません</source>
        <translation>There is no desktop folder.</translation>
    </message>
    <message>
        <source>「%1」: %2</source>
        <translation>“%1”: %2</translation>
    </message>
    <message>
        <source>同じ名前の項目がすでにあります</source>
        <translation>An item with the same name already exists</translation>
    </message>
    <message>
        <source>フォルダーをそれ自身の中へは移せません</source>
        <translation>A folder cannot be moved into itself</translation>
    </message>
    <message>
        <source>この名前は使えません</source>
        <translation>This name cannot be used</translation>
    </message>
    <message>
        <source>ドライブのルートは移動も削除もできません</source>
        <translation>A drive&apos;s root cannot be moved or deleted</translation>
    </message>
    <message>
        <source>アクセスが拒否されました</source>
        <translation>Access denied</translation>
    </message>
    <message>
        <source>読み取り専用のドライブです</source>
        <translation>The drive is read-only</translation>
    </message>
    <message>
        <source>ドライブに空きがありません</source>
        <translation>The drive is full</translation>
    </message>
    <message>
        <source>見つかりません</source>
        <translation>Not found</translation>
    </message>
    <message>
        <source>デバイスやパイプなどの特殊なファイルはコピーしませんでした</source>
        <translation>Special files such as devices and pipes were not copied</translation>
    </message>
    <message>
        <source>中にある別のドライブはコピーしませんでした</source>
        <translation>Another drive inside was not copied</translation>
    </message>
</context>
</TS>
