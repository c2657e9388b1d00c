#include "fs/Shell.h"
#include "ui/Help.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace arbolink;

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        started_.clear();
        SetProgramStarter([this](const std::vector<std::string>& arguments) {
            started_.push_back(arguments);
            return true;
        });
    }
    void cleanup() {
        SetProgramStarter({});
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/manual"))
            .removeRecursively();
    }

    void theManualIsLookedForBesideTheProgram() {
        QCOMPARE(ManualFilePath(),
                 QCoreApplication::applicationDirPath() + QStringLiteral("/manual/index.html"));
        QCOMPARE(ManualUrl(), QUrl::fromLocalFile(ManualFilePath()).toString(QUrl::FullyEncoded));
        QVERIFY(ManualUrl().startsWith(QStringLiteral("file:///")));
    }

    void opensTheManualInTheBrowser() {
        QVERIFY(QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/manual")));
        QFile page(ManualFilePath());
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        OpenHelpContents();
        QCOMPARE(started_.size(), std::size_t{1});
        QCOMPARE(started_[0], (std::vector<std::string>{"xdg-open", ManualUrl().toStdString()}));
    }

    void aMissingManualIsNamedInAPlainMessage() {
        QString shown;
        QString caption;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                shown = box->text();
                caption = box->windowTitle();
                box->accept();
            }
        });
        OpenHelpContents();
        QCOMPARE(caption, QStringLiteral("Arbolink"));
        QCOMPARE(shown, QStringLiteral("マニュアルが見つかりません。\n\n") + ManualFilePath());
        QVERIFY(started_.empty());
    }

private:
    std::vector<std::vector<std::string>> started_;
};

QTEST_MAIN(HelpTest)
#include "Help_qtest.moc"
