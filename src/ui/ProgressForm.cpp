// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ProgressForm.h"

#include "ui/Fonts.h"
#include "ui/HostCaptions.h"
#include "widgets/Animate.h"
#include "widgets/Gauge.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QStyle>

namespace arbolink {

namespace {

constexpr int kPanelHeight = 41;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

CommonAvi ClipOf(Animation clip) {
    return clip == Animation::FindFolder ? CommonAvi::FindFolder : CommonAvi::CopyFiles;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

// The text with each line that is wider than width cut in the middle ("/home/user/…/写真"):
// a long path keeps its first folders and the ones nearest its files in view, and the
// text keeps its lines.
QString ElidedLines(const QString& text, const QFontMetrics& metrics, int width) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = metrics.elidedText(line, Qt::ElideMiddle, width);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

TForm4::TForm4(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Form4"));
    setFont(GothicFont(12));
    setCursor(Qt::WaitCursor);

    Animate1 = new TAnimate(this);
    Animate1->setObjectName(QStringLiteral("Animate1"));
    Animate1->SetClip(CommonAvi::CopyFiles);
    Animate1->move(40, 8);

    Label1 = MakeLabel(this, "Label1", {8, 16, 329, 49}, MonospacedGothic(16));
    Label1->setWordWrap(true);

    Label3 = MakeLabel(this, "Label3", {37, 72, 265, 16}, GothicFont(16));
    QPalette red = Label3->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label3->setPalette(red);

    Gauge1 = new TGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(24, 96, 289, 20);
    Gauge1->SetForeColor(Qt::blue);
    Gauge1->setFont(GothicFont(16));

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              WindowCaption(Button::Cancel), Panel1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(117, 8, 105, 25);
    BitBtn1->setFont(GothicFont(13));
    BitBtn1->setCursor(Qt::ArrowCursor);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);

    Animate1->raise(); // drawn over the labels it may overlap in the planning layout
    SetClientSize(340, 160);
}

void TForm4::SetCaption(const std::string& caption) {
    setWindowTitle(Text(caption));
}

void TForm4::SetOuterSize(int width, int height) {
    SetClientSize(width - kFrameWidth, height - kFrameHeight);
}

void TForm4::SetAnimation(Animation clip, int left, int top, bool playing) {
    Animate1->SetClip(ClipOf(clip));
    if (left < 0) {
        left = (width() + kFrameWidth - Animate1->width()) / 2;
    }
    Animate1->move(left, top);
    Animate1->SetActive(playing);
}

void TForm4::SetMessage(const Box& box, TextAlignment alignment, const std::string& text) {
    Label1->setGeometry(box.left, box.top, box.width, box.height);
    const Qt::Alignment horizontal =
        alignment == TextAlignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    Label1->setAlignment(horizontal | Qt::AlignTop);
    const QString full = Text(text);
    const QString shown = ElidedLines(full, Label1->fontMetrics(), Label1->contentsRect().width());
    Label1->setText(shown);
    // What was cut out of a long path is still there to read.
    Label1->setToolTip(shown == full ? QString() : full);
}

void TForm4::SetStage(const std::string& text) {
    Label3->setText(Text(text));
}

void TForm4::PlaceGauge(int left, int top) {
    Gauge1->move(left, top);
}

void TForm4::SetGauge(int percent) {
    Gauge1->SetProgress(percent);
}

void TForm4::Show() {
    CentreOnScreen();
    show();
    raise();
    activateWindow();
    repaint();
}

void TForm4::Repaint() {
    repaint();
}

void TForm4::reject() {
    BitBtn1->click();
}

void TForm4::closeEvent(QCloseEvent* event) {
    // Only the operation that opened the dialog releases it.
    event->ignore();
}

void TForm4::SetClientSize(int width, int height) {
    setFixedSize(width, height);
    // Panel1 keeps to the bottom edge.
    Panel1->setGeometry(0, height - kPanelHeight, width, kPanelHeight);
}

void TForm4::BitBtn1Click() {
    cancelRequested_ = true;
}

void TForm4::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width() - kFrameWidth) / 2,
         area.top() + (area.height() - height() - kFrameHeight) / 2);
}

} // namespace arbolink
