// SPDX-License-Identifier: GPL-3.0-or-later
// The folder chooser and the main window's chooser buttons, on temporary folders.
#include "fs/MediaWatch.h"
#include "support/MessageBoxWatch.h"
#include "support/TempFolder.h"
#include "ui/FolderChoice.h"
#include "ui/MediaMonitor.h"
#include "widgets/FolderTreeViewEx.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/mount.h>

using namespace arbolink;

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items.append(box->itemText(i));
    }
    return items;
}

// Runs work on the chooser once it is up modally; records whether it was.
void WhenChooserOpens(bool& opened, std::function<void(TForm3&)> work) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, &opened, work] {
        auto* chooser = qobject_cast<TForm3*>(QApplication::activeModalWidget());
        if (chooser == nullptr) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        opened = true;
        work(*chooser);
    });
    poll->start();
}

// True when the tree has a node for the folder.
bool Lists(TFolderTreeViewEx& tree, const std::string& folder) {
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        FolderNodeData* data = TFolderTreeViewEx::NodeData(*it);
        if (data != nullptr && (data->path == folder || data->path == folder + "/")) {
            return true;
        }
    }
    return false;
}

void ChooseTyped(TForm3& chooser, const QString& path) {
    chooser.ComboBox1()->setEditText(path);
    chooser.findChild<QPushButton*>("BitBtn1")->click();
}

} // namespace

class FolderChoiceTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempFolder> folder;
    std::string Docs() const { return *folder / "Docs"; }

private slots:
    void init() {
        folder = std::make_unique<test::TempFolder>();
        folder->MakeFolder("Docs/inner");
        folder->MakeFolder("docs");
    }
    void cleanup() { folder.reset(); }

    void controlsStandWhereTheyWereDesigned() {
        TForm3 chooser;
        QCOMPARE(chooser.objectName(), QString("Form3"));
        QCOMPARE(chooser.windowTitle(), QString("フォルダー変更"));
        QCOMPARE(chooser.size(), QSize(313, 270));
        QCOMPARE(chooser.font().pixelSize(), 12);
        QCOMPARE(chooser.font().families().front(), QString("ＭＳ Ｐゴシック"));
        auto* box = chooser.findChild<QComboBox*>("ComboBox1");
        auto* tree = chooser.findChild<TFolderTreeViewEx*>("Folder");
        auto* ok = chooser.findChild<QPushButton*>("BitBtn1");
        auto* cancel = chooser.findChild<QPushButton*>("BitBtn2");
        QVERIFY(box && tree && ok && cancel);
        QVERIFY(box->isEditable());
        QCOMPARE(box->geometry(), QRect(8, 11, 297, 20));
        QCOMPARE(tree->geometry(), QRect(8, 39, 297, 194));
        QCOMPARE(ok->geometry(), QRect(80, 240, 75, 25));
        QCOMPARE(cancel->geometry(), QRect(168, 240, 75, 25));
        QCOMPARE(ok->text(), QString("OK"));
        QCOMPARE(cancel->text(), QString("キャンセル"));
        QVERIFY(ok->isDefault());
        QVERIFY(!ok->icon().isNull());
        QVERIFY(!ok->icon().pixmap(16, QIcon::Disabled).isNull());
        QVERIFY(!cancel->icon().isNull());
        QCOMPARE(tree->indentation(), 19);
        QVERIFY(tree->ContextMenu() && tree->DragAndDrop() && tree->AutoUpDate());
        QVERIFY(tree->ShowIncludeHidden() && tree->ShowRootFolder() && !tree->ShowFile());
    }

    void theTreeStartsAtTheComputerAndPickedFoldersFillTheBox() {
        TForm3 chooser;
        TFolderTreeViewEx* tree = chooser.Folder();
        QCOMPARE(tree->RootFolder(), rfDrives);
        QCOMPARE(tree->SelectedNode(), nullptr);
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QCOMPARE(chooser.ComboBox1()->currentText(), QString());

        QVERIFY(tree->SelectPath(Q(*folder / "Docs/inner")));
        QCOMPARE(chooser.ComboBox1()->currentText(), Q(*folder / "Docs/inner"));
        tree->setCurrentItem(tree->topLevelItem(0));
        QCOMPARE(chooser.ComboBox1()->currentText(), QString()); // the computer has no path
    }

    void okRefusesAnEmptyBoxAndAMissingFolderAndStaysOpen() {
        TForm3 chooser;
        chooser.show();
        for (QString typed : {QString(), Q(*folder / "missing"), Q(*folder / "Docs/inner/x")}) {
            chooser.ComboBox1()->setEditText(typed);
            test::MessageBoxWatch watch;
            watch.Press("OK");
            chooser.findChild<QPushButton*>("BitBtn1")->click();
            QCOMPARE(watch.seen.size(), std::size_t{1});
            const test::SeenBox& box = watch.seen.front();
            QCOMPARE(box.caption, QString("Arbolink"));
            QCOMPARE(box.text, QString("指定されたフォルダーはありません\n\n"
                                       "\u3000\u3000\u3000\u3000入力し直してください"));
            QCOMPARE(box.icon, QMessageBox::NoIcon);
            QCOMPARE(box.buttons, QStringList{"OK"});
            QVERIFY(chooser.isVisible());
            QCOMPARE(chooser.result(), int(QDialog::Rejected));
            QCOMPARE(chooser.SelectedFolder(), QString());
        }
    }

    void okAcceptsAnExistingFolderExactlyAsTyped() {
        for (QString typed : {Q(Docs()), Q(Docs() + "/"), Q(*folder / "docs")}) {
            TForm3 chooser;
            chooser.show();
            ChooseTyped(chooser, typed);
            QCOMPARE(chooser.result(), int(QDialog::Accepted));
            QCOMPARE(chooser.SelectedFolder(), typed);
        }
    }

    void cancelAndEscapeChangeNothing() {
        TForm3 chooser;
        chooser.show();
        chooser.ComboBox1()->setEditText(Q(Docs()));
        chooser.findChild<QPushButton*>("BitBtn2")->click();
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
        QCOMPARE(chooser.SelectedFolder(), QString());
        TForm3 second;
        second.show();
        QTest::keyClick(&second, Qt::Key_Escape);
        QVERIFY(!second.isVisible());
        QCOMPARE(second.result(), int(QDialog::Rejected));
    }

    void enteringTheBoxSelectsItsWholeText() {
        TForm3 chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        chooser.ComboBox1()->setEditText(Q(Docs()));
        chooser.Folder()->setFocus();
        chooser.ComboBox1()->lineEdit()->deselect();
        chooser.ComboBox1()->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(chooser.ComboBox1()->lineEdit()->selectedText(), Q(Docs()));
    }

    void theChooserButtonFilesTheFolderOnce() {
        QWidget window;
        auto* field = new QComboBox(&window);
        field->setEditable(true);
        field->addItems({"", "/srv/old"});
        field->setEditText("/srv/old");
        window.show();

        bool opened = false;
        QStringList offered;
        QString offeredText;
        WhenChooserOpens(opened, [&](TForm3& chooser) {
            offered = Items(chooser.ComboBox1());
            offeredText = chooser.ComboBox1()->currentText();
            QCOMPARE(chooser.Folder()->SelectedNode(), nullptr); // the tree does not follow
            ChooseTyped(chooser, Q(Docs()));
        });
        QVERIFY(SpeedButton1Click(&window, field));
        QVERIFY(opened);
        QCOMPARE(offered, (QStringList{"", "/srv/old"}));
        QCOMPARE(offeredText, QString("/srv/old"));
        QCOMPARE(Items(field), (QStringList{"", "/srv/old", Q(Docs())}));
        QCOMPARE(field->currentText(), Q(Docs()));
        QVERIFY(field->hasFocus() || QApplication::focusWidget() == nullptr ||
                field->isAncestorOf(QApplication::focusWidget()));

        // The same folder again leaves one entry.
        opened = false;
        WhenChooserOpens(opened, [&](TForm3& chooser) { ChooseTyped(chooser, Q(Docs())); });
        QVERIFY(SpeedButton1Click(&window, field));
        QCOMPARE(Items(field), (QStringList{"", "/srv/old", Q(Docs())}));

        // Linux paths tell case apart: "docs" is another folder, filed as typed.
        WhenChooserOpens(opened,
                         [&](TForm3& chooser) { ChooseTyped(chooser, Q(*folder / "docs")); });
        QVERIFY(SpeedButton1Click(&window, field));
        QCOMPARE(Items(field), (QStringList{"", "/srv/old", Q(Docs()), Q(*folder / "docs")}));
        QCOMPARE(field->currentText(), Q(*folder / "docs"));
    }

    // A stick plugged in while the chooser is up joins the computer's drives in its tree.
    void theChooserListsAMediumInsertedWhileItIsUp() {
        folder->MakeFolder("media/STICK1");
        const std::string stick = *folder / "media/STICK1";
        MediaMonitor monitor(OpenMountTableWatcher());
        QComboBox field;
        field.setEditable(true);
        bool opened = false;
        bool mounted = false;
        bool listedBefore = true;
        bool listedAfter = false;
        WhenChooserOpens(opened, [&](TForm3& chooser) {
            listedBefore = Lists(*chooser.Folder(), stick);
            mounted = mount("tmpfs", stick.c_str(), "tmpfs", 0, "size=1m") == 0;
            monitor.Look();
            listedAfter = Lists(*chooser.Folder(), stick);
            chooser.findChild<QPushButton*>("BitBtn2")->click();
        });
        QVERIFY(!SpeedButton1Click(nullptr, &field, &monitor));
        QVERIFY(opened);
        if (!mounted) {
            QSKIP("tmpfs media need the right to mount");
        }
        umount(stick.c_str());
        QVERIFY(!listedBefore);
        QVERIFY(listedAfter);
    }

    void cancellingTheChooserLeavesTheFieldAlone() {
        QComboBox field;
        field.setEditable(true);
        field.addItem("/srv/old");
        field.setEditText("typed");
        bool opened = false;
        WhenChooserOpens(opened, [](TForm3& chooser) {
            chooser.ComboBox1()->setEditText("/elsewhere");
            chooser.findChild<QPushButton*>("BitBtn2")->click();
        });
        QVERIFY(!SpeedButton1Click(nullptr, &field));
        QVERIFY(opened);
        QCOMPARE(Items(&field), QStringList{"/srv/old"});
        QCOMPARE(field.currentText(), QString("typed"));
    }
};

QTEST_MAIN(FolderChoiceTest)
#include "FolderChoice_qtest.moc"
