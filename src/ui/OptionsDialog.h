// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TfOption: the options dialog, where the share of a disk's free space that a divide may
// fill is chosen with a track bar and a spin edit kept in step.

#include <QDialog>
#include <cstdint>

class QPushButton;

namespace arbolink {

class TSpinEdit;
class TStaticText;
class TTrackBar;

class TfOption : public QDialog {
    Q_OBJECT

public:
    // OK stores the track bar's position into freeSpacePercent; nothing else writes it.
    explicit TfOption(std::int32_t& freeSpacePercent, QWidget* parent = nullptr);

private:
    void CreateControls();
    void CentreOnScreen();
    void FormCreate();
    void TrackBar1Change();
    void SpinEdit1Change();
    void BitBtn1Click();

    std::int32_t& freeSpacePercent_;
    TStaticText* StaticText1; // the explanation
    TTrackBar* TrackBar1;     // the share in percent, 0 to 100
    TSpinEdit* SpinEdit1;     // the same share as a number
    QPushButton* BitBtn1;     // OK
    QPushButton* BitBtn2;     // Cancel
};

// Opens the dialog modally over parent and releases it when it closes.
void ShowOptionsDialog(QWidget* parent, std::int32_t& freeSpacePercent);

} // namespace arbolink
