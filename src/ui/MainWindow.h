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
#include <QPoint>
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
    // Keeps the whole window inside the desktop's work area.
    void FitToWorkArea();
    // The window's left and top edges after fitting: an edge below 0 becomes 0, and one that
    // would put the window past the work area's extent is pulled back, but not below 0.
    static QPoint FittedPosition(QPoint topLeft, QSize window, QSize workArea);

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
    void SpeedButton1Click();
    void N5Click();
    void Contents1Click();
    void About1Click();
    void Exit1Click();
    // Runs a command's handler; while it runs no second command starts, and an error it
    // does not handle is shown in a message box and ends only the handler.
    void RunCommand(const std::function<void(Session&, Host&)>& command);
    Settings CurrentSettings() const;

    const std::string settingsPath_;
    Settings settings_; // as loaded; the values no window uses are written back unchanged
    Session session_;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<MediaWatcher> media_; // the runs follow the drive's media through it
    MediaMonitor* monitor_ = nullptr;     // tells the window when a medium came or went
    bool commandRunning_ = false;

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
    QAction* N5;
    QAction* Eject1; // "書き終えたディスクを取り出す", checked: each written disk is ejected
    QAction* Exit1;
    QMenu* Help1;
    QAction* Contents1;
    QAction* About1;
};

} // namespace arbolink
