// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm3, the folder chooser: an editable path box offering the caller's remembered paths
// above a folder tree. Picking a folder in the tree writes its path into the box; OK accepts
// the box's text only when it names an existing folder.

#include <QDialog>
#include <QString>

class QComboBox;
class QPushButton;

namespace arbolink {

class MediaMonitor;
class TFolderTreeViewEx;

class TForm3 : public QDialog {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    // Empty until OK succeeds; then the accepted path exactly as it stood in the box.
    const QString& SelectedFolder() const { return selectedFolder_; }
    QComboBox* ComboBox1() const { return comboBox1_; }
    TFolderTreeViewEx* Folder() const { return folder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FolderChange(const QString& FolderName);
    void ComboBox1Enter();
    void BitBtn1Click();
    void PlaceOnScreen();

    QComboBox* comboBox1_;
    TFolderTreeViewEx* folder_;
    QPushButton* bitBtn1_; // OK
    QPushButton* bitBtn2_; // Cancel
    QString selectedFolder_;
};

// The main window's chooser buttons: opens the chooser on the field's remembered paths and
// text and, when a folder was chosen, files it in the field's list (unless an equal entry is
// there), makes it the field's text and gives the field the focus. True when a folder was
// chosen; the caller then refreshes what depends on the field. While the chooser is up, its
// tree lists the drives again whenever media tells that a medium came or went.
bool SpeedButton1Click(QWidget* parent, QComboBox* field, MediaMonitor* media = nullptr);

} // namespace arbolink
