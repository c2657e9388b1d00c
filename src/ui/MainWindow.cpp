// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "Product.h"
#include "core/divide/SplitCommand.h"
#include "core/rFile/RestoreCommand.h"
#include "core/rFile/SetCheck.h"
#include "core/recovery/ErasureCode.h"
#include "fs/Drives.h"
#include "fs/Folders.h"
#include "ui/AboutBox.h"
#include "ui/FolderChoice.h"
#include "ui/FolderList.h"
#include "ui/Fonts.h"
#include "ui/FreeSpaceText.h"
#include "ui/Glyphs.h"
#include "ui/Help.h"
#include "ui/MainMessages.h"
#include "ui/OptionsDialog.h"
#include "ui/SettingsMessages.h"
#include "ui/Translation.h"
#include "widgets/Bevel.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <utility>

namespace arbolink {

namespace {

// Which field a combo box or chooser button serves: 1 copy source, 2 split destination,
// 3 restore destination.
constexpr const char* kTag = "tag";

std::string Utf8(const QString& text) {
    return text.toStdString();
}

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A text of ui/MainMessages.h as the window shows it.
QString Shown(const char* message) {
    return Translated("arbolink::msg", message);
}

// A text of the free-space read-out as the window shows it: its words through the catalogue,
// the blanks after them kept; a number is no entry of it and stays as it is.
QString ShownReadout(const std::string& text) {
    const std::size_t end = text.find_last_not_of(' ') + 1;
    return Shown(text.substr(0, end).c_str()) + QString::fromStdString(text.substr(end));
}

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, const QString& text) {
    auto* label = Named(new QLabel(text, parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QComboBox* MakeFolderField(QWidget* parent, const char* name, int tag, int top) {
    auto* combo = Named(new QComboBox(parent), name);
    combo->setEditable(true);
    // The list grows only by the window's own rules, and typing never completes a path.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setProperty(kTag, tag);
    combo->setGeometry(152, top, 145, 20);
    return combo;
}

QToolButton* MakeChooserButton(QWidget* parent, const char* name, int tag, int top) {
    auto* button = Named(new QToolButton(parent), name);
    button->setIcon(ChooserGlyph());
    button->setProperty(kTag, tag);
    button->setGeometry(296, top, 20, 20);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TBevel* MakeBevel(QWidget* parent, const char* name, BevelStyle style, const QRect& geometry) {
    auto* bevel = Named(new TBevel(style, parent), name);
    bevel->setGeometry(geometry);
    return bevel;
}

QAction* MakeItem(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = {}) {
    QAction* item = Named(menu->addAction(caption), name);
    item->setShortcut(shortcut);
    return item;
}

Field FieldOf(const QComboBox* combo) {
    switch (combo->property(kTag).toInt()) {
    case 2:
        return Field::Destination;
    case 3:
        return Field::RestoreTo;
    default:
        return Field::Source;
    }
}

bool ListHolds(const QComboBox* combo, const std::string& entry) {
    for (int i = 0; i < combo->count(); ++i) {
        if (SameListedFolder(Utf8(combo->itemText(i)), entry)) {
            return true;
        }
    }
    return false;
}

// Adds an entry to a field's list; the field's own text stays as it is.
void AddToList(QComboBox* combo, const std::string& entry) {
    const QString text = combo->currentText();
    combo->addItem(QString::fromStdString(entry));
    if (combo->currentText() != text) {
        combo->setEditText(text);
    }
}

void AddToListUnlessThere(QComboBox* combo, const std::string& entry) {
    if (!ListHolds(combo, entry)) {
        AddToList(combo, entry);
    }
}

// Sets a field's text with its beginning in view: the drive and the first folders tell
// a long path apart better than its end.
void ShowFromStart(QComboBox* combo, const std::string& text) {
    combo->setEditText(QString::fromStdString(text));
    combo->lineEdit()->setCursorPosition(0);
}

// Label5 is 33 pixels wide, as the units take in the face the window was drawn for; a wider
// substitute face gets the room its widest unit needs, so that no unit is cut off.
int UnitWidth(const QFontMetrics& metrics) {
    int width = 33;
    for (const char* unit :
         {msg::kUnitGigabytes, msg::kUnitMegabytes, msg::kUnitKilobytes, msg::kUnitBytes}) {
        width = std::max(width, metrics.horizontalAdvance(Shown(unit)));
    }
    return width;
}

// The edge of a span of the given extent placed at edge, kept inside first..last: pulled
// back from the far end first, so that a span longer than the room starts at first.
int PlacedEdge(int edge, int extent, int first, int last) {
    if (edge + extent > last) {
        edge = last - extent;
    }
    return std::max(edge, first);
}

// The frame's width on each side of the client area; none while no window manager has framed
// the window yet.
QMargins FrameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace

TForm1::TForm1(std::string settingsPath, QWidget* parent)
    : QMainWindow(parent), settingsPath_(std::move(settingsPath)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFont(GothicFont(12));
    setWindowIcon(ProgramIcon());

    auto* client = Named(new QWidget(this), "ClientArea");
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    CreateControls(client);
    CreateMenu();
    SetTabOrder();
    // Fixed border: the window keeps the size of its menu and client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The frame's size arrives from the window manager after the window is shown, with no
    // event of its own: it is looked for a short while, and the window placed again by it.
    framePoll_ = new QTimer(this);
    framePoll_->setInterval(kFramePollInterval);
    connect(framePoll_, &QTimer::timeout, this, &TForm1::PollFrame);

    host_ = std::make_unique<QtHost>(
        MainWindowControls{this, ComboBox1, ComboBox2, ComboBox3, CheckBox1});
    // The runs and the window look through watchers of their own: what one has seen would
    // otherwise be no change to the other.
    media_ = OpenMediaWatcher();
    session_.Media = media_.get();
    monitor_ = new MediaMonitor(OpenMediaWatcher(), this);
    connect(monitor_, &MediaMonitor::MediaChanged, this,
            [this] { ShowFreeSpace(Utf8(ComboBox2->currentText())); });
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::CreateControls(QWidget* client) {
    Bevel1 = MakeBevel(client, "Bevel1", BevelStyle::Lowered, {0, 0, kClientWidth, 9});
    Label1 = MakeLabel(client, "Label1", 152, 8, tr("複写元フォルダー"));
    ComboBox1 = MakeFolderField(client, "ComboBox1", 1, 24);
    SpeedButton1 = MakeChooserButton(client, "SpeedButton1", 1, 24);
    Label2 = MakeLabel(client, "Label2", 152, 48, tr("分割先フォルダー"));
    ComboBox2 = MakeFolderField(client, "ComboBox2", 2, 64);
    SpeedButton2 = MakeChooserButton(client, "SpeedButton2", 2, 64);
    Label4 = MakeLabel(client, "Label4", 152, 88, tr("空き容量"));

    StaticText1 = Named(new QLabel(client), "StaticText1");
    StaticText1->setGeometry(152, 104, 121, 17);
    StaticText1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StaticText1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label5 = Named(new QLabel(client), "Label5");
    Label5->setGeometry(280, 110, UnitWidth(Label5->fontMetrics()), Label5->sizeHint().height());

    CheckBox1 = Named(new QCheckBox(tr("Arbolink本体もコピーする"), client), "CheckBox1");
    CheckBox1->setGeometry(152, 128, 161, 17);

    Bevel2 = MakeBevel(client, "Bevel2", BevelStyle::Raised, {2, 160, 321, 2});
    Label3 = MakeLabel(client, "Label3", 152, 168, tr("復元先フォルダー"));
    ComboBox3 = MakeFolderField(client, "ComboBox3", 3, 184);
    SpeedButton3 = MakeChooserButton(client, "SpeedButton3", 3, 184);

    BitBtn2 = Named(new QPushButton(DivideGlyph(), tr("　分　　割"), client), "BitBtn2");
    BitBtn2->setGeometry(24, 48, 97, 57);
    BitBtn2->setIconSize(QSize(24, 24));
    BitBtn3 = Named(new QPushButton(RestoreGlyph(), tr("　復　元"), client), "BitBtn3");
    BitBtn3->setGeometry(24, 176, 97, 25);
    Bevel3 = MakeBevel(client, "Bevel3", BevelStyle::Raised, {3, 208, 321, 2});
    Button1 = Named(new QPushButton(tr("終　　了"), client), "Button1");
    Button1->setGeometry(124, 216, 75, 25);

    for (QToolButton* chooser : {SpeedButton1, SpeedButton2, SpeedButton3}) {
        connect(chooser, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    }
    // An editable combo box keeps the focus for its line edit and hands it the keys by a
    // direct call, past any filter on the line edit: Enter is caught on the combo box.
    for (QComboBox* field : {ComboBox1, ComboBox2, ComboBox3}) {
        field->installEventFilter(this);
    }
    connect(BitBtn2, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Exit1Click);
}

void TForm1::CreateMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    File1 = Named(bar->addMenu(tr("ﾌｧｲﾙ(&F)")), "File1");
    N1 = MakeItem(File1, "N1", tr("分割(&D)"), QKeySequence(Qt::CTRL | Qt::Key_D));
    N2 = MakeItem(File1, "N2", tr("復元(&R)"), QKeySequence(Qt::CTRL | Qt::Key_R));
    File1->addSeparator();
    N5 = MakeItem(File1, "N5", tr("オプション"), QKeySequence(Qt::CTRL | Qt::Key_O));
    N6 = MakeItem(File1, "N6", tr("書き込み後に検査する"));
    N6->setCheckable(true);
    Eject1 = MakeItem(File1, "Eject1", tr("書き終えたディスクを取り出す"));
    Eject1->setCheckable(true);
    N7 = MakeItem(File1, "N7", tr("ディスクを詰めて使う"));
    N7->setCheckable(true);
    Recovery1 = MakeItem(File1, "Recovery1", tr("復旧用ディスク..."));
#if !ARBOLINK_RECOVERY
    Recovery1->setEnabled(false); // built without the erasure code
#endif
    // No Ctrl+V: the folder fields paste with it.
    Verify1 = MakeItem(File1, "Verify1", tr("検査(&V)"));
    File1->addSeparator();
    Exit1 = MakeItem(File1, "Exit1", tr("終了(&X)"));
    Help1 = Named(bar->addMenu(tr("ﾍﾙﾌﾟ(&H)")), "Help1");
    Contents1 = MakeItem(Help1, "Contents1", tr("目次(&C)"));
    About1 = MakeItem(Help1, "About1", tr("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    connect(N1, &QAction::triggered, this, &TForm1::BitBtn2Click);
    connect(N2, &QAction::triggered, this, &TForm1::BitBtn3Click);
    connect(Verify1, &QAction::triggered, this, &TForm1::Verify1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(N5, &QAction::triggered, this, &TForm1::N5Click);
    connect(Recovery1, &QAction::triggered, this, &TForm1::Recovery1Click);
    connect(N6, &QAction::toggled, this, [this](bool on) { session_.VerifyAfterWrite = on; });
    connect(Eject1, &QAction::toggled, this, [this](bool on) { session_.EjectWritten = on; });
    connect(N7, &QAction::toggled, this, [this](bool on) {
        session_.DiskPacking = on ? arbolink::Packing::Tight : arbolink::Packing::InOrder;
    });
    connect(Contents1, &QAction::triggered, this, &TForm1::Contents1Click);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
}

// Shared by the three chooser buttons; the button's tag names its field.
void TForm1::SpeedButton1Click() {
    const int tag = sender()->property(kTag).toInt();
    QComboBox* field = tag == 1 ? ComboBox1 : tag == 2 ? ComboBox2 : ComboBox3;
    if (arbolink::SpeedButton1Click(this, field, monitor_) && field == ComboBox2) {
        ShowFreeSpace(ComboBox2->currentText().toStdString());
    }
}

void TForm1::N5Click() {
    ShowOptionsDialog(this, session_.FreeSpacePercent);
}

// The number of recovery disks the next divides write; Cancel keeps it.
void TForm1::Recovery1Click() {
    bool ok = false;
    const int disks = QInputDialog::getInt(this, Shown(msg::kRecoveryDisksCaption),
                                           Shown(msg::kRecoveryDisksLabel), session_.RecoveryDisks,
                                           0, arbolink::kMaxRecoveryDisks, 1, &ok);
    if (ok) {
        session_.RecoveryDisks = disks;
    }
}

void TForm1::Contents1Click() {
    OpenHelpContents();
}

void TForm1::About1Click() {
    ShowAboutBox(this);
}

void TForm1::SetTabOrder() {
    QWidget* order[] = {BitBtn2, BitBtn3, ComboBox1, ComboBox2, ComboBox3, Button1, CheckBox1};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    BitBtn2->setFocus();
}

void TForm1::FormCreate() {
    setWindowTitle(QStringLiteral("%1 %2").arg(Text(kProductName), Text(kVersionText)));

    settings_ = LoadSettings(settingsPath_);
    // The position held is the frame's. Until a window manager has framed the window it stands
    // for the client area's, and the window is placed by it before it is made: placing a window
    // already made has the toolkit ask for a frame not there yet, and keep that empty answer.
    heldFrame_ = QPoint(settings_.windowLeft, settings_.windowTop);
    layout()->activate(); // the fixed size is settled by the layout
    PlaceFrame(heldFrame_, QMargins());
    create();
    session_.FreeSpacePercent = settings_.freeSpacePercent;
    N6->setChecked(settings_.verifyAfterWrite);
    session_.VerifyAfterWrite = settings_.verifyAfterWrite;
    Eject1->setChecked(settings_.ejectWritten);
    session_.EjectWritten = settings_.ejectWritten;
    N7->setChecked(settings_.packTight);
    session_.RecoveryDisks = settings_.recoveryDisks;
    session_.DiskPacking =
        settings_.packTight ? arbolink::Packing::Tight : arbolink::Packing::InOrder;
    for (const std::string& entry : settings_.history) {
        ComboBox3->addItem(QString::fromStdString(entry));
    }
    ShowFromStart(ComboBox1, settings_.source);
    ShowFromStart(ComboBox2, settings_.divide);
    ShowFromStart(ComboBox3, settings_.dest);

    AddToList(ComboBox1, settings_.source);
    AddToList(ComboBox2, settings_.divide);
    // A blank disc is never mounted, so its drive is offered here.
    for (const std::string& drive : ListOpticalDrives()) {
        AddToListUnlessThere(ComboBox2, drive);
    }
    AddToListUnlessThere(ComboBox3, settings_.dest);

    if (IsFolderReady(settings_.divide) || !OpticalDriveOf(settings_.divide).empty()) {
        ShowFreeSpace(settings_.divide);
    }
    // Connected only now: loading the fields is no change the read-out must follow.
    connect(ComboBox2, &QComboBox::editTextChanged, this, &TForm1::ComboBox2Change);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TForm1::FormShow() {
    if (framed_) {
        FitToWorkArea();
        return;
    }
    // Placed by its frame once that is known.
    framePolls_ = 0;
    framePoll_->start();
}

void TForm1::FitToWorkArea() {
    PlaceFrame(frameGeometry().topLeft(), FrameMargins(*this));
}

void TForm1::PlaceFrame(QPoint frameTopLeft, QMargins frame) {
    const QScreen* area = screen();
    if (area == nullptr) {
        return;
    }
    const QPoint client =
        PlacedClientPosition(frameTopLeft, size(), frame, area->availableGeometry());
    if (client != geometry().topLeft()) {
        setGeometry(QRect(client, size()));
    }
}

void TForm1::PollFrame() {
    // The frame is asked for only once the window is on the screen: asked earlier, the
    // toolkit may keep the answer of a window not framed yet.
    const bool exposed = windowHandle() != nullptr && windowHandle()->isExposed();
    const QMargins frame = exposed ? FrameMargins(*this) : QMargins();
    if (!frame.isNull()) {
        framePoll_->stop();
        framed_ = true;
        PlaceFrame(heldFrame_, frame);
    } else if (++framePolls_ >= kFramePolls) {
        framePoll_->stop(); // no window manager frames this window
    }
}

QPoint TForm1::PlacedClientPosition(QPoint frameTopLeft, QSize client, QMargins frame,
                                    const QRect& available) {
    const QSize outer = client.grownBy(frame);
    const int left = PlacedEdge(frameTopLeft.x(), outer.width(), available.left(),
                                available.left() + available.width());
    const int top = PlacedEdge(frameTopLeft.y(), outer.height(), available.top(),
                               available.top() + available.height());
    return {left + frame.left(), top + frame.top()};
}

void TForm1::ShowFreeSpace(const std::string& folder) {
    const FreeSpaceReadout readout = FreeSpaceOfFolder(folder, monitor_->OnRemovedMedium(folder));
    StaticText1->setText(ShownReadout(readout.number));
    Label5->setText(ShownReadout(readout.unit));
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* field = qobject_cast<QComboBox*>(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && field != nullptr) {
            ComboBox1KeyPress(field);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::ComboBox1KeyPress(QComboBox* field) {
    const std::string folder = ListedFolder(Utf8(field->currentText()));
    // An optical drive is no folder to make: the divide burns its discs.
    const bool opticalDrive = field == ComboBox2 && !OpticalDriveOf(folder).empty();
    if (!opticalDrive && !FolderExists(folder)) {
        if (host_->ShowDialog(DialogKind::Confirmation, Utf8(Shown(msg::kCreateTypedFolder)),
                              {Button::Yes, Button::No}) != Button::Yes) {
            host_->SelectFieldText(FieldOf(field));
            return;
        }
        if (folder.empty()) {
            host_->Message(Utf8(Shown(msg::kCannotCreateDirectory)));
            return;
        }
        // A folder that could not be made is filed all the same: the commands check
        // their folders again when they start.
        CreateFolders(folder);
    }
    AddToListUnlessThere(field, folder);
}

void TForm1::ComboBox2Change(const QString& text) {
    ShowFreeSpace(Utf8(text));
}

void TForm1::BitBtn2Click() {
    RunCommand([](Session& session, Host& host) { arbolink::BitBtn2Click(session, host); });
}

void TForm1::BitBtn3Click() {
    RunCommand(arbolink::BitBtn3Click);
}

void TForm1::Verify1Click() {
    RunCommand(arbolink::Verify1Click);
}

void TForm1::RunCommand(const std::function<void(Session&, Host&)>& command) {
    if (commandRunning_) {
        return;
    }
    commandRunning_ = true;
    try {
        command(session_, *host_);
    } catch (const std::exception& error) {
        host_->Message(error.what());
    }
    commandRunning_ = false;
    // A command may have made the split destination, or filled or emptied it.
    ShowFreeSpace(Utf8(ComboBox2->currentText()));
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormCloseQuery(event);
}

void TForm1::FormCloseQuery(QCloseEvent* event) {
    // A command still running has the main window in its hands until it returns.
    if (commandRunning_) {
        event->ignore();
        return;
    }
    std::string failure;
    if (!SaveSettings(settingsPath_, CurrentSettings(), failure)) {
        // The user is told, and the program still ends: a settings file that cannot be
        // written must not keep the window open.
        host_->Message(Utf8(Translated(kSettingsContext, kCannotWriteSettings)
                                .arg(QString::fromStdString(settingsPath_))));
    }
    event->accept();
}

Settings TForm1::CurrentSettings() const {
    Settings current = settings_;
    current.windowLeft = x();
    current.windowTop = y();
    current.freeSpacePercent = session_.FreeSpacePercent;
    current.verifyAfterWrite = session_.VerifyAfterWrite;
    current.ejectWritten = Eject1->isChecked();
    current.packTight = session_.DiskPacking == arbolink::Packing::Tight;
    current.recoveryDisks = session_.RecoveryDisks;
    current.source = Utf8(ComboBox1->currentText());
    current.divide = Utf8(ComboBox2->currentText());
    current.dest = Utf8(ComboBox3->currentText());
    current.history.clear();
    for (int i = 0; i < ComboBox3->count(); ++i) {
        current.history.push_back(Utf8(ComboBox3->itemText(i)));
    }
    return current;
}

} // namespace arbolink
