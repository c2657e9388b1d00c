// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm4: the progress dialog that stands in front of the main window while a long operation
// runs. It shows what the operation puts in it and remembers only that Cancel was pressed;
// the operation lets messages run after every item and then reads CancelRequested.

#include "core/Host.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace arbolink {

class TAnimate;
class TGauge;

class TForm4 : public QDialog, public ProgressDialog {
    Q_OBJECT

public:
    explicit TForm4(QWidget* parent = nullptr);

    void SetCaption(const std::string& caption) override;
    void SetOuterSize(int width, int height) override;
    void SetAnimation(Animation clip, int left, int top, bool playing) override;
    void SetMessage(const Box& box, TextAlignment alignment, const std::string& text) override;
    void SetStage(const std::string& text) override;
    void PlaceGauge(int left, int top) override;
    void SetGauge(int percent) override;
    void Show() override;
    void Repaint() override;
    bool CancelRequested() const override { return cancelRequested_; }

    // The layouts are drawn for a Windows dialog frame: 3-pixel borders and a 19-pixel
    // caption. The outer size the operations ask for is turned into a client area with it,
    // whatever frame the window manager draws around the dialog.
    static constexpr int kFrameWidth = 6;
    static constexpr int kFrameHeight = 25;

    // Esc presses Cancel; it never closes the dialog.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BitBtn1Click();
    void SetClientSize(int width, int height);
    void CentreOnScreen();

    TAnimate* Animate1;
    QLabel* Label1;
    QLabel* Label3;
    TGauge* Gauge1;
    QWidget* Panel1;
    QPushButton* BitBtn1;
    bool cancelRequested_ = false;
};

} // namespace arbolink
