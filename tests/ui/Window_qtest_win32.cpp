// SPDX-License-Identifier: GPL-3.0-or-later
// The window on Windows (run under Wine by scripts/test-windows.sh): the Japanese captions drawn
// with a Japanese face, the options dialog from the menu, the folder chooser on the drives
// Windows has, and a divide onto the removable drive A: and a restore from it, every dialog
// answered as a user would.
#include "support/MessageBoxWatch.h"
#include "support/ScratchFloppy_win32.h"
#include "ui/FolderChoice.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"
#include "widgets/FolderTreeViewEx.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <functional>

using namespace arbolink;
using arbolink::test::MessageBoxWatch;

namespace {

const QString kOk = QStringLiteral("OK");
const QString kYes = QStringLiteral("はい(&Y)");

template <typename T = QWidget> T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child %s", name);
    }
    return child;
}

// The characters of a caption that are drawn, without the mnemonic's "&".
QString Drawn(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// Runs work once a modal dialog of type T is up; records whether it was.
template <typename T> void WhenModalOpens(bool& opened, std::function<void(T&)> work) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, &opened, work] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        opened = true;
        work(*dialog);
    });
    poll->start();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList FilesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(folder).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

QStringList Texts(const MessageBoxWatch& watch) {
    QStringList texts;
    for (const auto& box : watch.seen) {
        texts << box.text;
    }
    return texts;
}

} // namespace

class WindowOnWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void theMenusAreDrawnWithAJapaneseFace() {
        QTemporaryDir dir;
        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QString family = QFontInfo(form.font()).family();
        const QStringList japanese{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                                   QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
                                   QStringLiteral("IPAGothic")};
        QVERIFY2(japanese.contains(family), qPrintable(family));
        // Every character of the menus, the half-width kana of their captions among them, has
        // a glyph in the face the menu bar draws with.
        QMenuBar* bar = form.menuBar();
        const QFontMetrics metrics(bar->font());
        int checked = 0;
        for (QAction* menu : bar->actions()) {
            QList<QAction*> items = menu->menu()->actions();
            items.prepend(menu);
            for (QAction* item : items) {
                for (QChar c : Drawn(item->text())) {
                    QVERIFY2(c.isSpace() || metrics.inFont(c),
                             qPrintable(item->text() + QStringLiteral(": ") + c));
                    ++checked;
                }
            }
        }
        QVERIFY(checked > 50);
        QCOMPARE(bar->actions().front()->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
    }

    void theOptionsDialogOpensFromTheMenuAndCancelKeepsTheSetting() {
        QTemporaryDir dir;
        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        bool opened = false;
        QString title;
        WhenModalOpens<TfOption>(opened, [&](TfOption& dialog) {
            title = dialog.windowTitle();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            Child<QPushButton>(dialog, "BitBtn2")->click();
        });
        Child<QAction>(form, "N5")->trigger();
        QVERIFY(opened);
        QVERIFY(!title.isEmpty());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void theFolderChooserListsTheDrivesOfWindows() {
        TForm3 chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        TFolderTreeViewEx* tree = chooser.Folder();
        QStringList roots;
        QTreeWidgetItem* computer = tree->topLevelItem(0);
        QVERIFY(computer != nullptr);
        for (int i = 0; i < computer->childCount(); ++i) {
            FolderNodeData* data = TFolderTreeViewEx::NodeData(computer->child(i));
            QVERIFY(data != nullptr);
            roots << QString::fromStdString(data->path);
        }
        QVERIFY2(roots.contains(QStringLiteral("C:\\")), qPrintable(roots.join(' ')));
        QVERIFY2(roots.contains(QStringLiteral("A:\\")), qPrintable(roots.join(' ')));
        QVERIFY(tree->SelectPath(QStringLiteral("C:\\windows")));
        QCOMPARE(chooser.ComboBox1()->currentText().toLower(), QStringLiteral("c:\\windows"));
    }

    void dividesOntoTheFloppyAndRestoresFromIt() {
        if (GetDriveTypeW(L"A:\\") != DRIVE_REMOVABLE || !FileExists(test::kScratchMarker)) {
            QSKIP("no scratch floppy A: (scripts/test-windows.sh maps one in Wine)");
        }
        QVERIFY(DeleteFolderContents(test::kScratchRoot, test::kScratchRoot));
        QVERIFY(WriteFileAtomically(test::kScratchMarker, ""));
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("元"));
        const QString restored = dir.filePath(QStringLiteral("復元/先"));
        const QMap<QString, QByteArray> files{
            {QStringLiteral("a.txt"), QByteArray("alpha")},
            {QStringLiteral("写真/表.jpg"), QByteArray(5000, 'c')},
        };
        for (auto it = files.begin(); it != files.end(); ++it) {
            WriteFile(source + QLatin1Char('/') + it.key(), it.value());
        }
        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Child<QComboBox>(form, "ComboBox1")->setEditText(QDir::toNativeSeparators(source));
        Child<QComboBox>(form, "ComboBox2")->setEditText(QStringLiteral("A:\\"));
        Child<QComboBox>(form, "ComboBox3")->setEditText(QDir::toNativeSeparators(restored));

        MessageBoxWatch watch;
        watch.Press(kOk); // ディスクを 1 枚、用意してください
        watch.Press(kOk); // 1 枚目のディスクを入れてください。
        watch.Press(kOk); // ファイルのコピーが終了しました
        Child<QPushButton>(form, "BitBtn2")->click();
        QCOMPARE(Texts(watch), (QStringList{QStringLiteral("ディスクを 1 枚、用意してください"),
                                            QStringLiteral("1 枚目のディスクを入れてください。"),
                                            QStringLiteral("ファイルのコピーが終了しました")}));
        QCOMPARE(watch.unexpected, 0);
        const QStringList onDisk = FilesBelow(QStringLiteral("A:/@dummy@"));
        QVERIFY2(onDisk.contains(QStringLiteral("_index.@txt")), qPrintable(onDisk.join(' ')));

        watch.seen.clear();
        watch.Press(kYes); // 指定された復元先フォルダーがありません 新規作成しますか
        watch.Press(kOk); // ファイルのコピーが終了しました
        Child<QPushButton>(form, "BitBtn3")->click();
        QCOMPARE(watch.unexpected, 0);
        QCOMPARE(watch.seen.back().text, QStringLiteral("ファイルのコピーが終了しました"));
        QCOMPARE(FilesBelow(restored), QStringList(files.keys()));
        for (auto it = files.begin(); it != files.end(); ++it) {
            QCOMPARE(ReadFile(restored + QLatin1Char('/') + it.key()), it.value());
        }
    }
};

QTEST_MAIN(WindowOnWindowsTest)
#include "Window_qtest_win32.moc"
