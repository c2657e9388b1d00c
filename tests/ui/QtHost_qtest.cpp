// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt Host: its message boxes as the user sees them, the answers they give, the event
// loop, the main window's fields and enabled state.
#include "support/MessageBoxWatch.h"
#include "ui/HostCaptions.h"
#include "ui/ProgressForm.h"
#include "ui/QtHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWindow>
#include <QtTest>

using namespace arbolink;
using arbolink::test::MessageBoxWatch;

namespace {

QString Caption(Button button) {
    return QString::fromUtf8(CaptionOf(button));
}

// Stands in for the main window: a window with the three fields and the check box.
struct FakeMainWindow {
    QWidget window;
    QComboBox* source = new QComboBox(&window);
    QComboBox* destination = new QComboBox(&window);
    QComboBox* restoreTo = new QComboBox(&window);
    QCheckBox* copyProgram = new QCheckBox(&window);

    FakeMainWindow() {
        for (QComboBox* combo : {source, destination, restoreTo}) {
            combo->setEditable(true);
        }
    }
    MainWindowControls Controls() { return {&window, source, destination, restoreTo, copyProgram}; }
};

} // namespace

class QtHostTest : public QObject {
    Q_OBJECT

private slots:
    void showsEachKindWithItsCaptionAndIcon_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::newRow("plain") << int(DialogKind::Plain) << "Arbolink" << int(QMessageBox::NoIcon);
        QTest::newRow("warning") << int(DialogKind::Warning) << "警告" << int(QMessageBox::Warning);
        QTest::newRow("error") << int(DialogKind::Error) << "エラー" << int(QMessageBox::Critical);
        QTest::newRow("information")
            << int(DialogKind::Information) << "情報" << int(QMessageBox::Information);
        QTest::newRow("confirmation")
            << int(DialogKind::Confirmation) << "確認" << int(QMessageBox::Question);
    }
    void showsEachKindWithItsCaptionAndIcon() {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        FakeMainWindow main;
        QtHost host(main.Controls());
        MessageBoxWatch watch;
        watch.Press(QStringLiteral("OK"));
        const Button answer = host.ShowDialog(static_cast<DialogKind>(kind),
                                              "一行目\n\n二行目 <b>そのまま</b>", {Button::Ok});
        QCOMPARE(answer, Button::Ok);
        QCOMPARE(watch.seen.size(), std::size_t(1));
        QCOMPARE(watch.seen[0].caption, caption);
        QCOMPARE(int(watch.seen[0].icon), icon);
        QCOMPARE(watch.seen[0].text, QStringLiteral("一行目\n\n二行目 <b>そのまま</b>"));
        QCOMPARE(watch.seen[0].buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(watch.unexpected, 0);
    }

    void messageShorthandsUseThePlainBoxAndTheWarning() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        MessageBoxWatch watch;
        watch.Press(QStringLiteral("OK"));
        watch.Press(QStringLiteral("OK"));
        host.Message("削除完了しました。");
        host.Warning("注意");
        QCOMPARE(watch.seen.size(), std::size_t(2));
        QCOMPARE(watch.seen[0].caption, QStringLiteral("Arbolink"));
        QCOMPARE(watch.seen[1].caption, QStringLiteral("警告"));
    }

    void answersWithTheButtonPressed_data() {
        QTest::addColumn<int>("pressed");
        QTest::newRow("abort") << int(Button::Abort);
        QTest::newRow("retry") << int(Button::Retry);
        QTest::newRow("ignore") << int(Button::Ignore);
    }
    void answersWithTheButtonPressed() {
        QFETCH(int, pressed);
        FakeMainWindow main;
        QtHost host(main.Controls());
        MessageBoxWatch watch;
        watch.Press(Caption(static_cast<Button>(pressed)));
        const Buttons buttons{Button::Abort, Button::Retry, Button::Ignore};
        QCOMPARE(host.ShowDialog(DialogKind::Error, "複写できません", buttons),
                 static_cast<Button>(pressed));
        QCOMPARE(watch.seen[0].buttons,
                 (QStringList{QStringLiteral("中止(&A)"), QStringLiteral("再試行(&R)"),
                              QStringLiteral("無視(&I)")}));
        QCOMPARE(watch.seen[0].defaultButton, QStringLiteral("中止(&A)"));
    }

    // The box closes by itself once its condition comes true, and the user's button still
    // answers before that.
    void closesByItselfWhenItsConditionComesTrue() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        int asked = 0;
        const Button answer = host.ShowDialogUntil(
            DialogKind::Confirmation, "2 枚目のディスクを入れてください。",
            {Button::Ok, Button::Abort}, [&] { return ++asked == 3; }, Button::Ok);
        QCOMPARE(answer, Button::Ok);
        QCOMPARE(asked, 3);
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        MessageBoxWatch watch;
        watch.Press(Caption(Button::Abort));
        QCOMPARE(host.ShowDialogUntil(
                     DialogKind::Confirmation, "?", {Button::Ok, Button::Abort},
                     [] { return false; }, Button::Ok),
                 Button::Abort);
        QCOMPARE(watch.seen.size(), std::size_t(1));
    }

    void keepsTheCommandsButtonOrderAndCaptions() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        MessageBoxWatch watch;
        watch.Press(QStringLiteral("いいえ(&N)"));
        watch.Press(QStringLiteral("キャンセル"));
        QCOMPARE(host.ShowDialog(DialogKind::Confirmation, "?", {Button::Yes, Button::No}),
                 Button::No);
        QCOMPARE(host.ShowDialog(DialogKind::Information, "?", {Button::Ok, Button::Cancel}),
                 Button::Cancel);
        QCOMPARE(watch.seen[0].buttons,
                 (QStringList{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")}));
        QCOMPARE(watch.seen[0].defaultButton, QStringLiteral("はい(&Y)"));
        QCOMPARE(watch.seen[1].buttons,
                 (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));
    }

    // The window writes the captions out again for its catalogue; in Japanese they are the
    // core's own, every one of them.
    void showsTheCoresCaptionsInJapanese() {
        for (DialogKind kind : {DialogKind::Plain, DialogKind::Warning, DialogKind::Error,
                                DialogKind::Information, DialogKind::Confirmation}) {
            QCOMPARE(WindowCaption(kind), QString::fromUtf8(CaptionOf(kind)));
        }
        for (Button button : {Button::Ok, Button::Cancel, Button::Yes, Button::No, Button::Abort,
                              Button::Retry, Button::Ignore}) {
            QCOMPARE(WindowCaption(button), Caption(button));
        }
    }

    void closingABoxGivesTheAnswerThatChangesNothing_data() {
        QTest::addColumn<QList<int>>("buttons");
        QTest::addColumn<int>("expected");
        QTest::newRow("ok abort") << QList<int>{int(Button::Ok), int(Button::Abort)}
                                  << int(Button::Abort);
        QTest::newRow("yes no") << QList<int>{int(Button::Yes), int(Button::No)} << int(Button::No);
        QTest::newRow("ok cancel")
            << QList<int>{int(Button::Ok), int(Button::Cancel)} << int(Button::Cancel);
        QTest::newRow("ok") << QList<int>{int(Button::Ok)} << int(Button::Ok);
    }
    void closingABoxGivesTheAnswerThatChangesNothing() {
        QFETCH(QList<int>, buttons);
        QFETCH(int, expected);
        FakeMainWindow main;
        QtHost host(main.Controls());
        MessageBoxWatch watch; // nothing queued: the box is closed
        Buttons asked;
        for (int b : buttons) {
            asked.push_back(static_cast<Button>(b));
        }
        QCOMPARE(host.ShowDialog(DialogKind::Warning, "?", asked), static_cast<Button>(expected));
        QCOMPARE(watch.unexpected, 1);
    }

    void processMessagesRunsPendingEvents() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        host.ProcessMessages();
        QVERIFY(ran);
    }

    void switchesTheMainWindow() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        host.SetMainWindowEnabled(false);
        QVERIFY(!main.window.isEnabled());
        QVERIFY(!main.source->isEnabled());
        host.SetMainWindowEnabled(true);
        QVERIFY(main.window.isEnabled());
    }

    void givesTheFocusBackAfterARun() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        main.window.show();
        main.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main.window));
        main.restoreTo->setFocus();
        host.SetMainWindowEnabled(false);
        host.SetMainWindowEnabled(false); // a second time: the focus it had first is kept
        host.SetMainWindowEnabled(true);
        QCOMPARE(main.window.focusWidget(), main.restoreTo);
    }

    void readsTheFieldsAsTyped() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        main.source->setEditText(QStringLiteral("/home/user/写真"));
        main.destination->setEditText(QStringLiteral("/media/USB"));
        main.restoreTo->setEditText(QStringLiteral("/tmp/復元 先"));
        main.copyProgram->setChecked(true);
        const MainFields fields = host.ReadFields();
        QCOMPARE(QString::fromStdString(fields.source), QStringLiteral("/home/user/写真"));
        QCOMPARE(QString::fromStdString(fields.destination), QStringLiteral("/media/USB"));
        QCOMPARE(QString::fromStdString(fields.restoreTo), QStringLiteral("/tmp/復元 先"));
        QVERIFY(fields.copyProgram);
        main.copyProgram->setChecked(false);
        QVERIFY(!host.ReadFields().copyProgram);
    }

    void selectsTheWholeTextOfTheNamedField() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        main.destination->setEditText(QStringLiteral("/media/usb"));
        main.restoreTo->setEditText(QStringLiteral("/tmp/x"));
        host.SelectFieldText(Field::Destination);
        QCOMPARE(main.destination->lineEdit()->selectedText(), QStringLiteral("/media/usb"));
        QVERIFY(!main.restoreTo->lineEdit()->hasSelectedText());
        host.SelectFieldText(Field::RestoreTo);
        QCOMPARE(main.restoreTo->lineEdit()->selectedText(), QStringLiteral("/tmp/x"));
    }

    void createsTheProgressDialog() {
        FakeMainWindow main;
        QtHost host(main.Controls());
        std::unique_ptr<ProgressDialog> dialog = host.CreateProgressDialog();
        auto* form = dynamic_cast<TForm4*>(dialog.get());
        QVERIFY(form != nullptr);
        QVERIFY(!dialog->CancelRequested());
        QCOMPARE(form->objectName(), QStringLiteral("Form4"));
        QVERIFY(form->parentWidget() == nullptr); // never disabled with the main window
    }

    void keepsItsWindowsInFrontOfTheMainWindow() {
        FakeMainWindow main;
        main.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        QtHost host(main.Controls());
        std::unique_ptr<ProgressDialog> dialog = host.CreateProgressDialog();
        auto* form = dynamic_cast<TForm4*>(dialog.get());
        dialog->Show();
        QCOMPARE(form->windowHandle()->transientParent(), main.window.windowHandle());
        host.SetMainWindowEnabled(false);
        QVERIFY(form->isEnabled());

        MessageBoxWatch watch;
        QWindow* owner = nullptr;
        watch.onBox = [&](QMessageBox& box) { owner = box.windowHandle()->transientParent(); };
        watch.Press(QStringLiteral("OK"));
        host.Message("x");
        QCOMPARE(owner, main.window.windowHandle());
    }
};

QTEST_MAIN(QtHostTest)
#include "QtHost_qtest.moc"
