// SPDX-License-Identifier: GPL-3.0-or-later
// A whole divide and restore started from the main window, with the real dialogs answered
// as a user would: the disk in a temporary folder gets the set, and the restore gives the
// tree back.
#include "fs/Burner.h"
#include "fs/Drives.h"
#include "support/MessageBoxWatch.h"
#include "support/ProgressWatch.h"
#include "support/TmpfsDisk_posix.h"
#include "ui/FreeSpaceText.h"
#include "ui/IniFile.h"
#include "ui/MainWindow.h"
#include "ui/ProgressForm.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace arbolink;
using arbolink::test::MessageBoxWatch;
using arbolink::test::ProgressWatch;

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

// Every file below a folder, by its path relative to the folder.
QStringList FilesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << QDir(folder).relativeFilePath(it.next());
    }
    files.sort();
    return files;
}

bool AnyProgressDialog() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TForm4*>(window) != nullptr) {
            return true;
        }
    }
    return false;
}

// Shows the window and waits until the window system has made it the active one.
void ShowActive(QWidget& form) {
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

} // namespace

class DivideTest : public QObject {
    Q_OBJECT

private slots:
    void dividesAndRestoresFromTheMainWindow() {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("元"));
        const QString disk = dir.filePath(QStringLiteral("disk"));
        const QString restored = dir.filePath(QStringLiteral("復元/先"));
        const QMap<QString, QByteArray> files{
            {QStringLiteral("a.txt"), QByteArray("alpha")},
            {QStringLiteral("docs/b.txt"), QByteArray(3000, 'b')},
            {QStringLiteral("docs/old/写真.jpg"), QByteArray(5000, 'c')},
            {QStringLiteral("other/a.txt"), QByteArray("second a")},
        };
        for (auto it = files.begin(); it != files.end(); ++it) {
            WriteFile(source + QLatin1Char('/') + it.key(), it.value());
        }
        QDir().mkpath(disk);

        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        ShowActive(form);
        if (QTest::currentTestFailed()) {
            return;
        }
        Child<QComboBox>(form, "ComboBox1")->setEditText(source);
        Child<QComboBox>(form, "ComboBox2")->setEditText(disk);
        Child<QComboBox>(form, "ComboBox3")->setEditText(restored);

        ProgressWatch progress(form);
        MessageBoxWatch watch;
        int closedDuringRun = 0;
        watch.onBox = [&](QMessageBox&) {
            QVERIFY(!AnyProgressDialog());
            // A command in progress keeps the window: closing it now is refused.
            closedDuringRun += form.close() ? 1 : 0;
        };
        watch.Press(kOk); // ディスクを 1 枚、用意してください
        watch.Press(kOk); // 1 枚目のディスクを入れてください。
        watch.Press(kOk); // ファイルのコピーが終了しました
        QTest::mouseClick(Child<QPushButton>(form, "BitBtn2"), Qt::LeftButton);

        QStringList texts;
        for (const auto& box : watch.seen) {
            texts << box.text;
        }
        QCOMPARE(texts, (QStringList{QStringLiteral("ディスクを 1 枚、用意してください"),
                                     QStringLiteral("1 枚目のディスクを入れてください。"),
                                     QStringLiteral("ファイルのコピーが終了しました")}));
        QCOMPARE(watch.unexpected, 0);
        QCOMPARE(closedDuringRun, 0);
        QVERIFY(form.isVisible());
        QCOMPARE(progress.shown, 2); // planning, then the disk's copy
        QCOMPARE(progress.shownWithMainWindowEnabled, 0);
        QVERIFY(form.isEnabled());
        QVERIFY(!AnyProgressDialog());

        // The disk: the four set files and every file under a stored name, same bytes.
        const QStringList onDisk = FilesBelow(disk);
        QCOMPARE(onDisk.size(), files.size() + 4);
        QVERIFY(onDisk.contains(QStringLiteral("_index.@txt")));
        QVERIFY(onDisk.contains(QStringLiteral("_Disk.@ID")));
        QList<QByteArray> stored;
        for (const QString& name : onDisk) {
            QVERIFY2(!name.contains(QLatin1Char('/')), qPrintable(name));
            if (!name.startsWith(QLatin1Char('_'))) {
                stored << ReadFile(disk + QLatin1Char('/') + name);
            }
        }
        for (const QByteArray& bytes : files) {
            QVERIFY(stored.contains(bytes));
        }

        // And back, with Ctrl+R: the missing restore folder is created on Yes.
        watch.seen.clear();
        watch.Press(kYes); // 指定された復元先フォルダーがありません 新規作成しますか
        watch.Press(kOk); // ファイルのコピーが終了しました
        // The window system gives the main window back its activation; the focus is where
        // it was before the run.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), Child(form, "BitBtn2"));
        QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
        QStringList backTexts;
        for (const auto& box : watch.seen) {
            backTexts << box.text;
        }
        QCOMPARE(backTexts,
                 (QStringList{
                     QStringLiteral("指定された復元先フォルダーがありません\n\n新規作成しますか"),
                     QStringLiteral("ファイルのコピーが終了しました")}));
        QCOMPARE(watch.unexpected, 0);
        QCOMPARE(progress.shown, 3);
        QCOMPARE(progress.shownWithMainWindowEnabled, 0);
        QVERIFY(form.isEnabled());
        QCOMPARE(FilesBelow(restored), QStringList(files.keys()));
        for (auto it = files.begin(); it != files.end(); ++it) {
            QCOMPARE(ReadFile(restored + QLatin1Char('/') + it.key()), it.value());
        }
    }

    void theReadoutFollowsADestinationTheDivideMade() {
        if (geteuid() != 0) {
            QSKIP("mounting the tmpfs disk needs root");
        }
        QTemporaryDir dir;
        const QString drive = dir.filePath(QStringLiteral("drive"));
        QDir().mkpath(drive);
        test::TmpfsDisk disk(drive.toStdString(), 1024);
        if (!disk.Insert()) {
            QSKIP(disk.error().c_str());
        }
        const QString source = dir.filePath(QStringLiteral("元"));
        WriteFile(source + QStringLiteral("/big.bin"), QByteArray(300 * 1024, 'x'));
        // Two levels below the drive's root, neither made yet.
        const QString destination = drive + QStringLiteral("/set/1");

        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Child<QComboBox>(form, "ComboBox1")->setEditText(source);
        Child<QComboBox>(form, "ComboBox2")->setEditText(destination);
        auto* number = Child<QLabel>(form, "StaticText1");
        const QString empty = number->text();
        QCOMPARE(empty,
                 QString::fromStdString(FreeSpaceText(DriveFreeBytes(drive.toStdString())).number));
        QCOMPARE(empty, QStringLiteral("1,024.0  ")); // the whole disk, in Kbyte

        MessageBoxWatch watch;
        watch.Press(kYes); // 指定された分割先フォルダーがありません 新規作成しますか
        watch.Press(kOk); // ディスクを 1 枚、用意してください
        watch.Press(kOk); // 1 枚目のディスクを入れてください。
        watch.Press(kOk); // ファイルのコピーが終了しました
        QTest::mouseClick(Child<QPushButton>(form, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(watch.seen.size(), std::size_t{4});
        QCOMPARE(watch.seen.back().text, QStringLiteral("ファイルのコピーが終了しました"));
        QCOMPARE(watch.unexpected, 0);
        QVERIFY(QDir(destination).exists());

        // Read again when the divide ended: the file now takes room on the disk.
        const FreeSpaceReadout after = FreeSpaceOfFolder(destination.toStdString());
        QCOMPARE(number->text(), QString::fromStdString(after.number));
        QCOMPARE(Child<QLabel>(form, "Label5")->text(), QString::fromStdString(after.unit));
        QVERIFY(number->text() != empty);
    }

    void anImageDriveTypedAsTheDestinationIsBurnt() {
        if (!BurningBuilt()) {
            QSKIP("this build writes no discs");
        }
        QTemporaryDir dir;
        qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toUtf8());
        const QString source = dir.filePath(QStringLiteral("元"));
        WriteFile(source + QStringLiteral("/写真/a.jpg"), QByteArray(70'000, 'a'));
        WriteFile(source + QStringLiteral("/b.txt"), QByteArray("b"));
        QDir().mkpath(dir.filePath(QStringLiteral("out")));
        const QString drive =
            QStringLiteral("stdio:") + dir.filePath(QStringLiteral("out/set.iso"));

        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        ShowActive(form);
        if (QTest::currentTestFailed()) {
            return;
        }
        Child<QComboBox>(form, "ComboBox1")->setEditText(source);
        // Enter files the drive without asking to make it as a folder.
        auto* destination = Child<QComboBox>(form, "ComboBox2");
        destination->setFocus();
        destination->setEditText(drive);
        MessageBoxWatch watch;
        QTest::keyClick(destination, Qt::Key_Return);
        QVERIFY(watch.seen.empty());
        QVERIFY(destination->findText(drive) >= 0);
        QCOMPARE(Child<QLabel>(form, "StaticText1")->text(), QStringLiteral("光ディスクに焼く  "));

        ProgressWatch progress(form);
        watch.Press(kOk); // ディスクを 1 枚、用意してください
        watch.Press(kOk); // ファイルのコピーが終了しました
        QTest::mouseClick(Child<QPushButton>(form, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(watch.seen.size(), std::size_t{2});
        QCOMPARE(watch.seen.back().text, QStringLiteral("ファイルのコピーが終了しました"));
        QCOMPARE(watch.unexpected, 0);
        QCOMPARE(progress.shownWithMainWindowEnabled, 0);
        QVERIFY(form.isEnabled());
        // An ISO 9660 image: its volume descriptor at block 16.
        const QByteArray image = ReadFile(dir.filePath(QStringLiteral("out/set-01.iso")));
        QCOMPARE(image.mid(16 * 2048 + 1, 5), QByteArray("CD001"));
        QVERIFY(image.contains(QByteArray(70'000, 'a')));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("out/set-02.iso"))));
    }

    void theCommandsReadTheFieldsAsTheyStand() {
        // With no copy source the divide stops at once, and with no restore folder the restore.
        QTemporaryDir dir;
        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        ShowActive(form);
        if (QTest::currentTestFailed()) {
            return;
        }
        Child<QComboBox>(form, "ComboBox2")->setEditText(dir.path());
        MessageBoxWatch watch;
        watch.Press(kOk);
        watch.Press(kOk);
        QTest::keyClick(&form, Qt::Key_D, Qt::ControlModifier);
        QTest::mouseClick(Child<QPushButton>(form, "BitBtn3"), Qt::LeftButton);
        QCOMPARE(watch.seen.size(), std::size_t(2));
        QCOMPARE(watch.seen[0].text, QStringLiteral("複写元フォルダーを設定してください"));
        QCOMPARE(watch.seen[0].caption, QStringLiteral("Arbolink"));
        QCOMPARE(watch.seen[1].text, QStringLiteral("復元先フォルダーを設定してください"));
    }
};

QTEST_MAIN(DivideTest)
#include "Divide_qtest.moc"
