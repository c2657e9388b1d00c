// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SpinEdit.h"
#include "widgets/TimerSpeedButton.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QVBoxLayout>
#include <limits>
#include <stdexcept>

namespace arbolink {
namespace {

// Counts the beeps instead of sounding them.
class CountingSpinEdit : public TSpinEdit {
public:
    using TSpinEdit::TSpinEdit;
    int beeps = 0;

protected:
    void Beep() override { ++beeps; }
};

// The spin edit as the options dialog sets it up.
void Percent(TSpinEdit& edit, const char* text) {
    edit.SetMinValue(0);
    edit.SetMaxValue(100);
    edit.setText(QString::fromUtf8(text));
}

TTimerSpeedButton* Half(TSpinEdit& edit, const char* name) {
    auto* half = edit.findChild<TTimerSpeedButton*>(QString::fromLatin1(name));
    if (half == nullptr) {
        qFatal("no spin button half %s", name);
    }
    return half;
}

QTimer* RepeatTimer(TTimerSpeedButton* half) {
    auto* timer = half->findChild<QTimer*>();
    if (timer == nullptr) {
        qFatal("the half has no repeat timer");
    }
    return timer;
}

// One expiry of the half's repeat timer, as the event loop would deliver it.
void Expire(QTimer* timer) {
    QTimerEvent expiry(timer->timerId());
    QCoreApplication::sendEvent(timer, &expiry);
}

// Types text as key presses that carry it, also characters no key of the test keyboard has.
void Type(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    }
}

QPoint Outside(QWidget* widget) {
    return QPoint(widget->width() + 20, widget->height() / 2);
}

} // namespace

class SpinEditTest : public QObject {
    Q_OBJECT

private slots:
    void ReadingConvertsTheTextAndNeverClamps_data();
    void ReadingConvertsTheTextAndNeverClamps();
    void WritingClampsUnlessTheLimitsAreEqual_data();
    void WritingClampsUnlessTheLimitsAreEqual();
    void TheChangeEventFiresOnlyWhenTheTextChanges();
    void StepsFromKeysAddTheIncrementWithinTheLimits();
    void StepsWithoutLimitsStopAtTheEndsOfTheRange();
    void ReadOnlyStepsBeepAndChangeNothing();
    void TheFilterRefusesOtherCharactersWithABeep();
    void TheDecimalSeparatorIsTheLocalesOwn();
    void ADisabledEditorRefusesTypingAndDeletingButSteps();
    void PasteAndCutActOnlyWhenEditable();
    void TheContextMenuOffersNoEditingWhenDisabled();
    void InputMethodTextPassesTheSameFilter();
    void AShortPressIsExactlyOneStep();
    void HoldingRepeatsAfter400AndThenEvery100Milliseconds();
    void RepeatsPauseWhileTheMouseIsOffTheHalf();
    void AFailingStepStopsTheRepeat();
    void TheButtonSitsInsideTheRightEdgeInTwoHalves();
    void TheFieldIsNeverLowerThanItsFontNeeds();
    void TheArrowGlyphsAreResources();
    void EnteringByKeyboardSelectsTheWholeText();
    void LeavingTheFieldWritesBackAClampedValue();
};

void SpinEditTest::ReadingConvertsTheTextAndNeverClamps_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << "" << 0 << 0;
    QTest::newRow("empty reads as the minimum") << "" << -7 << -7;
    QTest::newRow("sign alone") << "-" << 0 << 0;
    QTest::newRow("leading zeros") << "007" << 0 << 7;
    QTest::newRow("plus sign") << "+5" << 0 << 5;
    QTest::newRow("negative") << "-12" << -50 << -12;
    QTest::newRow("above the maximum is not clamped") << "150" << 0 << 150;
    QTest::newRow("below the minimum is not clamped") << "-5" << 0 << -5;
    QTest::newRow("largest") << "2147483647" << 0 << std::numeric_limits<int>::max();
    QTest::newRow("smallest") << "-2147483648" << 0 << std::numeric_limits<int>::min();
    QTest::newRow("beyond 32 bits") << "2147483648" << 3 << 3;
    QTest::newRow("far beyond 32 bits") << "99999999999999999999" << 3 << 3;
    QTest::newRow("below 32 bits") << "-2147483649" << 3 << 3;
    QTest::newRow("letters") << "abc" << 3 << 3;
    QTest::newRow("decimal fraction") << "1.5" << 3 << 3;
    QTest::newRow("two signs") << "+-5" << 3 << 3;
    QTest::newRow("sign behind") << "5-" << 3 << 3;
    QTest::newRow("blank in front") << " 5" << 3 << 3;
    QTest::newRow("full-width digit") << QString::fromUtf8("５") << 3 << 3;
}

void SpinEditTest::ReadingConvertsTheTextAndNeverClamps() {
    QFETCH(QString, text);
    QFETCH(int, minValue);
    QFETCH(int, expected);
    TSpinEdit edit;
    edit.SetMinValue(minValue);
    edit.SetMaxValue(100);
    edit.setText(text);
    QCOMPARE(edit.Value(), expected);
    QCOMPARE(edit.text(), text);
}

void SpinEditTest::WritingClampsUnlessTheLimitsAreEqual_data() {
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("expected");
    QTest::newRow("above") << 0 << 100 << 150 << "100";
    QTest::newRow("below") << 0 << 100 << -5 << "0";
    QTest::newRow("inside") << 0 << 100 << 42 << "42";
    QTest::newRow("equal limits do not clamp") << 5 << 5 << -9 << "-9";
    QTest::newRow("the defaults do not clamp") << 0 << 0 << 123456 << "123456";
    QTest::newRow("a minimum above the maximum wins below") << 10 << 0 << -3 << "10";
    QTest::newRow("a minimum above the maximum: the maximum above") << 10 << 0 << 20 << "0";
}

void SpinEditTest::WritingClampsUnlessTheLimitsAreEqual() {
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(int, written);
    QFETCH(QString, expected);
    TSpinEdit edit;
    edit.SetMinValue(minValue);
    edit.SetMaxValue(maxValue);
    edit.SetValue(written);
    QCOMPARE(edit.text(), expected);
}

void SpinEditTest::TheChangeEventFiresOnlyWhenTheTextChanges() {
    TSpinEdit edit;
    Percent(edit, "100");
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    edit.SetValue(100);
    edit.SetValue(150);
    QCOMPARE(changes.count(), 0);
    edit.SetValue(99);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), QStringLiteral("99"));

    // "0100" reads as 100, but writing 100 makes a different text.
    edit.setText(QStringLiteral("0100"));
    changes.clear();
    edit.SetValue(100);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(edit.text(), QStringLiteral("100"));
}

void SpinEditTest::StepsFromKeysAddTheIncrementWithinTheLimits() {
    CountingSpinEdit edit;
    Percent(edit, "100");
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), QStringLiteral("100"));
    QCOMPARE(changes.count(), 0);
    QTest::keyClick(&edit, Qt::Key_Down);
    QCOMPARE(edit.text(), QStringLiteral("99"));

    edit.SetIncrement(7);
    QTest::keyClick(&edit, Qt::Key_Down);
    QCOMPARE(edit.text(), QStringLiteral("92"));
    edit.setText(QStringLiteral("3"));
    QTest::keyClick(&edit, Qt::Key_Down);
    QCOMPARE(edit.text(), QStringLiteral("0"));

    // An invalid text steps from the minimum it reads as.
    edit.SetIncrement(1);
    edit.setText(QStringLiteral("abc"));
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), QStringLiteral("1"));
    QCOMPARE(edit.beeps, 0);
}

void SpinEditTest::StepsWithoutLimitsStopAtTheEndsOfTheRange() {
    TSpinEdit edit;
    edit.SetValue(std::numeric_limits<std::int32_t>::max());
    edit.UpClick();
    QCOMPARE(edit.Value(), std::numeric_limits<std::int32_t>::max());
    edit.SetValue(std::numeric_limits<std::int32_t>::min());
    edit.SetIncrement(std::numeric_limits<std::int32_t>::min());
    edit.UpClick();
    QCOMPARE(edit.Value(), std::numeric_limits<std::int32_t>::min());
    edit.DownClick();
    QCOMPARE(edit.Value(), 0);
}

void SpinEditTest::ReadOnlyStepsBeepAndChangeNothing() {
    CountingSpinEdit edit;
    Percent(edit, "50");
    edit.resize(49, 26);
    edit.setReadOnly(true);
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::mouseClick(Half(edit, "UpButton"), Qt::LeftButton);
    QCOMPARE(edit.beeps, 3);
    QCOMPARE(edit.text(), QStringLiteral("50"));
}

void SpinEditTest::TheFilterRefusesOtherCharactersWithABeep() {
    CountingSpinEdit edit;
    edit.setLocale(QLocale::c());
    Percent(edit, "5");
    edit.end(false);
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    QTest::keyClick(&edit, Qt::Key_A);
    QCOMPARE(edit.beeps, 1);
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.beeps, 2);
    QTest::keyClick(&edit, Qt::Key_Enter);
    QTest::keyClick(&edit, Qt::Key_Space);
    Type(&edit, QString::fromUtf8("５x"));
    QCOMPARE(edit.beeps, 6);
    QCOMPARE(edit.text(), QStringLiteral("5"));
    QCOMPARE(changes.count(), 0);

    QTest::keyClicks(&edit, QStringLiteral("0+-."));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("50+-"));
    QCOMPARE(edit.beeps, 6);
}

void SpinEditTest::TheDecimalSeparatorIsTheLocalesOwn() {
    CountingSpinEdit edit;
    edit.setLocale(QLocale(QLocale::German, QLocale::Germany));
    edit.setText(QString());
    QTest::keyClicks(&edit, QStringLiteral("1,."));
    QCOMPARE(edit.text(), QStringLiteral("1,"));
    QCOMPARE(edit.beeps, 1);
}

void SpinEditTest::ADisabledEditorRefusesTypingAndDeletingButSteps() {
    CountingSpinEdit edit;
    Percent(edit, "42");
    edit.SetEditorEnabled(false);
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_5);
    QTest::keyClick(&edit, Qt::Key_Minus);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClick(&edit, Qt::Key_A);
    QCOMPARE(edit.beeps, 5);
    QCOMPARE(edit.text(), QStringLiteral("42"));
    QVERIFY(!edit.acceptDrops());

    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(edit.text(), QStringLiteral("43"));

    edit.SetEditorEnabled(true);
    QVERIFY(edit.acceptDrops());
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("4"));
}

void SpinEditTest::PasteAndCutActOnlyWhenEditable() {
    CountingSpinEdit edit;
    Percent(edit, "12");
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QStringLiteral("34"));
    edit.SetEditorEnabled(false);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(edit.text(), QStringLiteral("12"));
    QCOMPARE(clipboard->text(), QStringLiteral("34"));

    edit.SetEditorEnabled(true);
    edit.setReadOnly(true);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.text(), QStringLiteral("12"));
    QCOMPARE(clipboard->text(), QStringLiteral("34"));
    QCOMPARE(edit.beeps, 0);

    // Pasted text is not filtered: the field then reads as its minimum.
    edit.setReadOnly(false);
    clipboard->setText(QStringLiteral("7a"));
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QStringLiteral("7a"));
    QCOMPARE(edit.Value(), 0);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString());
    QCOMPARE(clipboard->text(), QStringLiteral("7a"));
}

void SpinEditTest::TheContextMenuOffersNoEditingWhenDisabled() {
    TSpinEdit edit;
    Percent(edit, "12");
    edit.resize(49, 26);
    edit.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("34"));

    // Opens the menu, notes the actions it enables (Qt's untranslated texts without their
    // shortcuts), and closes it again.
    const auto enabledActions = [&edit] {
        QStringList enabled;
        QTimer::singleShot(0, &edit, [&edit, &enabled] {
            auto* menu = edit.findChild<QMenu*>();
            if (menu == nullptr) {
                return;
            }
            for (const QAction* action : menu->actions()) {
                if (action->isEnabled() && !action->isSeparator()) {
                    enabled << action->text().section(u'\t', 0, 0);
                }
            }
            menu->close();
        });
        edit.selectAll();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                edit.mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(&edit, &event);
        return enabled;
    };

    const QStringList editable = enabledActions();
    QVERIFY2(editable.contains(QStringLiteral("&Paste")), qPrintable(editable.join(u',')));
    QVERIFY(editable.contains(QStringLiteral("Cu&t")));
    QVERIFY(editable.contains(QStringLiteral("Delete")));

    edit.SetEditorEnabled(false);
    const QStringList locked = enabledActions();
    QCOMPARE(locked, QStringList{QStringLiteral("&Copy")});
    // The field itself stays writable for the program and the steps.
    QVERIFY(!edit.isReadOnly());
    QVERIFY(edit.findChild<QMenu*>() == nullptr);
}

void SpinEditTest::InputMethodTextPassesTheSameFilter() {
    CountingSpinEdit edit;
    Percent(edit, "");
    QInputMethodEvent mixed;
    mixed.setCommitString(QString::fromUtf8("１2あ3"));
    QCoreApplication::sendEvent(&edit, &mixed);
    QCOMPARE(edit.text(), QStringLiteral("23"));
    QCOMPARE(edit.beeps, 1);

    QInputMethodEvent digits;
    digits.setCommitString(QStringLiteral("4"));
    QCoreApplication::sendEvent(&edit, &digits);
    QCOMPARE(edit.text(), QStringLiteral("234"));
    QCOMPARE(edit.beeps, 1);

    edit.SetEditorEnabled(false);
    QInputMethodEvent refused;
    refused.setCommitString(QStringLiteral("5"));
    QCoreApplication::sendEvent(&edit, &refused);
    QCOMPARE(edit.text(), QStringLiteral("234"));
    QCOMPARE(edit.beeps, 2);
}

void SpinEditTest::AShortPressIsExactlyOneStep() {
    TSpinEdit edit;
    Percent(edit, "50");
    edit.resize(49, 26);
    TTimerSpeedButton* up = Half(edit, "UpButton");
    QTimer* timer = RepeatTimer(up);

    QTest::mousePress(up, Qt::LeftButton);
    QVERIFY(up->IsDown());
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 400);
    QCOMPARE(edit.text(), QStringLiteral("50"));
    QTest::mouseRelease(up, Qt::LeftButton);
    QCOMPARE(edit.text(), QStringLiteral("51"));
    QVERIFY(!timer->isActive());
    QVERIFY(!up->IsDown());

    QTest::mouseClick(Half(edit, "DownButton"), Qt::LeftButton);
    QCOMPARE(edit.text(), QStringLiteral("50"));

    // Only the left button steps.
    QTest::mouseClick(up, Qt::RightButton);
    QCOMPARE(edit.text(), QStringLiteral("50"));
    QVERIFY(!timer->isActive());
}

void SpinEditTest::HoldingRepeatsAfter400AndThenEvery100Milliseconds() {
    TSpinEdit edit;
    Percent(edit, "50");
    edit.resize(49, 26);
    TTimerSpeedButton* down = Half(edit, "DownButton");
    QTimer* timer = RepeatTimer(down);

    // Held for 650 ms: the timer expires at 400, 500 and 600 ms.
    QTest::mousePress(down, Qt::LeftButton);
    Expire(timer);
    QCOMPARE(edit.text(), QStringLiteral("49"));
    QCOMPARE(timer->interval(), 100);
    Expire(timer);
    Expire(timer);
    QCOMPARE(edit.text(), QStringLiteral("47"));
    QTest::mouseRelease(down, Qt::LeftButton);
    QCOMPARE(edit.text(), QStringLiteral("46"));
    QVERIFY(!timer->isActive());

    // The next press waits the long delay again.
    QTest::mousePress(down, Qt::LeftButton);
    QCOMPARE(timer->interval(), 400);
    QTest::mouseRelease(down, Qt::LeftButton);
    QCOMPARE(edit.text(), QStringLiteral("45"));
}

void SpinEditTest::RepeatsPauseWhileTheMouseIsOffTheHalf() {
    TSpinEdit edit;
    Percent(edit, "50");
    edit.resize(49, 26);
    TTimerSpeedButton* up = Half(edit, "UpButton");
    QTimer* timer = RepeatTimer(up);

    QTest::mousePress(up, Qt::LeftButton);
    QTest::mouseMove(up, Outside(up));
    QVERIFY(!up->IsDown());
    Expire(timer);
    QCOMPARE(edit.text(), QStringLiteral("50"));
    QTest::mouseMove(up, up->rect().center());
    QVERIFY(up->IsDown());
    Expire(timer);
    QCOMPARE(edit.text(), QStringLiteral("51"));
    QTest::mouseMove(up, Outside(up));
    QTest::mouseRelease(up, Qt::LeftButton, {}, Outside(up));
    QCOMPARE(edit.text(), QStringLiteral("51"));
    QVERIFY(!timer->isActive());

    // A timer left over after the release steps no more.
    Expire(timer);
    QCOMPARE(edit.text(), QStringLiteral("51"));
}

void SpinEditTest::AFailingStepStopsTheRepeat() {
    TSpinEdit edit;
    edit.resize(49, 26);
    TTimerSpeedButton* up = Half(edit, "UpButton");
    QTimer* timer = RepeatTimer(up);
    connect(up, &TTimerSpeedButton::Click, &edit, [] { throw std::runtime_error("step failed"); });
    QTest::mousePress(up, Qt::LeftButton);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, Expire(timer));
    QVERIFY(!timer->isActive());
}

void SpinEditTest::TheButtonSitsInsideTheRightEdgeInTwoHalves() {
    TSpinEdit edit;
    edit.resize(49, 26);
    edit.show();
    QCOMPARE(edit.size(), QSize(49, 26));
    auto* button = Half(edit, "UpButton")->parentWidget();
    QCOMPARE(button->geometry(), QRect(2 + 49 - 15 - 5, 2, 15, 26 - 5));
    QCOMPARE(Half(edit, "UpButton")->geometry(), QRect(0, 0, 15, 10));
    QCOMPARE(Half(edit, "DownButton")->geometry(), QRect(0, 9, 15, 12));
    QCOMPARE(button->cursor().shape(), Qt::ArrowCursor);

    edit.resize(80, 33);
    QCOMPARE(button->geometry(), QRect(2 + 80 - 15 - 5, 2, 15, 33 - 5));
    QCOMPARE(Half(edit, "UpButton")->geometry(), QRect(0, 0, 15, 14));
    QCOMPARE(Half(edit, "DownButton")->geometry(), QRect(0, 13, 15, 15));
    QVERIFY(button->minimumWidth() >= 15);
}

void SpinEditTest::TheFieldIsNeverLowerThanItsFontNeeds() {
    TSpinEdit edit;
    QFont font = edit.font();
    for (const int pixels : {12, 16, 30}) {
        font.setPixelSize(pixels);
        edit.setFont(font);
        const int fontHeight = QFontMetrics(font).height();
        const int systemHeight = QFontMetrics(QApplication::font()).height();
        const int lowest = fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 + 2;
        edit.resize(49, 5);
        QCOMPARE(edit.height(), lowest);
        edit.resize(49, lowest + 3);
        QCOMPARE(edit.height(), lowest + 3);
    }
}

void SpinEditTest::TheArrowGlyphsAreResources() {
    TSpinEdit edit; // registers the glyphs
    const QPixmap up(QStringLiteral(":/SpinUp"));
    const QPixmap down(QStringLiteral(":/SpinDown"));
    QVERIFY(!up.isNull());
    QVERIFY(!down.isNull());
    QCOMPARE(up.size(), down.size());
    // The up arrow points up: its widest row is the bottom one.
    const QImage upImage = up.toImage();
    QVERIFY(qAlpha(upImage.pixel(0, upImage.height() - 1)) > 0);
    QCOMPARE(qAlpha(upImage.pixel(0, 0)), 0);
    const QImage downImage = down.toImage();
    QVERIFY(qAlpha(downImage.pixel(0, 0)) > 0);
    QCOMPARE(qAlpha(downImage.pixel(0, downImage.height() - 1)), 0);
}

void SpinEditTest::EnteringByKeyboardSelectsTheWholeText() {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* edit = new TSpinEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(edit);
    Percent(*edit, "95");
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    before->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), QStringLiteral("95"));
    QTest::keyClick(edit, Qt::Key_7);
    QCOMPARE(edit->text(), QStringLiteral("7"));

    before->setFocus(Qt::OtherFocusReason);
    edit->setFocus(Qt::MouseFocusReason);
    QVERIFY(!edit->hasSelectedText());
}

void SpinEditTest::LeavingTheFieldWritesBackAClampedValue() {
    QWidget window;
    auto* edit = new TSpinEdit(&window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(edit);
    layout->addWidget(after);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));

    Percent(*edit, "150");
    edit->setFocus(Qt::OtherFocusReason);
    QSignalSpy changes(edit, &QLineEdit::textChanged);
    // A menu taking the focus for a moment is not leaving.
    after->setFocus(Qt::PopupFocusReason);
    QCOMPARE(edit->text(), QStringLiteral("150"));
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(after->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("100"));
    QCOMPARE(changes.count(), 1);

    // "-" reads as 0, which lies in the range: nothing to repair.
    edit->setText(QStringLiteral("-"));
    edit->setFocus(Qt::OtherFocusReason);
    after->setFocus(Qt::MouseFocusReason);
    QCOMPARE(edit->text(), QStringLiteral("-"));
}

} // namespace arbolink

QTEST_MAIN(arbolink::SpinEditTest)
#include "SpinEdit_qtest.moc"
