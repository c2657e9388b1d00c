// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its controls and menu, start-up from the settings file, the work-area
// fit, the free-space read-out, Enter in a field, and the settings saved on close.
#include "support/MessageBoxWatch.h"
#include "ui/FreeSpaceText.h"
#include "ui/IniFile.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMargins>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <sys/mount.h>

using namespace arbolink;
using arbolink::test::MessageBoxWatch;

namespace {

const QString kYes = QStringLiteral("はい(&Y)");
const QString kNo = QStringLiteral("いいえ(&N)");
const QString kCreateQuestion =
    QStringLiteral("指定されたフォルダーがありません\n\n新規作成しますか");

template <typename T = QWidget> T* Child(QWidget& window, const QString& name) {
    T* child = window.findChild<T*>(name);
    if (child == nullptr) {
        qFatal("no child %s", qPrintable(name));
    }
    return child;
}

QStringList Items(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}

std::string Std(const QString& text) {
    return text.toStdString();
}

// A settings file and folders of one test.
struct Scene {
    QTemporaryDir dir;
    std::string settingsPath = Std(dir.filePath(QStringLiteral("arbolink.ini")));

    QString Folder(const QString& relative) const { return dir.filePath(relative); }
    QString MakeFolder(const QString& relative) const {
        QDir().mkpath(dir.filePath(relative));
        return dir.filePath(relative);
    }
    void Write(const Settings& settings) const {
        std::string failure;
        QVERIFY(SaveSettings(settingsPath, settings, failure));
    }
};

void ShowAndActivate(TForm1& form) {
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

// Types into a field and presses Enter there. The key goes where the application delivers
// a real key press, to the focus widget: for an editable combo box that is the combo box,
// which hands the key on to its line edit itself.
void EnterIn(TForm1& form, const char* field, const QString& text) {
    auto* combo = Child<QComboBox>(form, QString::fromLatin1(field));
    combo->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo));
    combo->setEditText(text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// The widget that has the focus, a combo box's line edit counted as its combo box.
QString FocusName() {
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr) {
        return {};
    }
    if (qobject_cast<QLineEdit*>(focus) && qobject_cast<QComboBox*>(focus->parentWidget())) {
        focus = focus->parentWidget();
    }
    return focus->objectName();
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void placesEveryControl_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("Bevel1") << "Bevel1" << QRect(0, 0, 324, 9) << "";
        QTest::newRow("ComboBox1") << "ComboBox1" << QRect(152, 24, 145, 20) << "";
        QTest::newRow("SpeedButton1") << "SpeedButton1" << QRect(296, 24, 20, 20) << "";
        QTest::newRow("ComboBox2") << "ComboBox2" << QRect(152, 64, 145, 20) << "";
        QTest::newRow("SpeedButton2") << "SpeedButton2" << QRect(296, 64, 20, 20) << "";
        QTest::newRow("StaticText1") << "StaticText1" << QRect(152, 104, 121, 17) << "";
        QTest::newRow("CheckBox1")
            << "CheckBox1" << QRect(152, 128, 161, 17) << "Arbolink本体もコピーする";
        QTest::newRow("ComboBox3") << "ComboBox3" << QRect(152, 184, 145, 20) << "";
        QTest::newRow("SpeedButton3") << "SpeedButton3" << QRect(296, 184, 20, 20) << "";
        QTest::newRow("BitBtn2") << "BitBtn2" << QRect(24, 48, 97, 57) << "　分　　割";
        QTest::newRow("BitBtn3") << "BitBtn3" << QRect(24, 176, 97, 25) << "　復　元";
        QTest::newRow("Button1") << "Button1" << QRect(124, 216, 75, 25) << "終　　了";
    }
    void placesEveryControl() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        Scene scene;
        TForm1 form(scene.settingsPath);
        QWidget* control = Child(form, name);
        QCOMPARE(control->geometry(), geometry);
        if (auto* button = qobject_cast<QAbstractButton*>(control); button && !text.isEmpty()) {
            QCOMPARE(button->text(), text);
        }
    }

    void placesTheLabelsAndLines() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        const struct {
            const char* name;
            QPoint at;
            const char* text;
        } labels[] = {{"Label1", {152, 8}, "複写元フォルダー"},
                      {"Label2", {152, 48}, "分割先フォルダー"},
                      {"Label4", {152, 88}, "空き容量"},
                      {"Label3", {152, 168}, "復元先フォルダー"}};
        for (const auto& l : labels) {
            auto* label = Child<QLabel>(form, QString::fromLatin1(l.name));
            QCOMPARE(label->pos(), l.at);
            QCOMPARE(label->text(), QString::fromUtf8(l.text));
            // The whole text fits: nothing of the Japanese caption is cut off.
            QVERIFY(label->width() >= label->sizeHint().width());
        }
        auto* unit = Child<QLabel>(form, QStringLiteral("Label5"));
        QCOMPARE(unit->pos(), QPoint(280, 110));
        // 33 pixels, or as much as the widest unit needs in the face that stands in.
        QVERIFY(unit->width() >= 33);
        QVERIFY(unit->geometry().right() < 324);
        QCOMPARE(Child(form, QStringLiteral("Bevel2"))->geometry().topLeft(), QPoint(2, 160));
        QCOMPARE(Child(form, QStringLiteral("Bevel2"))->width(), 321);
        QCOMPARE(Child(form, QStringLiteral("Bevel3"))->geometry().topLeft(), QPoint(3, 208));
        QCOMPARE(Child(form, QStringLiteral("Bevel3"))->width(), 321);
        auto* readout = Child<QLabel>(form, QStringLiteral("StaticText1"));
        QVERIFY(readout->alignment() & Qt::AlignRight);
        QCOMPARE(readout->frameShadow(), QFrame::Sunken);
    }

    void isAFixedWindowWithItsCaptionAndFont() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.objectName(), QStringLiteral("Form1"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Arbolink Ver. 2.0"));
        QCOMPARE(form.centralWidget()->size(), QSize(324, 246));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.width(), 324);
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(form.font().pixelSize(), 12);
        const QString family = QFontInfo(form.font()).family();
        QVERIFY2(family.contains(QStringLiteral("Gothic")) ||
                     family.contains(QStringLiteral("CJK")),
                 qPrintable(family));
        QCOMPARE(Child<QLabel>(form, QStringLiteral("Label1"))->font().pixelSize(), 12);
    }

    void tagsTheFieldsAndTheirChoosers() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        for (int tag = 1; tag <= 3; ++tag) {
            QCOMPARE(Child(form, QStringLiteral("ComboBox%1").arg(tag))->property("tag").toInt(),
                     tag);
            auto* chooser = Child<QToolButton>(form, QStringLiteral("SpeedButton%1").arg(tag));
            QCOMPARE(chooser->property("tag").toInt(), tag);
            QVERIFY(!chooser->icon().isNull());
            QVERIFY(chooser->isEnabled());
        }
        QVERIFY(Child<QComboBox>(form, QStringLiteral("ComboBox1"))->isEditable());
    }

    void hasTheMenuWithItsShortcuts() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        QMenuBar* bar = form.menuBar();
        QCOMPARE(bar->objectName(), QStringLiteral("MainMenu1"));
        const QList<QAction*> menus = bar->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ(&F)"));
        QCOMPARE(menus[1]->text(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));

        const QList<QAction*> file = menus[0]->menu()->actions();
        QCOMPARE(file.size(), 11);
        QCOMPARE(file[0]->objectName(), QStringLiteral("N1"));
        QCOMPARE(file[0]->text(), QStringLiteral("分割(&D)"));
        QCOMPARE(file[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
        QVERIFY(file[0]->isEnabled());
        QCOMPARE(file[1]->objectName(), QStringLiteral("N2"));
        QCOMPARE(file[1]->text(), QStringLiteral("復元(&R)"));
        QCOMPARE(file[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
        QVERIFY(file[2]->isSeparator());
        QCOMPARE(file[3]->objectName(), QStringLiteral("N5"));
        QCOMPARE(file[3]->text(), QStringLiteral("オプション"));
        QCOMPARE(file[3]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QVERIFY(file[3]->isEnabled());
        // On by default; they set what the next divide does.
        QCOMPARE(file[4]->objectName(), QStringLiteral("N6"));
        QCOMPARE(file[4]->text(), QStringLiteral("書き込み後に検査する"));
        QVERIFY(file[4]->isCheckable());
        QVERIFY(file[4]->isChecked());
        QCOMPARE(file[5]->objectName(), QStringLiteral("Eject1"));
        QCOMPARE(file[5]->text(), QStringLiteral("書き終えたディスクを取り出す"));
        QVERIFY(file[5]->isCheckable());
        // Off by default: plans stay the ones users know.
        QCOMPARE(file[6]->objectName(), QStringLiteral("N7"));
        QCOMPARE(file[6]->text(), QStringLiteral("ディスクを詰めて使う"));
        QVERIFY(file[6]->isCheckable());
        QVERIFY(!file[6]->isChecked());
        QCOMPARE(file[7]->objectName(), QStringLiteral("Recovery1"));
        QCOMPARE(file[7]->text(), QStringLiteral("復旧用ディスク..."));
        QVERIFY(!file[7]->isCheckable());
        QCOMPARE(file[8]->objectName(), QStringLiteral("Verify1"));
        QCOMPARE(file[8]->text(), QStringLiteral("検査(&V)"));
        QVERIFY(file[8]->shortcut().isEmpty());
        QVERIFY(file[8]->isEnabled());
        QVERIFY(file[9]->isSeparator());
        QCOMPARE(file[10]->objectName(), QStringLiteral("Exit1"));
        QCOMPARE(file[10]->text(), QStringLiteral("終了(&X)"));
        QVERIFY(file[10]->shortcut().isEmpty());

        const QList<QAction*> help = menus[1]->menu()->actions();
        QCOMPARE(help.size(), 2);
        QCOMPARE(help[0]->objectName(), QStringLiteral("Contents1"));
        QCOMPARE(help[0]->text(), QStringLiteral("目次(&C)"));
        QCOMPARE(help[1]->objectName(), QStringLiteral("About1"));
        QCOMPARE(help[1]->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."));
        QVERIFY(help[0]->isEnabled());
        QVERIFY(help[1]->isEnabled());
    }

    void tabsThroughTheControlsInOrder() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        ShowAndActivate(form);
        QCOMPARE(FocusName(), QStringLiteral("BitBtn2"));
        const QStringList expected{QStringLiteral("BitBtn3"),   QStringLiteral("ComboBox1"),
                                   QStringLiteral("ComboBox2"), QStringLiteral("ComboBox3"),
                                   QStringLiteral("Button1"),   QStringLiteral("CheckBox1"),
                                   QStringLiteral("BitBtn2")};
        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            seen << FocusName();
        }
        QCOMPARE(seen, expected);
    }

    void firstStartWithoutSettings() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        ShowAndActivate(form);
        for (const char* name : {"ComboBox1", "ComboBox2", "ComboBox3"}) {
            auto* combo = Child<QComboBox>(form, QString::fromLatin1(name));
            QCOMPARE(combo->currentText(), QString());
            QCOMPARE(Items(combo), QStringList{QString()});
        }
        QCOMPARE(Child<QLabel>(form, QStringLiteral("StaticText1"))->text(), QString());
        QCOMPARE(Child<QLabel>(form, QStringLiteral("Label5"))->text(), QString());
        QVERIFY(!Child<QCheckBox>(form, QStringLiteral("CheckBox1"))->isChecked());
        QCOMPARE(form.pos(), QPoint(0, 0));
        QCOMPARE(form.session().FreeSpacePercent, 95);
        QVERIFY(form.session().EmptyingFolder.empty());
    }

    void loadsTheFieldsAndCompletesTheLists() {
        Scene scene;
        Settings settings;
        settings.source = Std(scene.MakeFolder(QStringLiteral("写真")));
        settings.divide = Std(scene.MakeFolder(QStringLiteral("disk")));
        settings.dest = "/restore/B";
        settings.history = {"/restore/a", "/restore/b", "/restore/c"};
        settings.freeSpacePercent = 80;
        settings.windowLeft = 40;
        settings.windowTop = 30;
        scene.Write(settings);

        TForm1 form(scene.settingsPath);
        auto* source = Child<QComboBox>(form, QStringLiteral("ComboBox1"));
        auto* divide = Child<QComboBox>(form, QStringLiteral("ComboBox2"));
        auto* dest = Child<QComboBox>(form, QStringLiteral("ComboBox3"));
        QCOMPARE(source->currentText(), QString::fromStdString(settings.source));
        QCOMPARE(Items(source), QStringList{QString::fromStdString(settings.source)});
        QCOMPARE(Items(divide), QStringList{QString::fromStdString(settings.divide)});
        QCOMPARE(dest->currentText(), QStringLiteral("/restore/B"));
        // Paths differ by case on this platform: /restore/B is not /restore/b.
        QCOMPARE(Items(dest),
                 (QStringList{QStringLiteral("/restore/a"), QStringLiteral("/restore/b"),
                              QStringLiteral("/restore/c"), QStringLiteral("/restore/B")}));
        QCOMPARE(form.session().FreeSpacePercent, 80);
        // The position held is the frame's: it stands there once the window is framed.
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(form.frameGeometry().topLeft(), QPoint(40, 30));

        // The split destination is ready: its free space is shown at once.
        const FreeSpaceReadout readout = FreeSpaceOfFolder(settings.divide);
        QCOMPARE(Child<QLabel>(form, QStringLiteral("StaticText1"))->text(),
                 QString::fromStdString(readout.number));
        QCOMPARE(Child<QLabel>(form, QStringLiteral("Label5"))->text(),
                 QString::fromStdString(readout.unit));
        QVERIFY(readout.number != "Disk Error  ");
    }

    // The packing item starts as the settings file left it, sets the next divide's packing,
    // and is written back on close.
    void thePackingItemFollowsAndKeepsTheSetting() {
        Scene scene;
        Settings settings;
        settings.packTight = true;
        scene.Write(settings);
        {
            TForm1 form(scene.settingsPath);
            auto* item = form.findChild<QAction*>(QStringLiteral("N7"));
            QVERIFY(item != nullptr);
            QVERIFY(item->isChecked());
            QVERIFY(form.session().DiskPacking == arbolink::Packing::Tight);
            item->setChecked(false);
            QVERIFY(form.session().DiskPacking == arbolink::Packing::InOrder);
            form.close();
        }
        QVERIFY(!LoadSettings(scene.settingsPath).packTight);
    }

    // The recovery disks item asks for a number and sets the next divides' count, which is
    // written back on close; Cancel keeps the count.
    void theRecoveryDisksItemSetsAndKeepsTheCount() {
        Scene scene;
        Settings settings;
        settings.recoveryDisks = 1;
        scene.Write(settings);
        {
            TForm1 form(scene.settingsPath);
            QCOMPARE(form.session().RecoveryDisks, 1);
            auto* item = form.findChild<QAction*>(QStringLiteral("Recovery1"));
            QVERIFY(item != nullptr);
            auto answerWith = [](int value, bool accept) {
                QTimer::singleShot(0, [=] {
                    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
                    QVERIFY(dialog != nullptr);
                    dialog->setIntValue(value);
                    accept ? dialog->accept() : dialog->reject();
                });
            };
            answerWith(3, true);
            item->trigger();
            QCOMPARE(form.session().RecoveryDisks, 3);
            answerWith(7, false);
            item->trigger();
            QCOMPARE(form.session().RecoveryDisks, 3);
            form.close();
        }
        QCOMPARE(LoadSettings(scene.settingsPath).recoveryDisks, 3);
    }

    void aRestoreDestinationInTheHistoryIsNotListedTwice() {
        Scene scene;
        Settings settings;
        settings.dest = "/restore/b";
        settings.history = {"/restore/a", "/restore/b"};
        scene.Write(settings);
        TForm1 form(scene.settingsPath);
        QCOMPARE(Items(Child<QComboBox>(form, QStringLiteral("ComboBox3"))),
                 (QStringList{QStringLiteral("/restore/a"), QStringLiteral("/restore/b")}));
    }

    void aDestinationNotReadyLeavesTheReadoutEmpty() {
        Scene scene;
        Settings settings;
        settings.divide = Std(scene.Folder(QStringLiteral("missing")));
        scene.Write(settings);
        TForm1 form(scene.settingsPath);
        QCOMPARE(Child<QLabel>(form, QStringLiteral("StaticText1"))->text(), QString());
        QCOMPARE(Child<QLabel>(form, QStringLiteral("Label5"))->text(), QString());
    }

    void placesTheWholeFrameInTheAvailableArea_data() {
        QTest::addColumn<QPoint>("frameAt");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("client");
        const QRect area(0, 0, 800, 600);
        const QMargins none;
        // A window manager's frame: 1-pixel borders and a 20-pixel title bar.
        const QMargins titled(1, 20, 1, 1);
        QTest::newRow("inside") << QPoint(100, 50) << none << area << QPoint(100, 50);
        QTest::newRow("beyond right and bottom")
            << QPoint(1200, 900) << none << area << QPoint(476, 335);
        QTest::newRow("just fits") << QPoint(476, 335) << none << area << QPoint(476, 335);
        QTest::newRow("one pixel over") << QPoint(477, 336) << none << area << QPoint(476, 335);
        QTest::newRow("negative") << QPoint(-30, -5) << none << area << QPoint(0, 0);
        QTest::newRow("area smaller than the window")
            << QPoint(50, 50) << none << QRect(0, 0, 300, 200) << QPoint(0, 0);
        // First start: the frame, not the client area, goes to the corner.
        QTest::newRow("frame at the corner") << QPoint(0, 0) << titled << area << QPoint(1, 20);
        QTest::newRow("title bar above the screen")
            << QPoint(300, -15) << titled << area << QPoint(301, 20);
        QTest::newRow("frame beyond right and bottom")
            << QPoint(1200, 900) << titled << area << QPoint(475, 334);
        QTest::newRow("frame just fits") << QPoint(474, 314) << titled << area << QPoint(475, 334);
        // A panel along the top and one along the left take part of the screen.
        QTest::newRow("below a top panel")
            << QPoint(0, 0) << titled << QRect(0, 28, 800, 572) << QPoint(1, 48);
        QTest::newRow("right of a left panel, second screen")
            << QPoint(700, 0) << titled << QRect(848, 0, 1024, 768) << QPoint(849, 20);
        QTest::newRow("frame larger than the area keeps its title bar")
            << QPoint(40, 40) << titled << QRect(0, 0, 300, 200) << QPoint(1, 20);
    }
    void placesTheWholeFrameInTheAvailableArea() {
        QFETCH(QPoint, frameAt);
        QFETCH(QMargins, frame);
        QFETCH(QRect, available);
        QFETCH(QPoint, client);
        QCOMPARE(TForm1::PlacedClientPosition(frameAt, QSize(324, 265), frame, available), client);
    }

    void aSavedPositionBeyondTheScreenIsPulledBackWhenShown() {
        Scene scene;
        Settings settings;
        settings.windowLeft = 5000;
        settings.windowTop = 4000;
        scene.Write(settings);
        TForm1 form(scene.settingsPath);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // The whole frame is pulled in, once the window has one.
        const QRect area = form.screen()->availableGeometry();
        QTRY_COMPARE(form.frameGeometry().bottomRight(), area.bottomRight());
        QCOMPARE(form.pos(), form.frameGeometry().topLeft());
    }

    void aNegativeSavedPositionBecomesZero() {
        Scene scene;
        Settings settings;
        settings.windowLeft = -200;
        settings.windowTop = -1;
        scene.Write(settings);
        TForm1 form(scene.settingsPath);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(form.frameGeometry().topLeft(), QPoint(0, 0));
        QCOMPARE(form.pos(), QPoint(0, 0));
    }

    // The switch starts on, drives the runs and is kept in the settings file.
    void theEjectSwitchIsOnByDefaultAndKept() {
        Scene scene;
        {
            TForm1 form(scene.settingsPath);
            auto* eject = form.findChild<QAction*>(QStringLiteral("Eject1"));
            QVERIFY(eject->isChecked());
            QVERIFY(form.session().EjectWritten);
            QVERIFY(form.session().Media != nullptr);
            eject->trigger();
            QVERIFY(!form.session().EjectWritten);
            form.close();
        }
        QVERIFY(!LoadSettings(scene.settingsPath).ejectWritten);
        TForm1 again(scene.settingsPath);
        QVERIFY(!again.findChild<QAction*>(QStringLiteral("Eject1"))->isChecked());
        QVERIFY(!again.session().EjectWritten);
    }

    // A destination on a medium that was taken out reads "ディスクがありません", and the
    // read-out comes back when the medium does.
    void theReadoutTellsAMediumTakenOut() {
        Scene scene;
        const QString stick = scene.MakeFolder(QStringLiteral("media/STICK1"));
        if (mount("tmpfs", Std(stick).c_str(), "tmpfs", 0, "size=1m") != 0) {
            QSKIP("tmpfs media need the right to mount");
        }
        TForm1 form(scene.settingsPath);
        auto* number = Child<QLabel>(form, QStringLiteral("StaticText1"));
        auto* monitor = form.findChild<MediaMonitor*>();
        QVERIFY(monitor != nullptr);
        Child<QComboBox>(form, QStringLiteral("ComboBox2"))->setEditText(stick);
        QCOMPARE(number->text(), QStringLiteral("1,024.0  "));
        QCOMPARE(umount(Std(stick).c_str()), 0);
        QDir().rmdir(stick);
        monitor->Look();
        QCOMPARE(number->text(), QStringLiteral("ディスクがありません  "));
        QVERIFY(number->fontMetrics().horizontalAdvance(number->text()) <= number->width());
        QDir().mkpath(stick);
        QCOMPARE(mount("tmpfs", Std(stick).c_str(), "tmpfs", 0, "size=2m"), 0);
        monitor->Look();
        QCOMPARE(number->text(), QStringLiteral("2.0  "));
        umount(Std(stick).c_str());
    }

    void theReadoutFollowsTheSplitDestination() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        auto* divide = Child<QComboBox>(form, QStringLiteral("ComboBox2"));
        auto* number = Child<QLabel>(form, QStringLiteral("StaticText1"));
        auto* unit = Child<QLabel>(form, QStringLiteral("Label5"));
        const QString folder = scene.MakeFolder(QStringLiteral("usb"));
        divide->setEditText(folder);
        const FreeSpaceReadout readout = FreeSpaceOfFolder(Std(folder));
        QCOMPARE(number->text(), QString::fromStdString(readout.number));
        QCOMPARE(unit->text(), QString::fromStdString(readout.unit));
        QVERIFY(number->text().endsWith(QStringLiteral("  ")));
        // A path being typed that names no drive yet.
        divide->setEditText(QStringLiteral("us"));
        QCOMPARE(number->text(), QStringLiteral("Disk Error  "));
        QCOMPARE(unit->text(), QString());
        // A folder not made yet, below one that is: the drive it would be made on.
        divide->setEditText(scene.Folder(QStringLiteral("usb/新しい/set")));
        QCOMPARE(number->text(), QString::fromStdString(readout.number));
        QCOMPARE(unit->text(), QString::fromStdString(readout.unit));
        // No folder can be made below a file.
        QFile file(scene.Folder(QStringLiteral("usb/file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        divide->setEditText(scene.Folder(QStringLiteral("usb/file/set")));
        QCOMPARE(number->text(), QStringLiteral("Disk Error  "));
        // Picking from the list is a change too.
        divide->addItem(folder);
        divide->setCurrentIndex(divide->count() - 1);
        QCOMPARE(number->text(), QString::fromStdString(readout.number));
        // The read-out itself, for a drive that does not answer.
        form.ShowFreeSpace("");
        QCOMPARE(number->text(), QStringLiteral("Disk Error  "));
        QCOMPARE(unit->text(), QString());
        // Every one of these fits its control.
        for (const char* text : {"Gbyte", "Mbyte", "Kbyte", "byte"}) {
            QVERIFY(unit->fontMetrics().horizontalAdvance(QString::fromLatin1(text)) <=
                    unit->width());
        }
        QVERIFY(number->fontMetrics().horizontalAdvance(QStringLiteral("Disk Error  ")) <
                number->width());
        QVERIFY(number->fontMetrics().horizontalAdvance(QStringLiteral("1,024.0  ")) <
                number->width());
    }

    void enterOnAnExistingFolderFilesItAsTyped() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        ShowAndActivate(form);
        MessageBoxWatch watch;
        const QString folder = scene.MakeFolder(QStringLiteral("DATA"));
        EnterIn(form, "ComboBox1", folder);
        EnterIn(form, "ComboBox1", folder);
        auto* source = Child<QComboBox>(form, QStringLiteral("ComboBox1"));
        QCOMPARE(Items(source), (QStringList{QString(), folder}));
        QCOMPARE(source->currentText(), folder);
        QVERIFY(watch.seen.empty());
    }

    void enterOnAMissingFolderAsksAndCreatesItOnYes() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        ShowAndActivate(form);
        MessageBoxWatch watch;
        watch.Press(kYes);
        const QString folder = scene.Folder(QStringLiteral("新しい/フォルダー/下"));
        EnterIn(form, "ComboBox3", folder);
        QCOMPARE(watch.seen.size(), std::size_t(1));
        QCOMPARE(watch.seen[0].caption, QStringLiteral("確認"));
        QCOMPARE(watch.seen[0].text, kCreateQuestion);
        QCOMPARE(watch.seen[0].buttons, (QStringList{kYes, kNo}));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(Items(Child<QComboBox>(form, QStringLiteral("ComboBox3"))),
                 (QStringList{QString(), folder}));
    }

    void enterOnAMissingFolderAndNoSelectsTheText() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        ShowAndActivate(form);
        MessageBoxWatch watch;
        watch.Press(kNo);
        const QString folder = scene.Folder(QStringLiteral("nothing"));
        EnterIn(form, "ComboBox2", folder);
        QCOMPARE(watch.seen.size(), std::size_t(1));
        QVERIFY(!QFileInfo::exists(folder));
        auto* divide = Child<QComboBox>(form, QStringLiteral("ComboBox2"));
        QCOMPARE(Items(divide), QStringList{QString()});
        QCOMPARE(divide->currentText(), folder);
        QCOMPARE(divide->lineEdit()->selectedText(), folder);
    }

    void enterOnAnEmptyFieldCannotCreateIt() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        ShowAndActivate(form);
        MessageBoxWatch watch;
        watch.Press(kYes);
        watch.Press(QStringLiteral("OK"));
        EnterIn(form, "ComboBox1", QString());
        QCOMPARE(watch.seen.size(), std::size_t(2));
        QCOMPARE(watch.seen[1].caption, QStringLiteral("Arbolink"));
        QCOMPARE(watch.seen[1].text, QStringLiteral("ディレクトリを作成することができません"));
        QCOMPARE(Items(Child<QComboBox>(form, QStringLiteral("ComboBox1"))),
                 QStringList{QString()});
    }

    void enterNeverAddsOnItsOwn() {
        // The combo box's own insertion on Enter is off: only the window's rule files entries.
        Scene scene;
        TForm1 form(scene.settingsPath);
        ShowAndActivate(form);
        MessageBoxWatch watch;
        watch.Press(kNo);
        EnterIn(form, "ComboBox1", scene.Folder(QStringLiteral("x")));
        QCOMPARE(Child<QComboBox>(form, QStringLiteral("ComboBox1"))->count(), 1);
    }

    void savesTheSettingsOnCloseAndLoadsThemBack() {
        Scene scene;
        Settings settings;
        settings.dest = "/r/b";
        settings.history = {"/r/a", "/r/b", "/r/c"};
        settings.cWindowLeft = 7;
        settings.cWindowHeight = 300;
        scene.Write(settings);
        const QString source = scene.MakeFolder(QStringLiteral("源"));
        {
            TForm1 form(scene.settingsPath);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.move(60, 70);
            Child<QComboBox>(form, QStringLiteral("ComboBox1"))->setEditText(source);
            Child<QComboBox>(form, QStringLiteral("ComboBox2"))
                ->setEditText(QStringLiteral("/media/usb"));
            form.session().FreeSpacePercent = 50;
            QVERIFY(form.close());
        }
        const Settings saved = LoadSettings(scene.settingsPath);
        QCOMPARE(saved.windowLeft, 60);
        QCOMPARE(saved.windowTop, 70);
        QCOMPARE(saved.freeSpacePercent, 50);
        QCOMPARE(QString::fromStdString(saved.source), source);
        QCOMPARE(saved.divide, std::string("/media/usb"));
        QCOMPARE(saved.dest, std::string("/r/b"));
        QCOMPARE(saved.history, (std::vector<std::string>{"/r/a", "/r/c"}));
        QCOMPARE(saved.cWindowLeft, 7);
        QCOMPARE(saved.cWindowHeight, 300);

        TForm1 again(scene.settingsPath);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QTRY_COMPARE(again.pos(), QPoint(60, 70));
        QCOMPARE(again.session().FreeSpacePercent, 50);
        QCOMPARE(Child<QComboBox>(again, QStringLiteral("ComboBox1"))->currentText(), source);
        // The current destination moves to the end of the list.
        QCOMPARE(
            Items(Child<QComboBox>(again, QStringLiteral("ComboBox3"))),
            (QStringList{QStringLiteral("/r/a"), QStringLiteral("/r/c"), QStringLiteral("/r/b")}));
    }

    void aSettingsFileThatCannotBeWrittenIsToldAndTheWindowStillCloses() {
        Scene scene;
        QFile blocker(scene.Folder(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        // The settings file's folder is a file: nothing can be written there.
        const std::string path = Std(scene.Folder(QStringLiteral("file/arbolink.ini")));
        TForm1 form(path);
        form.show();
        MessageBoxWatch watch;
        watch.Press(QStringLiteral("OK"));
        QVERIFY(form.close());
        QCOMPARE(watch.seen.size(), std::size_t(1));
        QCOMPARE(watch.seen[0].caption, QStringLiteral("Arbolink"));
        QCOMPARE(watch.seen[0].text,
                 QString::fromStdString(path) + QStringLiteral(" に書き込めません"));
        QVERIFY(!form.isVisible());
    }

    void exitClosesTheWindow() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        form.show();
        QTest::mouseClick(Child<QPushButton>(form, QStringLiteral("Button1")), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QVERIFY(QFileInfo::exists(QString::fromStdString(scene.settingsPath)));
    }

    // Ctrl+O opens the options dialog over the window; its OK reaches the session, so the
    // next divide and the settings saved on close see the new share.
    void theOptionsDialogChangesTheShareOfFreeSpace() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->objectName(), QStringLiteral("fOption"));
            auto* spin = Child<QLineEdit>(*dialog, QStringLiteral("SpinEdit1"));
            spin->setText(QStringLiteral("40"));
            Child<QPushButton>(*dialog, QStringLiteral("BitBtn1"))->click();
            seen = true;
        });
        QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(seen);
        QCOMPARE(form.session().FreeSpacePercent, 40);
        form.close();
        QCOMPARE(LoadSettings(scene.settingsPath).freeSpacePercent, 40);
    }

    // The split destination's chooser files the chosen folder and refreshes the read-out.
    void theChooserButtonFilesAFolderInItsField() {
        Scene scene;
        const QString chosen = scene.MakeFolder(QStringLiteral("disk"));
        TForm1 form(scene.settingsPath);
        form.show();
        QString caption;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            caption = dialog->windowTitle();
            Child<QComboBox>(*dialog, QStringLiteral("ComboBox1"))->setEditText(chosen);
            Child<QPushButton>(*dialog, QStringLiteral("BitBtn1"))->click();
        });
        Child<QToolButton>(form, QStringLiteral("SpeedButton2"))->click();
        QCOMPARE(caption, QStringLiteral("フォルダー変更"));
        auto* field = Child<QComboBox>(form, QStringLiteral("ComboBox2"));
        QCOMPARE(field->currentText(), chosen);
        QVERIFY(Items(field).contains(chosen));
        QVERIFY(!Child<QLabel>(form, QStringLiteral("Label5"))->text().isEmpty());
        QVERIFY(Items(Child<QComboBox>(form, QStringLiteral("ComboBox1"))).count(chosen) == 0);
    }

    void theAboutBoxOpensFromTheHelpMenu() {
        Scene scene;
        TForm1 form(scene.settingsPath);
        form.show();
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog != nullptr);
            shown = dialog->objectName();
            Child<QPushButton>(*dialog, QStringLiteral("OKButton"))->click();
        });
        form.findChild<QAction*>(QStringLiteral("About1"))->trigger();
        QCOMPARE(shown, QStringLiteral("AboutBox"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindow_qtest.moc"
