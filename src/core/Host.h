// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Host seam: everything the commands need from the user or the window.
//
// The core never talks to a toolkit. It shows messages, asks questions, beeps, lets pending
// user-interface messages run, drives a progress dialog and enables or disables the main
// window through this interface. The GUI implements it with Qt, the command-line tool with
// the terminal, and the tests with a scripted fake that records every call.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace arbolink {

// Plain is a message box captioned with the application's title; the other four are the
// toolkit's message dialogs with their own captions and icons.
enum class DialogKind { Plain, Warning, Error, Information, Confirmation };

enum class Button { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

using Buttons = std::vector<Button>;

// The caption a dialog of this kind carries in the current language: "Arbolink", "警告",
// "エラー", "情報", "確認" in Japanese.
const char* CaptionOf(DialogKind kind);

// The caption of a button as the user sees it in the current language: "OK", "キャンセル",
// "はい(&Y)", ... in Japanese, "OK", "Cancel", "&Yes", ... in English.
const char* CaptionOf(Button button);

// The system's two standard animations shown in the progress dialog.
enum class Animation { FindFolder, CopyFiles };

enum class TextAlignment { Left, Center };

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The progress dialog (TForm4) as an operation drives it. Destroying the object releases the
// dialog. Positions are in pixels of the dialog's client area.
class ProgressDialog {
public:
    virtual ~ProgressDialog() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    // Outer size of the dialog, frame included.
    virtual void SetOuterSize(int width, int height) = 0;
    // Places the animation; a negative left centres it horizontally in the dialog.
    virtual void SetAnimation(Animation clip, int left, int top, bool playing) = 0;
    // Label1: the main message, one to three lines separated by "\n".
    virtual void SetMessage(const Box& box, TextAlignment alignment, const std::string& text) = 0;
    // Label3: the red stage line of the split planning.
    virtual void SetStage(const std::string& text) = 0;
    virtual void PlaceGauge(int left, int top) = 0;
    // Gauge1: a whole number from 0 to 100. A run that copies or reads files sets it to its
    // share of bytes done, also between the chunks of a large file.
    virtual void SetGauge(int percent) = 0;
    // The file the operation copies or reads next and its size in bytes (-1 when not known).
    // The dialog itself shows only the gauge; a front end with room for it names the file and
    // tells the throughput.
    virtual void SetCurrentFile(const std::string& /*file*/, std::int64_t /*bytes*/) {}
    // Which medium the run took for the disk in hand ("ラベル BACKUP のディスクを使います").
    // The dialog shows it as the message's last line; a front end that shows no message
    // tells it here.
    virtual void SetNote(const std::string& /*note*/) {}
    // Shows the dialog without making it modal and paints it at once.
    virtual void Show() = 0;
    virtual void Repaint() = 0;
    // True once the user pressed Cancel; never reset.
    virtual bool CancelRequested() const = 0;
};

// The main window's fields as the commands read them when they start.
struct MainFields {
    std::string source;       // ComboBox1: copy source folder
    std::string destination;  // ComboBox2: split destination, also the folder a restore reads
    std::string restoreTo;    // ComboBox3: restore destination folder
    bool copyProgram = false; // CheckBox1: also put the program on disk 1
};

enum class Field { Source, Destination, RestoreTo };

class Host {
public:
    virtual ~Host() = default;

    // Shows a dialog and returns the button the user chose. A dialog with the single button
    // OK returns Ok.
    virtual Button ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) = 0;
    // Shows a dialog that also closes by itself, answering closedAs, once closesNow answers
    // true: the host asks it every so often while the dialog is up (a question that wants a
    // disk closes when one is inserted). The user's buttons still answer as in ShowDialog.
    virtual Button ShowDialogUntil(DialogKind kind, const std::string& text, const Buttons& buttons,
                                   const std::function<bool()>& closesNow, Button closedAs) = 0;
    // The platform's default beep, sounded just before the dialog it belongs to.
    virtual void Beep() = 0;
    // Lets pending user-interface messages run, so that the progress dialog repaints and its
    // Cancel button can be pressed.
    virtual void ProcessMessages() = 0;
    virtual std::unique_ptr<ProgressDialog> CreateProgressDialog() = 0;
    virtual void SetMainWindowEnabled(bool enabled) = 0;
    virtual MainFields ReadFields() = 0;
    // Selects the whole text of a field so that the user can type over it.
    virtual void SelectFieldText(Field field) = 0;

    // Shorthands for the dialogs the commands show most.
    void Message(const std::string& text) { ShowDialog(DialogKind::Plain, text, {Button::Ok}); }
    void Warning(const std::string& text) { ShowDialog(DialogKind::Warning, text, {Button::Ok}); }
};

// Keeps the main window disabled for as long as the guard lives.
class MainWindowDisabled {
public:
    explicit MainWindowDisabled(Host& host) : host_(host) { host_.SetMainWindowEnabled(false); }
    ~MainWindowDisabled() { host_.SetMainWindowEnabled(true); }
    MainWindowDisabled(const MainWindowDisabled&) = delete;
    MainWindowDisabled& operator=(const MainWindowDisabled&) = delete;

private:
    Host& host_;
};

} // namespace arbolink
