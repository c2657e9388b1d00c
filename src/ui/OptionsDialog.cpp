// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/OptionsDialog.h"

#include "core/Host.h"
#include "ui/Fonts.h"
#include "ui/HostCaptions.h"
#include "ui/OptionMessages.h"
#include "ui/Translation.h"
#include "widgets/SpinEdit.h"
#include "widgets/StaticText.h"
#include "widgets/TrackBar.h"

#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace arbolink {

namespace {

constexpr int kClientWidth = 319;
constexpr int kClientHeight = 176;
constexpr int kLowest = 0;
constexpr int kHighest = 100;
constexpr int kPage = 5;
constexpr int kBandStart = 85;
constexpr int kBandEnd = 95;
constexpr int kDesignedValue = 95;

QPushButton* MakeButton(Button kind, QStyle::StandardPixmap glyph, QWidget* parent) {
    return new QPushButton(parent->style()->standardIcon(glyph), WindowCaption(kind), parent);
}

} // namespace

TfOption::TfOption(std::int32_t& freeSpacePercent, QWidget* parent)
    : QDialog(parent), freeSpacePercent_(freeSpacePercent) {
    setObjectName(QStringLiteral("fOption"));
    setWindowTitle(Translated("arbolink::Options", kOptionCaption));
    setFont(GothicFont(12));
    setFixedSize(kClientWidth, kClientHeight);
    CreateControls();
    CentreOnScreen();

    connect(TrackBar1, &QSlider::valueChanged, this, &TfOption::TrackBar1Change);
    connect(SpinEdit1, &QLineEdit::textChanged, this, &TfOption::SpinEdit1Change);
    connect(BitBtn1, &QPushButton::clicked, this, &TfOption::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

// Created in the order of the tab stops.
void TfOption::CreateControls() {
    StaticText1 = new TStaticText(this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setGeometry(8, 8, 305, 89);

    TrackBar1 = new TTrackBar(this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(8, 104, 249, 33);
    TrackBar1->setRange(kLowest, kHighest);
    TrackBar1->setPageStep(kPage);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(kPage);
    TrackBar1->SetSelection(kBandStart, kBandEnd);
    TrackBar1->setValue(kDesignedValue);

    SpinEdit1 = new TSpinEdit(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setFont(GothicFont(16));
    SpinEdit1->SetMinValue(kLowest);
    SpinEdit1->SetMaxValue(kHighest);
    SpinEdit1->SetIncrement(1);
    SpinEdit1->SetValue(kDesignedValue);
    SpinEdit1->setGeometry(264, 104, 49, 26);

    BitBtn1 = MakeButton(Button::Ok, QStyle::SP_DialogOkButton, this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(55, 144, 89, 25);
    BitBtn1->setDefault(true);

    BitBtn2 = MakeButton(Button::Cancel, QStyle::SP_DialogCancelButton, this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(175, 144, 89, 25);
}

void TfOption::CentreOnScreen() {
    const QRect area = screen()->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void TfOption::FormCreate() {
    StaticText1->SetText(Translated("arbolink::Options", kOptionExplanation));
    TrackBar1->setValue(freeSpacePercent_);
    SpinEdit1->SetValue(freeSpacePercent_);
}

void TfOption::TrackBar1Change() {
    SpinEdit1->SetValue(TrackBar1->value());
}

void TfOption::SpinEdit1Change() {
    TrackBar1->setValue(SpinEdit1->Value());
}

void TfOption::BitBtn1Click() {
    freeSpacePercent_ = TrackBar1->value();
    accept();
}

void ShowOptionsDialog(QWidget* parent, std::int32_t& freeSpacePercent) {
    TfOption dialog(freeSpacePercent, parent);
    dialog.exec();
}

} // namespace arbolink
