// SPDX-License-Identifier: GPL-3.0-or-later
#include "Product.h"
#include "ui/AboutBox.h"
#include "ui/AboutTexts.h"
#include "ui/Help.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace arbolink;

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// A distributor's addresses, as -DARBOLINK_HOMEPAGE= and -DARBOLINK_CONTACT= would set them.
const AboutAddresses kDistributed{QStringLiteral("https://arbolink.example.org/"),
                                  QStringLiteral("team@arbolink.example.org")};

template <typename T> T* Child(const QWidget& box, const char* name) {
    T* child = box.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child %s", name);
    }
    return child;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        opened_.clear();
        SetAddressOpener([this](const QUrl& address) {
            opened_.push_back(address);
            return true;
        });
    }
    void cleanup() { SetAddressOpener({}); }

    void showsItsTextsAndTheVersionSetAtCreation() {
        TAboutBox box(nullptr, kDistributed);
        QCOMPARE(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(Child<QLabel>(box, "Label1")->text(), QStringLiteral("Arbolink"));
        QCOMPARE(Child<QLabel>(box, "Label2")->text(), Utf8(about::kAuthorHandle));
        QCOMPARE(Child<QLabel>(box, "Version")->text(), QStringLiteral("Ver. " ARBOLINK_VERSION));
        QCOMPARE(Child<QLabel>(box, "Mail")->text(), kDistributed.mail);
        QCOMPARE(Child<QLabel>(box, "Url")->text(), kDistributed.webPage);
        // The rights line names the licence and stays inside the panel.
        auto* rights = Child<QLabel>(box, "Copyright");
        QCOMPARE(rights->text(), Utf8(about::kRightsLine));
        QVERIFY(rights->text().contains(QStringLiteral("GPLv3+")));
        QVERIFY(rights->geometry().right() < Child<QFrame>(box, "Panel1")->width());
        auto* button1 = Child<QPushButton>(box, "Button1");
        auto* button2 = Child<QPushButton>(box, "Button2");
        QCOMPARE(button1->text(), QStringLiteral("URL:"));
        QCOMPARE(button1->toolTip(), QStringLiteral("URLをクリップボードにコピーします。"));
        QCOMPARE(button2->text(), QStringLiteral("Mail:"));
        QCOMPARE(button2->toolTip(),
                 QStringLiteral("Mailアドレスをクリップボードにコピーします。"));
        QCOMPARE(Child<QPushButton>(box, "OKButton")->text(), QStringLiteral("OK"));
        QVERIFY(!Child<QLabel>(box, "ProgramIcon")->pixmap().isNull());
    }

    void withoutADistributorsAddressesTheManualAndNoMailLine() {
        const AboutAddresses built = BuiltAddresses();
        QCOMPARE(built.webPage, *kHomepage != '\0' ? Utf8(kHomepage) : ManualUrl());
        QCOMPARE(built.mail, Utf8(kContact));

        TAboutBox box(nullptr, {ManualUrl(), QString()});
        QVERIFY(box.findChild<QLabel*>(QStringLiteral("Mail")) == nullptr);
        QVERIFY(box.findChild<QPushButton*>(QStringLiteral("Button2")) == nullptr);
        for (const QLabel* label : box.findChildren<QLabel*>()) {
            QVERIFY2(!label->text().contains(QLatin1Char('@')), qPrintable(label->text()));
        }
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QTest::mouseClick(Child<QPushButton>(box, "Button1"), Qt::LeftButton);
        QCOMPARE(clipboard->text(), ManualUrl());
    }

    void theManualAsWebPageIsShortenedToFit() {
        TAboutBox box(nullptr, {ManualUrl(), QString()});
        QCOMPARE(box.WebAddress(), ManualUrl());
        QVERIFY(box.WebAddress().startsWith(QStringLiteral("file:///")));
        QVERIFY(box.WebAddress().endsWith(QStringLiteral("/manual/index.html")));
        auto* url = Child<QLabel>(box, "Url");
        QCOMPARE(url->toolTip(), box.WebAddress());
        // A long address is shortened in the middle so that it stays inside the panel.
        QVERIFY(url->text().endsWith(QStringLiteral("index.html")));
        QVERIFY(url->geometry().right() < Child<QFrame>(box, "Panel1")->width());
    }

    void keepsTheDesignedLayout() {
        TAboutBox box(nullptr, kDistributed);
        QCOMPARE(box.size(), QSize(289, 182));
        QCOMPARE(Child<QFrame>(box, "Panel1")->geometry(), QRect(8, 8, 273, 169));
        QCOMPARE(Child<QWidget>(box, "Shape1")->geometry(), QRect(37, 40, 105, 33));
        QCOMPARE(Child<QPushButton>(box, "Button1")->geometry(), QRect(32, 76, 41, 17));
        QCOMPARE(Child<QPushButton>(box, "Button2")->geometry(), QRect(32, 94, 41, 17));
        QCOMPARE(Child<QPushButton>(box, "OKButton")->geometry(), QRect(92, 144, 105, 25));
        QCOMPARE(Child<QLabel>(box, "Url")->pos(), QPoint(79, 78));
        QCOMPARE(Child<QLabel>(box, "Mail")->pos(), QPoint(79, 94));
    }

    void theLinksShowAHandAndOpenTheirAddresses() {
        TAboutBox box(nullptr, kDistributed);
        auto* url = Child<QLabel>(box, "Url");
        auto* mail = Child<QLabel>(box, "Mail");
        QCOMPARE(url->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(mail->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(Child<QLabel>(box, "Label1")->cursor().shape(), Qt::ArrowCursor);

        QTest::mouseClick(url, Qt::LeftButton);
        QTest::mouseClick(mail, Qt::LeftButton);
        QTest::mouseClick(url, Qt::RightButton); // only the left button follows a link
        QCOMPARE(opened_.size(), std::size_t{2});
        QCOMPARE(opened_[0], QUrl(kDistributed.webPage));
        QCOMPARE(opened_[1], QUrl(QStringLiteral("mailto:team@arbolink.example.org?cc= "
                                                 "&subject=『Arbolink』Ver. " ARBOLINK_VERSION
                                                 " について&body= &")));
    }

    void theSmallButtonsCopyExactlyTheAddress() {
        TAboutBox box(nullptr, kDistributed);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        QTest::mouseClick(Child<QPushButton>(box, "Button2"), Qt::LeftButton);
        QCOMPARE(clipboard->text(), kDistributed.mail);
        QTest::mouseClick(Child<QPushButton>(box, "Button1"), Qt::LeftButton);
        QCOMPARE(clipboard->text(), box.WebAddress()); // the whole address, not the shortened one
        QVERIFY(opened_.empty());                      // copying opens nothing
    }

    void enterClosesTheBoxWithOk() {
        TAboutBox box(nullptr);
        auto* ok = Child<QPushButton>(box, "OKButton");
        QVERIFY(ok->isDefault());
        QVERIFY(!Child<QPushButton>(box, "Button1")->isDefault());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(QApplication::focusWidget(), ok);
        QTest::keyClick(&box, Qt::Key_Return);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }

    void enterOnASmallButtonAlsoClosesTheBox() {
        TAboutBox box(nullptr, kDistributed);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("before"));
        auto* button2 = Child<QPushButton>(box, "Button2");
        button2->setFocus();
        QTest::keyClick(button2, Qt::Key_Return);
        QVERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QCOMPARE(clipboard->text(), QStringLiteral("before"));
    }

    void showAboutBoxReturnsWhenTheBoxIsClosed() {
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            QWidget* box = QApplication::activeModalWidget();
            seen = box != nullptr && box->objectName() == QStringLiteral("AboutBox");
            if (box != nullptr) {
                QTest::keyClick(box, Qt::Key_Enter);
            }
        });
        ShowAboutBox(nullptr);
        QVERIFY(seen);
    }

private:
    std::vector<QUrl> opened_;
};

QTEST_MAIN(AboutBoxTest)
#include "AboutBox_qtest.moc"
