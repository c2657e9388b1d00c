// SPDX-License-Identifier: GPL-3.0-or-later
// The menu item 検査 on a disk written by the command-line tool: a sound disk is told so, and
// a damaged file is named in the closing message as the tool's JSON report names it.
#include "CliRun.h"
#include "core/Formatted.h"
#include "core/rFile/CheckMessages.h"
#include "support/MessageBoxWatch.h"
#include "support/ProgressWatch.h"
#include "ui/MainWindow.h"
#include "ui/ProgressForm.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace arbolink;
using arbolink::test::MessageBoxWatch;
using arbolink::test::ProgressWatch;

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class VerifyTest : public QObject {
    Q_OBJECT

private slots:
    void checksTheDiskInTheSplitDestination() {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("元"));
        WriteFile(source + QStringLiteral("/a.txt"), QByteArray("alpha"));
        WriteFile(source + QStringLiteral("/docs/写真.jpg"), QByteArray(5000, 'c'));
        const QString stage = dir.filePath(QStringLiteral("stage"));
        const test::CliResult divided =
            test::RunCliWith({"divide", source.toStdString(), "--disk-folders", stage.toStdString(),
                              "--capacity", "1M", "--yes"});
        QCOMPARE(divided.code, 0);
        const QString disk = stage + QStringLiteral("/disk01/@dummy@");

        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setEditText(disk);
        auto* item = form.findChild<QAction*>(QStringLiteral("Verify1"));
        QVERIFY(item != nullptr);

        ProgressWatch progress(form);
        MessageBoxWatch watch;
        watch.Press(QStringLiteral("OK"));
        item->trigger();
        QCOMPARE(watch.seen.size(), std::size_t{1});
        QCOMPARE(watch.seen[0].text, Text(msg::kCheckAllGood));
        QCOMPARE(watch.unexpected, 0);
        QCOMPARE(progress.shown, 1);
        QCOMPARE(progress.shownWithMainWindowEnabled, 0);
        QVERIFY(form.isEnabled());

        // One byte of the photo flipped on the disk.
        QFile photo(disk + QStringLiteral("/写真.jpg"));
        QVERIFY(photo.open(QIODevice::ReadWrite));
        QVERIFY(photo.seek(4000));
        QVERIFY(photo.putChar('x'));
        photo.close();

        watch.seen.clear();
        watch.Press(QStringLiteral("OK"));
        item->trigger();
        QCOMPARE(watch.seen.size(), std::size_t{1});
        const test::SeenBox& closing = watch.seen[0];
        QCOMPARE(closing.caption, Text(CaptionOf(DialogKind::Warning)));
        const QString damaged = Text(Formatted(msg::kOnDisk, 1, "docs/写真.jpg"));
        QCOMPARE(closing.text, Text(msg::kCheckFinished) + Text(Formatted(msg::kDamagedFiles, 1)) +
                                   QStringLiteral("\n") + damaged);
        QCOMPARE(watch.unexpected, 0);
        QCOMPARE(progress.shown, 2);

        // The tool's report of the same disk names the same file, and only it.
        const test::CliResult run =
            test::RunCliWith({"verify", "--json", "--from", disk.toStdString()});
        QCOMPARE(run.code, 1);
        QJsonParseError error{};
        const QJsonDocument json =
            QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        const QJsonObject report = json.object();
        QCOMPARE(report[QStringLiteral("verified")].toBool(true), false);
        QCOMPARE(report[QStringLiteral("disks")].toInt(), 1);
        QCOMPARE(report[QStringLiteral("files-good")].toInt(), 1);
        QCOMPARE(report[QStringLiteral("files-damaged")].toInt(), 1);
        const QJsonArray checked = report[QStringLiteral("checked")].toArray();
        QCOMPARE(checked.size(), 1);
        QCOMPARE(checked[0][QStringLiteral("checksums")].toString(), QStringLiteral("yes"));
        QStringList states;
        for (const QJsonValue file : checked[0][QStringLiteral("files")].toArray()) {
            states << file[QStringLiteral("state")].toString() + QLatin1Char(' ') +
                          file[QStringLiteral("path")].toString();
        }
        states.sort();
        QCOMPARE(states, (QStringList{QStringLiteral("damaged docs/写真.jpg"),
                                      QStringLiteral("good a.txt")}));
        QVERIFY(report[QStringLiteral("not-given")].toArray().isEmpty());
    }
};

QTEST_MAIN(VerifyTest)
#include "Verify_qtest.moc"
