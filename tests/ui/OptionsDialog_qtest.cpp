// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OptionMessages.h"
#include "ui/OptionsDialog.h"
#include "widgets/SpinEdit.h"
#include "widgets/StaticText.h"
#include "widgets/TimerSpeedButton.h"
#include "widgets/TrackBar.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>
#include <cstdint>

namespace arbolink {
namespace {

template <typename T> T* Control(QWidget& dialog, const char* name) {
    auto* control = dialog.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) {
        qFatal("the dialog has no %s", name);
    }
    return control;
}

TTrackBar* Bar(QWidget& dialog) {
    return Control<TTrackBar>(dialog, "TrackBar1");
}
TSpinEdit* Spin(QWidget& dialog) {
    return Control<TSpinEdit>(dialog, "SpinEdit1");
}

// Where the handle's centre is drawn for a value.
QPoint HandleAt(TTrackBar* bar, int value) {
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = value;
    option.sliderValue = value;
    option.tickPosition = bar->tickPosition();
    option.tickInterval = bar->tickInterval();
    option.pageStep = bar->pageStep();
    option.singleStep = bar->singleStep();
    return bar->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, bar)
        .center();
}

bool ShowActive(QWidget& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}

// Types into the spin edit over its whole text.
void TypeOver(TSpinEdit* spin, const QString& text) {
    spin->setFocus(Qt::OtherFocusReason);
    spin->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(spin, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(spin, text);
    }
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void TheControlsStandWhereTheFormPutsThem();
    void TheExplanationIsShownAsWritten();
    void TheTrackBarOffersTheWholeRangeWithItsBand();
    void TheFormsFontIsTheJapaneseGothic();
    void FormCreateShowsTheShareInBothControls_data();
    void FormCreateShowsTheShareInBothControls();
    void TypingMovesTheBarAndAnOverlargeNumberComesBack();
    void AnEmptyTextMovesTheBarToZero();
    void TheBarMovedByKeyboardOrMouseMovesTheNumber();
    void TheUpArrowAtTheTopLeavesBothAtTheTop();
    void OkStoresTheBarsPosition();
    void OkStoresAClampedSettingsValue();
    void ReturnInTheNumberPressesOk();
    void CancelEscapeAndCloseChangeNothing_data();
    void CancelEscapeAndCloseChangeNothing();
    void TheEntryFunctionShowsTheDialogModallyAndReleasesIt();
};

void OptionsDialogTest::TheControlsStandWhereTheFormPutsThem() {
    std::int32_t share = 95;
    TfOption dialog(share);
    QCOMPARE(dialog.size(), QSize(319, 176));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.windowTitle(), QString::fromUtf8("オプション"));
    QCOMPARE(Control<TStaticText>(dialog, "StaticText1")->geometry(), QRect(8, 8, 305, 89));
    QCOMPARE(Bar(dialog)->geometry(), QRect(8, 104, 249, 33));
    QCOMPARE(Spin(dialog)->geometry(), QRect(264, 104, 49, 26));
    auto* ok = Control<QPushButton>(dialog, "BitBtn1");
    auto* cancel = Control<QPushButton>(dialog, "BitBtn2");
    QCOMPARE(ok->geometry(), QRect(55, 144, 89, 25));
    QCOMPARE(cancel->geometry(), QRect(175, 144, 89, 25));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(cancel->text(), QString::fromUtf8("キャンセル"));
    QVERIFY(ok->isDefault());
    QVERIFY(!cancel->isDefault());
    QVERIFY(!ok->icon().isNull());
    QVERIFY(!cancel->icon().isNull());

    const QRect screen = dialog.screen()->geometry();
    QCOMPARE(dialog.pos(), QPoint(screen.x() + (screen.width() - 319) / 2,
                                  screen.y() + (screen.height() - 176) / 2));
}

void OptionsDialogTest::TheExplanationIsShownAsWritten() {
    std::int32_t share = 95;
    TfOption dialog(share);
    const QString shown = Control<TStaticText>(dialog, "StaticText1")->Text();
    QCOMPARE(shown, QString::fromUtf8(kOptionExplanation));
    QVERIFY(!shown.contains(u'\r'));
    const QStringList lines = shown.split(u'\n');
    QCOMPARE(lines.size(), 7);
    for (const QString& line : lines) {
        QVERIFY2(line.isEmpty() ||
                     (line.startsWith(QString(2, QChar(0x3000))) && line.at(2) != QChar(0x3000)),
                 qPrintable(line));
    }
    QCOMPARE(lines.at(0),
             QString::fromUtf8("　　分割先の空き容量の最大何%を使用するか指定します。"));
    QCOMPARE(lines.at(6), QString::fromUtf8("　　95%未満にするとうまくいく可能性があります。"));
}

void OptionsDialogTest::TheTrackBarOffersTheWholeRangeWithItsBand() {
    std::int32_t share = 95;
    TfOption dialog(share);
    TTrackBar* bar = Bar(dialog);
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->pageStep(), 5);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->tickPosition(), QSlider::TicksBelow);
    QCOMPARE(bar->tickInterval(), 5);
    QCOMPARE(bar->SelStart(), 85);
    QCOMPARE(bar->SelEnd(), 95);

    // The band is painted in the highlight colour between the handle positions of 85 and 95
    // and nowhere else along the channel.
    share = 40;
    TfOption moved(share);
    ShowActive(moved);
    TTrackBar* shown = Bar(moved);
    const QImage image = shown->grab().toImage();
    const QColor highlight = shown->palette().color(QPalette::Highlight);
    const int y = HandleAt(shown, 90).y();
    QCOMPARE(image.pixelColor(HandleAt(shown, 90).x(), y), highlight);
    QCOMPARE(image.pixelColor(HandleAt(shown, 86).x(), y), highlight);
    QVERIFY(image.pixelColor(HandleAt(shown, 70).x(), y) != highlight);
    QVERIFY(image.pixelColor(HandleAt(shown, 99).x(), y) != highlight);
}

void OptionsDialogTest::TheFormsFontIsTheJapaneseGothic() {
    std::int32_t share = 95;
    TfOption dialog(share);
    QCOMPARE(dialog.font().families().value(0), QString::fromUtf8("ＭＳ Ｐゴシック"));
    QCOMPARE(dialog.font().pixelSize(), 12);
    QCOMPARE(Spin(dialog)->font().pixelSize(), 16);
    QCOMPARE(Bar(dialog)->font().pixelSize(), 12);
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
        QSKIP("the IPA fonts are not installed");
    }
    QCOMPARE(QFontInfo(dialog.font()).family(), QStringLiteral("IPAPGothic"));
}

void OptionsDialogTest::FormCreateShowsTheShareInBothControls_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("default") << 95 << 95;
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("all") << 100 << 100;
    QTest::newRow("above the range") << 150 << 100;
    QTest::newRow("below the range") << -20 << 0;
}

void OptionsDialogTest::FormCreateShowsTheShareInBothControls() {
    QFETCH(int, stored);
    QFETCH(int, shown);
    std::int32_t share = stored;
    TfOption dialog(share);
    QCOMPARE(Bar(dialog)->value(), shown);
    QCOMPARE(Spin(dialog)->text(), QString::number(shown));
    QCOMPARE(share, stored);
}

void OptionsDialogTest::TypingMovesTheBarAndAnOverlargeNumberComesBack() {
    std::int32_t share = 95;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    TSpinEdit* spin = Spin(dialog);
    TypeOver(spin, QStringLiteral("1"));
    QCOMPARE(Bar(dialog)->value(), 1);
    QTest::keyClicks(spin, QStringLiteral("5"));
    QCOMPARE(Bar(dialog)->value(), 15);
    QTest::keyClicks(spin, QStringLiteral("0"));
    QCOMPARE(Bar(dialog)->value(), 100);
    QCOMPARE(spin->text(), QStringLiteral("100"));
    QCOMPARE(share, 95);
}

void OptionsDialogTest::AnEmptyTextMovesTheBarToZero() {
    std::int32_t share = 95;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    TSpinEdit* spin = Spin(dialog);
    TypeOver(spin, QString());
    QCOMPARE(Bar(dialog)->value(), 0);
    QCOMPARE(spin->text(), QStringLiteral("0"));

    // With the bar at 0 already nothing changes, and leaving the field repairs nothing.
    TypeOver(spin, QString());
    QCOMPARE(spin->text(), QString());
    QCOMPARE(Bar(dialog)->value(), 0);
    QTest::keyClick(spin, Qt::Key_Tab);
    QVERIFY(!spin->hasFocus());
    QCOMPARE(spin->text(), QString());

    TypeOver(spin, QStringLiteral("-"));
    QCOMPARE(spin->text(), QStringLiteral("-"));
    QCOMPARE(Bar(dialog)->value(), 0);
}

void OptionsDialogTest::TheBarMovedByKeyboardOrMouseMovesTheNumber() {
    std::int32_t share = 50;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    TTrackBar* bar = Bar(dialog);
    TSpinEdit* spin = Spin(dialog);
    bar->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(bar, Qt::Key_Right);
    QCOMPARE(spin->text(), QStringLiteral("51"));
    QTest::keyClick(bar, Qt::Key_PageDown);
    QCOMPARE(bar->value(), 46);
    QCOMPARE(spin->text(), QStringLiteral("46"));

    // Dragged by the handle to the far right.
    QTest::mousePress(bar, Qt::LeftButton, {}, HandleAt(bar, 46));
    QTest::mouseMove(bar, HandleAt(bar, 70));
    QCOMPARE(spin->text(), QString::number(bar->value()));
    QVERIFY(bar->value() > 60);
    QTest::mouseMove(bar, QPoint(bar->width() + 30, HandleAt(bar, 46).y()));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() + 30, HandleAt(bar, 46).y()));
    QCOMPARE(bar->value(), 100);
    QCOMPARE(spin->text(), QStringLiteral("100"));
    QCOMPARE(share, 50);
}

void OptionsDialogTest::TheUpArrowAtTheTopLeavesBothAtTheTop() {
    std::int32_t share = 100;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    TSpinEdit* spin = Spin(dialog);
    QTest::mouseClick(spin->findChild<TTimerSpeedButton*>(QStringLiteral("UpButton")),
                      Qt::LeftButton);
    QCOMPARE(spin->text(), QStringLiteral("100"));
    QCOMPARE(Bar(dialog)->value(), 100);
    QTest::mouseClick(spin->findChild<TTimerSpeedButton*>(QStringLiteral("DownButton")),
                      Qt::LeftButton);
    QCOMPARE(spin->text(), QStringLiteral("99"));
    QCOMPARE(Bar(dialog)->value(), 99);
}

void OptionsDialogTest::OkStoresTheBarsPosition() {
    std::int32_t share = 95;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    TypeOver(Spin(dialog), QStringLiteral("42"));
    QCOMPARE(share, 95);
    QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(share, 42);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
}

void OptionsDialogTest::OkStoresAClampedSettingsValue() {
    std::int32_t share = 150;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    QCOMPARE(share, 150);
    QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(share, 100);
}

void OptionsDialogTest::ReturnInTheNumberPressesOk() {
    std::int32_t share = 95;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    TSpinEdit* spin = Spin(dialog);
    TypeOver(spin, QStringLiteral("30"));
    QTest::keyClick(spin, Qt::Key_Return);
    QCOMPARE(share, 30);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void OptionsDialogTest::CancelEscapeAndCloseChangeNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("close box") << "close";
}

void OptionsDialogTest::CancelEscapeAndCloseChangeNothing() {
    QFETCH(QString, how);
    std::int32_t share = 95;
    TfOption dialog(share);
    QVERIFY(ShowActive(dialog));
    TypeOver(Spin(dialog), QStringLiteral("20"));
    Bar(dialog)->setValue(60);
    QCOMPARE(Spin(dialog)->text(), QStringLiteral("60"));
    if (how == u"cancel") {
        QTest::mouseClick(Control<QPushButton>(dialog, "BitBtn2"), Qt::LeftButton);
    } else if (how == u"escape") {
        QTest::keyClick(Spin(dialog), Qt::Key_Escape);
    } else {
        dialog.close();
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(share, 95);
}

void OptionsDialogTest::TheEntryFunctionShowsTheDialogModallyAndReleasesIt() {
    QWidget mainWindow;
    mainWindow.show();
    std::int32_t share = 95;
    bool wasModal = false;
    QTimer::singleShot(0, &mainWindow, [&mainWindow, &wasModal] {
        auto* dialog = mainWindow.findChild<TfOption*>();
        if (dialog == nullptr) {
            return;
        }
        wasModal = QApplication::activeModalWidget() == dialog;
        Bar(*dialog)->setValue(70);
        Control<QPushButton>(*dialog, "BitBtn1")->click();
    });
    ShowOptionsDialog(&mainWindow, share);
    QVERIFY(wasModal);
    QCOMPARE(share, 70);
    QVERIFY(mainWindow.findChildren<TfOption*>().isEmpty());
}

} // namespace arbolink

QTEST_MAIN(arbolink::OptionsDialogTest)
#include "OptionsDialog_qtest.moc"
