// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm1: the program's one main window. It holds the three folder fields the commands read,
// shows the free space of the split destination, starts Divide and Restore, and carries its
// position and fields from one run to the next in the settings file.

#include "core/Session.h"
#include "ui/IniFile.h"
#include "ui/MediaMonitor.h"
#include "ui/QtHost.h"

#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolButton;

namespace arbolink {

class TBevel;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Loads the settings from settingsPath (the settings file beside the program).
    explicit TForm1(std::string settingsPath, QWidget* parent = nullptr);
    ~TForm1() override;

    Session& session() { return session_; }

    // Fills StaticText1 and Label5 with the free space of the folder's drive.
    void ShowFreeSpace(const std::string& folder);
    // Keeps the whole window, its frame included, inside the screen's available area.
    void FitToWorkArea();
    // Where the client area goes so that the whole frame lies in the available area. The frame
    // keeps its top-left corner at frameTopLeft where it fits there; an edge that would cross
    // the area's right or bottom is pulled back, and one beyond its left or top is put on it,
    // so that the title bar stays on the screen even when the frame is larger than the area.
    static QPoint PlacedClientPosition(QPoint frameTopLeft, QSize client, QMargins frame,
                                       const QRect& available);

    // The size of the client area below the menu.
    static constexpr int kClientWidth = 324;
    static constexpr int kClientHeight = 246;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls(QWidget* client);
    void CreateMenu();
    void SetTabOrder();
    void FormCreate();
    void FormShow();
    void FormCloseQuery(QCloseEvent* event);
    void ComboBox1KeyPress(QComboBox* field);
    void ComboBox2Change(const QString& text);
    void BitBtn2Click();
    void BitBtn3Click();
    void Verify1Click();
    void SpeedButton1Click();
    void N5Click();
    void Recovery1Click();
    void Contents1Click();
    void About1Click();
    void Exit1Click();
    // Runs a command's handler; while it runs no second command starts, and an error it
    // does not handle is shown in a message box and ends only the handler. The free-space
    // read-out is brought up to date when it ends.
    void RunCommand(const std::function<void(Session&, Host&)>& command);
    Settings CurrentSettings() const;
    // Puts the frame, of the given margins, at frameTopLeft or as near to it as keeps it
    // inside the screen's available area.
    void PlaceFrame(QPoint frameTopLeft, QMargins frame);
    // Looks for the frame that a window manager puts around the shown window; places the
    // window by it when it comes.
    void PollFrame();

    const std::string settingsPath_;
    Settings settings_; // as loaded; the values no window uses are written back unchanged
    Session session_;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<MediaWatcher> media_; // the runs follow the drive's media through it
    MediaMonitor* monitor_ = nullptr;     // tells the window when a medium came or went
    bool commandRunning_ = false;
    QTimer* framePoll_; // looks for the frame of a window placed before it was framed
    int framePolls_ = 0;
    bool framed_ = false; // a window manager's frame has been seen around the window
    QPoint heldFrame_;    // where the frame goes when first shown: the position loaded
    static constexpr int kFramePollInterval = 20; // milliseconds
    static constexpr int kFramePolls = 100;

    TBevel* Bevel1;
    QLabel* Label1;
    QComboBox* ComboBox1;
    QToolButton* SpeedButton1;
    QLabel* Label2;
    QComboBox* ComboBox2;
    QToolButton* SpeedButton2;
    QLabel* Label4;
    QLabel* StaticText1;
    QLabel* Label5;
    QCheckBox* CheckBox1;
    TBevel* Bevel2;
    QLabel* Label3;
    QComboBox* ComboBox3;
    QToolButton* SpeedButton3;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    TBevel* Bevel3;
    QPushButton* Button1;

    QMenu* File1;
    QAction* N1;
    QAction* N2;
    QAction* Verify1; // 検査: checks the disks in the split destination's drive
    QAction* N5;
    QAction* N6;        // 書き込み後に検査する: a check item
    QAction* Recovery1; // 復旧用ディスク...: the number of recovery disks a divide writes
    QAction* Eject1; // "書き終えたディスクを取り出す", checked: each written disk is ejected
    QAction* N7; // ディスクを詰めて使う: a check item
    QAction* Exit1;
    QMenu* Help1;
    QAction* Contents1;
    QAction* About1;
};

} // namespace arbolink
