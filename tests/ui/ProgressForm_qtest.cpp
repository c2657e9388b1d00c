// SPDX-License-Identifier: GPL-3.0-or-later
// The progress dialog: its controls, the two layouts the operations set, and Cancel.
#include "ui/ProgressForm.h"
#include "widgets/Animate.h"
#include "widgets/Gauge.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace arbolink;

namespace {

template <typename T> T* Child(QWidget& form, const char* name) {
    T* child = form.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child %s", name);
    }
    return child;
}

// The planning layout, as the split planning sets it up.
void SetUpPlanning(TForm4& form) {
    form.SetOuterSize(350, 195);
    form.SetAnimation(Animation::FindFolder, 8, 8, true);
    form.SetMessage({95, 16, 240, 50}, TextAlignment::Center,
                    "ディスクの必要枚数を\n\n確認しています");
    form.PlaceGauge(24, 96);
    form.SetGauge(0);
    form.SetCaption("準備中．．．");
}

// The copying layout, as the split and restore runs set it up.
void SetUpCopying(TForm4& form) {
    form.SetOuterSize(350, 240);
    form.SetCaption("複写中．．．");
    form.SetAnimation(Animation::CopyFiles, -1, 8, true);
    form.SetMessage({8, 72, 330, 50}, TextAlignment::Left,
                    "From : /home/user/写真/\n  To : /media/usb");
    form.PlaceGauge(24, 136);
    form.SetGauge(0);
}

bool IsJapaneseGothic(const QFont& font) {
    const QString family = QFontInfo(font).family();
    return family.contains(QStringLiteral("Gothic")) ||
           family.contains(QStringLiteral("ゴシック")) || family.contains(QStringLiteral("CJK"));
}

} // namespace

class ProgressFormTest : public QObject {
    Q_OBJECT

private slots:
    void hasItsControlsAtTheirDesignPlaces() {
        TForm4 form;
        QCOMPARE(form.objectName(), QStringLiteral("Form4"));
        QCOMPARE(form.size(), QSize(340, 160));
        QVERIFY(!form.CancelRequested());
        QCOMPARE(form.cursor().shape(), Qt::WaitCursor);
        QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));

        auto* animate = Child<TAnimate>(form, "Animate1");
        QCOMPARE(animate->geometry(), QRect(40, 8, 272, 60));
        QCOMPARE(animate->Clip(), CommonAvi::CopyFiles);
        QVERIFY(!animate->Active());

        auto* label1 = Child<QLabel>(form, "Label1");
        QCOMPARE(label1->geometry(), QRect(8, 16, 329, 49));
        QVERIFY(label1->wordWrap());
        QCOMPARE(label1->font().pixelSize(), 16);
        QVERIFY(IsJapaneseGothic(label1->font()));
        const QFontMetrics metrics(
            label1->font()); // a monospaced face: every half-width glyph alike
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')),
                 metrics.horizontalAdvance(QLatin1Char('W')));

        auto* label3 = Child<QLabel>(form, "Label3");
        QCOMPARE(label3->geometry(), QRect(37, 72, 265, 16));
        QVERIFY(label3->text().isEmpty());
        QCOMPARE(label3->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(label3->font().pixelSize(), 16);
        QVERIFY(label3->alignment() & Qt::AlignHCenter);

        auto* gauge = Child<TGauge>(form, "Gauge1");
        QCOMPARE(gauge->geometry(), QRect(24, 96, 289, 20));
        QCOMPARE(gauge->ForeColor(), QColor(Qt::blue));
        QCOMPARE(gauge->Progress(), 0);
        QCOMPARE(gauge->font().pixelSize(), 16);
        QVERIFY(IsJapaneseGothic(gauge->font()));
        const QFontMetrics proportional(label3->font());
        QVERIFY(proportional.horizontalAdvance(QLatin1Char('i')) <
                proportional.horizontalAdvance(QLatin1Char('W')));

        auto* panel = Child<QWidget>(form, "Panel1");
        QCOMPARE(panel->geometry(), QRect(0, 160 - 41, 340, 41));
        auto* cancel = Child<QPushButton>(form, "BitBtn1");
        QCOMPARE(cancel->parentWidget(), panel);
        QCOMPARE(cancel->geometry(), QRect(117, 8, 105, 25));
        QCOMPARE(cancel->text(), QStringLiteral("キャンセル"));
        QCOMPARE(cancel->font().pixelSize(), 13);
        QVERIFY(!cancel->icon().isNull());
    }

    void takesThePlanningLayout() {
        TForm4 form;
        SetUpPlanning(form);
        QCOMPARE(form.windowTitle(), QStringLiteral("準備中．．．"));
        // 350 x 195 outside a Windows dialog frame
        QCOMPARE(form.size(), QSize(344, 170));
        auto* animate = Child<TAnimate>(form, "Animate1");
        QCOMPARE(animate->Clip(), CommonAvi::FindFolder);
        QCOMPARE(animate->pos(), QPoint(8, 8));
        QVERIFY(animate->Active());
        auto* label1 = Child<QLabel>(form, "Label1");
        QCOMPARE(label1->geometry(), QRect(95, 16, 240, 50));
        QVERIFY(label1->alignment() & Qt::AlignHCenter);
        QCOMPARE(label1->text(), QStringLiteral("ディスクの必要枚数を\n\n確認しています"));
        QVERIFY(animate->geometry().right() < label1->geometry().left());
        QCOMPARE(Child<TGauge>(form, "Gauge1")->pos(), QPoint(24, 96));
        QCOMPARE(Child<QWidget>(form, "Panel1")->geometry(), QRect(0, 129, 344, 41));

        form.SetStage("ファイルをチェック中");
        QCOMPARE(Child<QLabel>(form, "Label3")->text(), QStringLiteral("ファイルをチェック中"));
        form.SetGauge(42);
        QCOMPARE(Child<TGauge>(form, "Gauge1")->Progress(), 42);
    }

    void takesTheCopyingLayout() {
        TForm4 form;
        SetUpCopying(form);
        QCOMPARE(form.windowTitle(), QStringLiteral("複写中．．．"));
        QCOMPARE(form.size(), QSize(344, 215));
        auto* animate = Child<TAnimate>(form, "Animate1");
        QCOMPARE(animate->Clip(), CommonAvi::CopyFiles);
        QCOMPARE(animate->geometry(), QRect((350 - 272) / 2, 8, 272, 60));
        auto* label1 = Child<QLabel>(form, "Label1");
        QCOMPARE(label1->geometry(), QRect(8, 72, 330, 50));
        QVERIFY(label1->alignment() & Qt::AlignLeft);
        QCOMPARE(label1->text(), QStringLiteral("From : /home/user/写真/\n  To : /media/usb"));
        QCOMPARE(label1->toolTip(), QString()); // nothing cut out
        QCOMPARE(Child<TGauge>(form, "Gauge1")->pos(), QPoint(24, 136));
        QCOMPARE(Child<QWidget>(form, "Panel1")->geometry(), QRect(0, 174, 344, 41));
        // Nothing overlaps the button panel.
        QVERIFY(Child<TGauge>(form, "Gauge1")->geometry().bottom() < 174);
        QVERIFY(label1->geometry().bottom() < 136);
    }

    void cutsALongPathInTheMiddleAndKeepsTheLines() {
        TForm4 form;
        SetUpCopying(form);
        const QString full = QStringLiteral(
            "From : /home/user/写真/\n"
            "  To : /home/user/とても長いフォルダーの名前/もう一つの長いフォルダー/写真/2026");
        form.SetMessage({8, 72, 330, 50}, TextAlignment::Left, full.toStdString());
        auto* label1 = Child<QLabel>(form, "Label1");
        QCOMPARE(label1->geometry(), QRect(8, 72, 330, 50));
        const QStringList lines = label1->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("From : /home/user/写真/"));
        QVERIFY2(lines[1].startsWith(QStringLiteral("  To : /home/")), qPrintable(lines[1]));
        QVERIFY2(lines[1].endsWith(QStringLiteral("/2026")), qPrintable(lines[1]));
        QVERIFY(lines[1].contains(QChar(0x2026)));
        // Each line fits the label, so none wraps and none is cut off at the bottom.
        for (const QString& line : lines) {
            QVERIFY(label1->fontMetrics().horizontalAdvance(line) <= label1->width());
        }
        QVERIFY(label1->heightForWidth(label1->width()) <= label1->height());
        QCOMPARE(label1->toolTip(), full);
    }

    void showsCentredOnTheScreen() {
        TForm4 form;
        SetUpCopying(form);
        form.Show();
        QVERIFY(form.isVisible());
        QVERIFY(!form.isModal());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(form.pos(), QPoint(screen.left() + (screen.width() - 350) / 2,
                                    screen.top() + (screen.height() - 240) / 2));
    }

    void cancelSetsTheFlagAndLeavesTheDialogUp() {
        TForm4 form;
        SetUpPlanning(form);
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* cancel = Child<QPushButton>(form, "BitBtn1");
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(form.CancelRequested());
        QVERIFY(form.isVisible());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(form.CancelRequested());
        QVERIFY(form.isVisible());
    }

    void escapePressesCancel() {
        TForm4 form;
        SetUpPlanning(form);
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.CancelRequested());
        QVERIFY(form.isVisible());
    }

    void theUserCannotCloseIt() {
        TForm4 form;
        SetUpPlanning(form);
        form.Show();
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QVERIFY(!form.CancelRequested());
    }
};

QTEST_MAIN(ProgressFormTest)
#include "ProgressForm_qtest.moc"
