// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Help.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using namespace arbolink;

namespace {

// Answers the next plain message box with OK and keeps its caption and text.
struct ShownMessage {
    QString caption;
    QString text;
};

void AnswerNextMessage(ShownMessage& shown) {
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr) {
            shown = {box->windowTitle(), box->text()};
            box->accept();
        }
    });
}

QString BesideTheProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/manual/index.html");
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        opened_.clear();
        answer_ = true;
        SetAddressOpener([this](const QUrl& address) {
            opened_.push_back(address);
            return answer_;
        });
    }
    void cleanup() {
        SetAddressOpener({});
        QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/manual"))
            .removeRecursively();
    }

    void theManualIsLookedForBesideTheProgramThenWhereItIsInstalled() {
        // No manual anywhere: the installed place, share/arbolink/manual beside bin/.
        const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                  QStringLiteral("/../share/arbolink/manual/"
                                                                 "index.html"));
        QCOMPARE(ManualFilePath(), installed);
        QVERIFY(QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/manual")));
        QFile page(BesideTheProgram());
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        QCOMPARE(ManualFilePath(), BesideTheProgram());
        QCOMPARE(ManualUrl(), QUrl::fromLocalFile(ManualFilePath()).toString(QUrl::FullyEncoded));
        QVERIFY(ManualUrl().startsWith(QStringLiteral("file:///")));

        OpenHelpContents();
        QCOMPARE(opened_, (std::vector<QUrl>{QUrl::fromLocalFile(BesideTheProgram())}));
    }

    void aMissingManualIsNamedInAPlainMessage() {
        ShownMessage shown;
        AnswerNextMessage(shown);
        OpenHelpContents();
        QCOMPARE(shown.caption, QStringLiteral("Arbolink"));
        QCOMPARE(shown.text, QStringLiteral("マニュアルが見つかりません。\n\n") + ManualFilePath());
        QVERIFY(opened_.empty());
    }

    void anAddressNothingTookIsNamedInAPlainMessage() {
        answer_ = false;
        ShownMessage shown;
        AnswerNextMessage(shown);
        QVERIFY(!OpenAddress(QStringLiteral("mailto:a@b.example?subject=x")));
        QCOMPARE(shown.caption, QStringLiteral("Arbolink"));
        QCOMPARE(shown.text, QStringLiteral("開くプログラムが見つかりません。\n\n"
                                            "mailto:a@b.example?subject=x"));
        QCOMPARE(opened_.size(), std::size_t{1});

        answer_ = true;
        shown = {};
        AnswerNextMessage(shown); // would close a message; none is shown when it was opened
        QVERIFY(OpenAddress(QStringLiteral("https://a.example/")));
        QCoreApplication::processEvents();
        QVERIFY(shown.text.isEmpty());
        QCOMPARE(opened_.back(), QUrl(QStringLiteral("https://a.example/")));
    }

private:
    std::vector<QUrl> opened_;
    bool answer_ = true;
};

QTEST_MAIN(HelpTest)
#include "Help_qtest.moc"
