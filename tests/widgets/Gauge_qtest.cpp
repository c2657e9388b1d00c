// SPDX-License-Identifier: GPL-3.0-or-later
// The gauge's value rules and its picture, read back pixel by pixel.
#include "widgets/Gauge.h"

#include <QFont>
#include <QImage>
#include <QtTest>

using arbolink::TGauge;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

int CountColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour;
        }
    }
    return count;
}

bool FrameIsBlack(const QImage& image) {
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, 0) != qRgb(0, 0, 0) ||
            image.pixel(x, image.height() - 1) != qRgb(0, 0, 0)) {
            return false;
        }
    }
    for (int y = 0; y < image.height(); ++y) {
        if (image.pixel(0, y) != qRgb(0, 0, 0) ||
            image.pixel(image.width() - 1, y) != qRgb(0, 0, 0)) {
            return false;
        }
    }
    return true;
}

// How strongly the text covers a pixel drawn over a pure colour: the text is combined by XOR,
// so a pixel covered to t of 255 is the colour with t XORed into each channel (the colour
// itself at 0, its inverse at 255, their mix between). -1 when the pixel is no such mix.
int Coverage(QRgb pixel, QRgb under) {
    const int t = qRed(pixel) ^ qRed(under);
    const bool mix = (qGreen(pixel) ^ qGreen(under)) == t && (qBlue(pixel) ^ qBlue(under)) == t;
    return mix ? t : -1;
}

// The coverage of the text over the pure colour under, counted over the inside of the frame.
struct TextCover {
    int notMixes = 0; // pixels that are no mix of the colour and its inverse
    int full = 0;     // pixels covered to more than half
    int edges = 0;    // pixels covered in part: the smoothing of the text
};

TextCover CoverOver(const QImage& image, const QRect& area, QRgb under) {
    TextCover cover;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const int t = Coverage(image.pixel(x, y), under);
            cover.notMixes += t < 0 ? 1 : 0;
            cover.full += t > 127 ? 1 : 0;
            cover.edges += t > 0 && t < 255 ? 1 : 0;
        }
    }
    return cover;
}

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kYellow = qRgb(255, 255, 0);

} // namespace

class GaugeTest : public QObject {
    Q_OBJECT

private:
    // The gauge as the progress dialog uses it.
    static void SetUpAsInDialog(TGauge& gauge) {
        gauge.resize(289, 20);
        gauge.SetForeColor(Qt::blue);
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(16);
        gauge.setFont(font);
    }

private slots:
    void startsEmptyWithTheFixedRange() {
        TGauge gauge;
        QCOMPARE(gauge.MinValue(), 0);
        QCOMPARE(gauge.MaxValue(), 100);
        QCOMPARE(gauge.Progress(), 0);
        QCOMPARE(gauge.PercentDone(), 0);
        QCOMPARE(gauge.ForeColor(), QColor(Qt::black));
        QCOMPARE(gauge.BackColor(), QColor(Qt::white));
        QCOMPARE(gauge.size(), QSize(100, 100));
    }

    void clampsProgressIntoTheRange() {
        TGauge gauge;
        gauge.SetProgress(150);
        QCOMPARE(gauge.Progress(), 100);
        QCOMPARE(gauge.PercentDone(), 100);
        gauge.SetProgress(-5);
        QCOMPARE(gauge.Progress(), 0);
        gauge.SetProgress(42);
        QCOMPARE(gauge.PercentDone(), 42);
    }

    void repaintsAtOnceOnlyWhenThePercentageChanges() {
        TGauge gauge;
        SetUpAsInDialog(gauge);
        gauge.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gauge));
        PaintCounter counter;
        gauge.installEventFilter(&counter);

        gauge.SetProgress(10);
        QCOMPARE(counter.paints, 1); // synchronous: no event loop ran in between
        gauge.SetProgress(10);
        QCOMPARE(counter.paints, 1);
        gauge.SetProgress(100);
        gauge.SetProgress(150); // clamps to the stored 100
        QCOMPARE(counter.paints, 2);
        gauge.SetProgress(-5);
        gauge.SetProgress(0);
        QCOMPARE(counter.paints, 3);
    }

    void atZeroShowsBlackTextOnWhiteWithoutBar() {
        TGauge gauge;
        SetUpAsInDialog(gauge);
        const QImage image = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.size(), QSize(289, 20));
        QVERIFY(FrameIsBlack(image));
        QCOMPARE(image.pixel(1, 1), kWhite);
        QCOMPARE(image.pixel(287, 18), kWhite);
        QCOMPARE(CountColour(image, kBlue), 0);
        QCOMPARE(CountColour(image, kYellow), 0);
        // "0%" in black inside the frame, smoothed into the white like any other text.
        const TextCover cover = CoverOver(image, QRect(1, 1, 287, 18), kWhite);
        QCOMPARE(cover.notMixes, 0);
        QVERIFY(cover.full > 10);
        QVERIFY(cover.edges > 10);
    }

    void atFortyTwoFillsTheBarToItsWidth() {
        TGauge gauge;
        SetUpAsInDialog(gauge);
        gauge.SetProgress(42);
        const QImage image = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(FrameIsBlack(image));
        // 288 counted pixels x 0.42 = 120.96: the bar ends before x = 120.
        QCOMPARE(image.pixel(1, 1), kBlue);
        QCOMPARE(image.pixel(119, 18), kBlue);
        QCOMPARE(image.pixel(120, 1), kWhite);
        QCOMPARE(image.pixel(287, 18), kWhite);
        QCOMPARE(CountColour(image, kBlue), 119 * 18); // the text lies right of the bar
        // The digits sit in the middle, over the white background: black.
        const TextCover cover = CoverOver(image, QRect(120, 1, 168, 18), kWhite);
        QCOMPARE(cover.notMixes, 0);
        QVERIFY(cover.full > 10);
    }

    void atHundredFillsTheInsideAndWritesYellow() {
        TGauge gauge;
        SetUpAsInDialog(gauge);
        gauge.SetProgress(100);
        const QImage image = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(FrameIsBlack(image));
        QCOMPARE(image.pixel(1, 1), kBlue);
        QCOMPARE(image.pixel(287, 18), kBlue);
        QCOMPARE(CountColour(image, kWhite), 0);
        // "100%" in yellow, the inverse of the bar, and smoothed into it.
        const TextCover cover = CoverOver(image, QRect(1, 1, 287, 18), kBlue);
        QCOMPARE(cover.notMixes, 0);
        QVERIFY(cover.full > 10);
        QVERIFY(cover.edges > 10);
        QVERIFY(CountColour(image, kYellow) > 0);
    }

    void centresTheText() {
        TGauge gauge;
        SetUpAsInDialog(gauge);
        gauge.SetProgress(100);
        const QImage image = gauge.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int left = image.width();
        int right = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (Coverage(image.pixel(x, y), kBlue) > 127) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        QVERIFY(right > left);
        QVERIFY(std::abs((left + right) / 2 - 144) <= 3);
    }
};

QTEST_MAIN(GaugeTest)
#include "Gauge_qtest.moc"
