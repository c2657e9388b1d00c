// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FolderChoice.h"

#include "Product.h"
#include "fs/Folders.h"
#include "ui/FolderChoiceMessages.h"
#include "ui/FolderList.h"
#include "ui/Fonts.h"
#include "ui/MediaMonitor.h"
#include "ui/Translation.h"
#include "widgets/FolderTreeViewEx.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <memory>

// Resources of a static library are registered by name, outside any namespace.
static void InitFolderChoiceResources() {
    Q_INIT_RESOURCE(FolderChoice);
}

namespace arbolink {

namespace {

constexpr int kClientWidth = 313;
constexpr int kClientHeight = 270;
const QPoint kDesignedPosition(639, 253);
constexpr int kTreeIndent = 19;

// A text of ui/FolderChoiceMessages.h in the window's language.
QString Text(const char* message) {
    return Translated("arbolink::choicemsg", message);
}

QIcon Glyph(const char* normal, const char* disabled) {
    QIcon icon(QString(":/FolderChoice/") + normal);
    if (disabled != nullptr) {
        icon.addFile(QString(":/FolderChoice/") + disabled, QSize(), QIcon::Disabled);
    }
    return icon;
}

} // namespace

TForm3::TForm3(QWidget* parent)
    : QDialog(parent), comboBox1_(new QComboBox(this)), folder_(new TFolderTreeViewEx(this)),
      bitBtn1_(new QPushButton(Text(choicemsg::kOk), this)),
      bitBtn2_(new QPushButton(Text(choicemsg::kCancel), this)) {
    InitFolderChoiceResources();
    setObjectName("Form3");
    setWindowTitle(Text(choicemsg::kCaption));
    setFont(GothicFont(12));
    setFixedSize(kClientWidth, kClientHeight);

    comboBox1_->setObjectName("ComboBox1");
    comboBox1_->setEditable(true);
    comboBox1_->setInsertPolicy(QComboBox::NoInsert);
    comboBox1_->setGeometry(8, 11, 297, 20);
    // The box takes the focus itself and hands its events on to the line edit directly.
    comboBox1_->installEventFilter(this);

    folder_->setObjectName("Folder");
    folder_->setIndentation(kTreeIndent);
    folder_->setGeometry(8, 39, 297, 194);

    bitBtn1_->setObjectName("BitBtn1");
    bitBtn1_->setIcon(Glyph("ok.xpm", "ok_disabled.xpm"));
    bitBtn1_->setDefault(true);
    bitBtn1_->setGeometry(80, 240, 75, 25);
    bitBtn2_->setObjectName("BitBtn2");
    bitBtn2_->setIcon(Glyph("cancel.xpm", nullptr));
    bitBtn2_->setAutoDefault(false);
    bitBtn2_->setGeometry(168, 240, 75, 25);

    connect(folder_, &TFolderTreeViewEx::OnChange, this, &TForm3::FolderChange);
    connect(bitBtn1_, &QPushButton::clicked, this, &TForm3::BitBtn1Click);
    connect(bitBtn2_, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(comboBox1_, folder_);
    setTabOrder(folder_, bitBtn1_);
    setTabOrder(bitBtn1_, bitBtn2_);
    PlaceOnScreen();
    FormCreate();
}

// The designed position, pulled back inside a screen too small for it.
void TForm3::PlaceOnScreen() {
    QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    QPoint position = kDesignedPosition;
    if (screen != nullptr) {
        QRect area = screen->availableGeometry();
        position.setX(std::max(area.left(), std::min(position.x(), area.right() + 1 - width())));
        position.setY(std::max(area.top(), std::min(position.y(), area.bottom() + 1 - height())));
    }
    move(position);
}

void TForm3::FormCreate() {
    // The box is still empty here, so the tree starts at the computer with nothing selected.
    folder_->SelectPath(comboBox1_->currentText());
}

void TForm3::FolderChange(const QString& FolderName) {
    comboBox1_->setEditText(FolderName);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (watched == comboBox1_ && event->type() == QEvent::FocusIn) {
        ComboBox1Enter();
    }
    return QDialog::eventFilter(watched, event);
}

void TForm3::ComboBox1Enter() {
    // After the focus change is through, or a click would put the cursor back in.
    QTimer::singleShot(0, comboBox1_->lineEdit(), &QLineEdit::selectAll);
}

void TForm3::BitBtn1Click() {
    selectedFolder_.clear();
    QString text = comboBox1_->currentText();
    if (FolderExists(text.toStdString())) {
        selectedFolder_ = text;
        accept();
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kProductName),
                    Text(choicemsg::kFolderMissing), QMessageBox::Ok, this);
    box.button(QMessageBox::Ok)->setText(Text(choicemsg::kOk));
    box.exec();
}

bool SpeedButton1Click(QWidget* parent, QComboBox* field, MediaMonitor* media) {
    auto dialog = std::make_unique<TForm3>(parent);
    if (media != nullptr) {
        TFolderTreeViewEx* tree = dialog->Folder();
        QObject::connect(media, &MediaMonitor::MediaChanged, tree,
                         [tree] { tree->UpdateTree(tree->SelectedNode()); });
    }
    QComboBox* box = dialog->ComboBox1();
    for (int i = 0; i < field->count(); ++i) {
        box->addItem(field->itemText(i));
    }
    box->setEditText(field->currentText());
    if (dialog->exec() != QDialog::Accepted) {
        return false;
    }
    QString chosen = QString::fromStdString(ListedFolder(dialog->SelectedFolder().toStdString()));
    bool filed = false;
    for (int i = 0; i < field->count() && !filed; ++i) {
        filed = SameListedFolder(field->itemText(i).toStdString(), chosen.toStdString());
    }
    if (!filed) {
        field->addItem(chosen);
    }
    field->setEditText(chosen);
    field->setFocus();
    return true;
}

} // namespace arbolink
