// SPDX-License-Identifier: GPL-3.0-or-later
// The folder tree on a fake mount table whose drives are temporary folders.
#include "support/FakeDriveTree_posix.h"
#include "support/MessageBoxWatch.h"
#include "support/TempFolder.h"
#include "widgets/FileClipboard.h"
#include "widgets/FolderTreeMessages.h"
#include "widgets/FolderTreeShell.h"
#include "widgets/FolderTreeViewEx.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

using namespace arbolink;
namespace stdfs = std::filesystem;

namespace {

constexpr const char* kUsbStick =
    "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
constexpr const char* kSataDisk =
    "pci0000:00/0000:00:1f.2/ata1/host0/target0:0:0/0:0:0:0/block/sda";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QTreeWidgetItem* NodeOf(TFolderTreeViewEx& tree, const std::string& path) {
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        FolderNodeData* data = TFolderTreeViewEx::NodeData(*it);
        if (data != nullptr && data->path == path) {
            return *it;
        }
    }
    return nullptr;
}

QStringList Labels(QTreeWidgetItem* parent) {
    QStringList labels;
    for (int i = 0; i < parent->childCount(); ++i) {
        labels.append(parent->child(i)->text(0));
    }
    return labels;
}

void Drop(TFolderTreeViewEx& tree, QTreeWidgetItem* node, const QStringList& files,
          Qt::KeyboardModifiers modifiers) {
    std::unique_ptr<QMimeData> data(NewFileListData(files, false));
    QPointF at = tree.visualItemRect(node).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                          modifiers);
    QCoreApplication::sendEvent(tree.viewport(), &enter);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(tree.viewport(), &drop);
}

void DragOver(TFolderTreeViewEx& tree, const QPoint& at, const QMimeData* data) {
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(tree.viewport(), &move);
}

} // namespace

class FolderTreeViewExTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::FakeDriveTree> drives;
    std::unique_ptr<test::TempFolder> home;
    std::string data;  // a fixed disk's mount point, labelled "DATA"
    std::string stick; // a USB stick's mount point, without a label
    std::unique_ptr<TFolderTreeViewEx> tree;

    void MakeTree() {
        tree = std::make_unique<TFolderTreeViewEx>();
        tree->resize(200, 150);
        tree->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree.get()));
    }
    QTreeWidgetItem* Node(const std::string& path) { return NodeOf(*tree, path); }
    std::string In(const std::string& relative) const { return data + "/" + relative; }
    void Make(const std::string& relative) const { stdfs::create_directories(In(relative)); }

private slots:
    void init() {
        home = std::make_unique<test::TempFolder>();
        qputenv("HOME", QByteArray::fromStdString(home->path()));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home->path() + "/share"));
        qunsetenv("XDG_CONFIG_HOME");
        drives = std::make_unique<test::FakeDriveTree>();
        drives->AddDisk(kSataDisk, "8:0", false);
        drives->AddPartition(kSataDisk, "sda1", "8:1");
        drives->AddLabel("DATA", "sda1");
        data = drives->Mount("data", "8:1", "ext4", "/dev/sda1");
        drives->AddDisk(kUsbStick, "8:16", false);
        drives->AddPartition(kUsbStick, "sdb1", "8:17");
        stick = drives->Mount("stick", "8:17", "vfat", "/dev/sdb1");
        drives->Mount("cgroup", "0:30", "cgroup2", "cgroup2");
        Make("Docs/2024/March");
        Make("Music");
        stdfs::create_directories(stick + "/photos");
        QGuiApplication::clipboard()->clear();
    }

    void cleanup() {
        tree.reset();
        drives.reset();
        home.reset();
    }

    void defaultTreeShowsTheComputerWithItsDrivesAndNothingSelected() {
        MakeTree();
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* computer = tree->topLevelItem(0);
        QCOMPARE(computer->text(0), QString::fromUtf8(treemsg::kComputer));
        QVERIFY(computer->isExpanded());
        QCOMPARE(Labels(computer), (QStringList{"/", "DATA", Q(stick)}));
        for (int i = 0; i < computer->childCount(); ++i) {
            QVERIFY(!computer->child(i)->isExpanded());
            QCOMPARE(computer->child(i)->childCount(), 0); // not listed before opened
        }
        QCOMPARE(tree->SelectedNode(), nullptr);
        QCOMPARE(tree->CurrentFolderName(), QString());
        QVERIFY(!tree->Loading());
        QCOMPARE(tree->iconSize(), QSize(16, 16));
    }

    void foldersAreListedWhenFirstOpened() {
        MakeTree();
        QTreeWidgetItem* drive = Node(data);
        QCOMPARE(drive->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        Make("Later");
        drive->setExpanded(true); // as a click on the arrow does
        QCOMPARE(Labels(drive), (QStringList{"Docs", "Later", "Music"}));
        QTreeWidgetItem* docs = Node(In("Docs"));
        QCOMPARE(docs->childCount(), 0);
        QCOMPARE(docs->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
        QCOMPARE(Node(In("Music"))->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
        Make("Docs/Added");
        tree->ExpandNode(docs);
        QCOMPARE(Labels(docs), (QStringList{"2024", "Added"}));
        // Listed once: what appears afterwards waits for a refresh.
        Make("Docs/Again");
        docs->setExpanded(false);
        docs->setExpanded(true);
        QCOMPARE(Labels(docs), (QStringList{"2024", "Added"}));
    }

    void foldersSortLikeAFileManagerWithDotFolders() {
        for (const char* name : {"banana", "Apple", "cherry", "file10", "file2", ".config",
                                 "System Volume Information", "system volume information"}) {
            Make(std::string("sorted/") + name);
        }
        stdfs::create_directory_symlink(In("Music"), In("sorted/link-to-music"));
        std::ofstream(In("sorted/readme.txt")) << "x";
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("sorted"))));
        QTreeWidgetItem* sorted = tree->SelectedNode();
        tree->ExpandNode(sorted);
        QCOMPARE(Labels(sorted), (QStringList{".config", "Apple", "banana", "cherry", "file2",
                                              "file10", "system volume information"}));
        tree->SetShowIncludeHidden(false);
        QVERIFY(tree->SelectPath(Q(In("sorted"))));
        tree->ExpandNode(tree->SelectedNode());
        QVERIFY(!Labels(tree->SelectedNode()).contains(".config"));
        QVERIFY(!tree->SelectPath(Q(In("sorted/.config"))));
    }

    void filesAreListedOnRequestFirstWithInfoViewSort() {
        std::ofstream(In("Docs/a.txt")) << "x";
        std::ofstream(In("Docs/b.JPG")) << "x";
        MakeTree();
        tree->SetShowFile(true);
        tree->SetFileMask({".jpg"});
        QVERIFY(tree->SelectPath(Q(In("Docs"))));
        tree->ExpandNode(tree->SelectedNode());
        QCOMPARE(Labels(tree->SelectedNode()), (QStringList{"2024", "b.JPG"}));
        tree->SetInfoViewSort(true);
        QVERIFY(tree->SelectPath(Q(In("Docs"))));
        tree->ExpandNode(tree->SelectedNode());
        QCOMPARE(Labels(tree->SelectedNode()), (QStringList{"b.JPG", "2024"}));
    }

    void selectPathFindsDriveRootsAndDeepFoldersAndRefusesTheRest() {
        MakeTree();
        QSignalSpy changes(tree.get(), &TFolderTreeViewEx::OnChange);
        bool busy = false;
        QMetaObject::Connection watch =
            connect(tree.get(), &TFolderTreeViewEx::OnChange, [this, &busy] {
                busy = tree->Loading() && QApplication::overrideCursor() != nullptr &&
                       QApplication::overrideCursor()->shape() == Qt::WaitCursor &&
                       !tree->updatesEnabled();
            });
        QVERIFY(tree->SelectPath(Q(data)));
        QVERIFY(busy); // the search ran in the busy state, and left it again
        QVERIFY(!tree->Loading());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QVERIFY(tree->updatesEnabled());
        disconnect(watch);
        QCOMPARE(tree->SelectedNode(), Node(data));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.front().front().toString(), Q(data));

        QVERIFY(tree->SelectPath(Q(In("Docs/2024/March/"))));
        QCOMPARE(tree->CurrentFolderName(), Q(In("Docs/2024/March")));
        QCOMPARE(changes.back().front().toString(), Q(In("Docs/2024/March")));
        QVERIFY(Node(In("Docs"))->isExpanded());
        QVERIFY(Node(In("Docs/2024"))->isExpanded());
        QVERIFY(!tree->SelectedNode()->isExpanded());

        tree->clearSelection();
        changes.clear();
        QVERIFY(!tree->SelectPath(Q(In("Music/missing/deeper"))));
        QVERIFY(Node(In("Music"))->isExpanded()); // the part that was found stays open
        QVERIFY(!tree->SelectPath(""));
        QVERIFY(!tree->SelectPath("relative/path"));
        QVERIFY(!tree->SelectPath(Q(In("Docs/../Music"))));
        QCOMPARE(tree->SelectedNode(), nullptr);
        QCOMPARE(changes.size(), 0);
        // With nothing selected the last name reported stands.
        QCOMPARE(tree->CurrentFolderName(), Q(In("Docs/2024/March")));

        QVERIFY(tree->SelectPath(Q(stick + "/photos")));
        QVERIFY(tree->SelectPath("/"));
        QCOMPARE(tree->SelectedNode(), Node("/"));
        tree->setCurrentItem(tree->topLevelItem(0));
        QCOMPARE(changes.back().front().toString(), QString()); // the computer has no path
    }

    void clicksReportTheFolderName() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Docs"))));
        QSignalSpy clicks(tree.get(), &TFolderTreeViewEx::OnClick);
        QSignalSpy doubleClicks(tree.get(), &TFolderTreeViewEx::OnDblClick);
        // Clicked near the start of its row: where the test folder lies deep (wherever TMPDIR
        // points) the row is wider than the view, and its centre lies outside it.
        const QRect row = tree->visualItemRect(Node(In("Music")));
        const QPoint music(row.left() + 4, row.center().y());
        QVERIFY(tree->viewport()->rect().contains(music));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, music);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.front().front().toString(), Q(In("Music")));
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, music);
        QCOMPARE(doubleClicks.size(), 1);
        QCOMPARE(doubleClicks.front().front().toString(), Q(In("Music")));
    }

    void driveTreeWithoutItsRootNodeListsTheDrivesAtTopLevel() {
        MakeTree();
        tree->SetShowRootFolder(false);
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(1)->text(0), QString("DATA"));
        QVERIFY(tree->SelectPath(Q(In("Docs/2024"))));
        QCOMPARE(tree->SelectedNode(), Node(In("Docs/2024")));
        tree->SetSelectedDir(sdSystem);
        QCOMPARE(tree->SelectedNode(), Node("/"));
        QVERIFY(Node("/")->isExpanded());
    }

    void otherRootsUseTheUsersFoldersOrFallBackToTheComputer() {
        stdfs::create_directories(home->path() + "/Desktop/on-desktop");
        MakeTree();
        tree->SetRootFolder(rfDesktop);
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->text(0), QString("Desktop"));
        QCOMPARE(Labels(tree->topLevelItem(0)), QStringList{"on-desktop"});
        QVERIFY(tree->SelectPath(Q(home->path() + "/Desktop/on-desktop")));
        QVERIFY(!tree->SelectPath(Q(In("Docs"))));

        tree->SetRootFolder(rfFavorites);
        QCOMPARE(tree->topLevelItem(0)->text(0), QString::fromUtf8(treemsg::kComputer));

        tree->SetRootFolderName(Q(In("Docs")));
        tree->SetRootFolder(rfManual);
        QCOMPARE(tree->topLevelItem(0)->text(0), QString("Docs"));
        QCOMPARE(Labels(tree->topLevelItem(0)), QStringList{"2024"});

        tree->SetShowRootFolder(false);
        tree->SetRootFolder(rf_Bitbucket);
        QVERIFY(tree->VirtualRoot());
        QVERIFY(tree->ShowRootFolder());
        QCOMPARE(tree->topLevelItemCount(), 1);
        QVERIFY(!tree->SelectPath(Q(In("Docs"))));
    }

    void updateTreeKeepsOpenFoldersSelectionAndScrollPosition() {
        for (int i = 0; i < 40; ++i) {
            Make("Many/folder" + std::to_string(i));
        }
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Docs/2024/March"))));
        QVERIFY(tree->SelectPath(Q(In("Many/folder0"))));
        QVERIFY(tree->SelectPath(Q(In("Docs/2024"))));
        tree->scrollToItem(Node(In("Many/folder20")), QAbstractItemView::PositionAtTop);
        int scroll = tree->verticalScrollBar()->value();
        QVERIFY(scroll > 0);
        Make("Docs/2024/April");
        Make("Many/folder20-new");
        QSignalSpy changes(tree.get(), &TFolderTreeViewEx::OnChange);

        tree->UpdateTree(tree->SelectedNode());

        QVERIFY(!tree->Loading());
        QCOMPARE(tree->SelectedNode(), Node(In("Docs/2024")));
        QVERIFY(Node(In("Docs"))->isExpanded());
        QVERIFY(Node(In("Docs/2024"))->isExpanded());
        QVERIFY(Node(In("Many"))->isExpanded());
        QVERIFY(Node(In("Docs/2024/April")) != nullptr);
        QVERIFY(Node(In("Many/folder20-new")) != nullptr);
        // April came in above, so the same node now stands at the top one row further down.
        QVERIFY(tree->verticalScrollBar()->value() > scroll);
        QCOMPARE(tree->itemAt(tree->viewport()->rect().topLeft()), Node(In("Many/folder20")));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.front().front().toString(), Q(In("Docs/2024")));
    }

    void menuOffersWhatTheNodeAllowsAndEmptySpaceShowsNone() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Docs"))));
        using V = std::vector<ShellVerb>;
        QVERIFY(VerbsOffered(*tree, tree->topLevelItem(0)).empty());
        QVERIFY((VerbsOffered(*tree, Node(data)) == V{ShellVerb::Copy, ShellVerb::CreateLink}));
        QVERIFY((VerbsOffered(*tree, Node(In("Docs"))) == V{ShellVerb::Cut, ShellVerb::Copy,
                                                            ShellVerb::CreateLink,
                                                            ShellVerb::Delete, ShellVerb::Rename}));
        QGuiApplication::clipboard()->setMimeData(NewFileListData({Q(In("Music"))}, false));
        QVERIFY((VerbsOffered(*tree, Node(data)) ==
                 V{ShellVerb::Copy, ShellVerb::Paste, ShellVerb::CreateLink}));

        QPoint below(5, tree->viewport()->height() - 2);
        QVERIFY(tree->itemAt(below) == nullptr);
        QContextMenuEvent click(QContextMenuEvent::Mouse, below,
                                tree->viewport()->mapToGlobal(below));
        QCoreApplication::sendEvent(tree->viewport(), &click);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }

    void rightClickShowsTheMenuAndRunsTheChosenCommand() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Music"))));
        QStringList captions;
        QTimer::singleShot(50, [&captions] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (QAction* action : menu->actions()) {
                captions.append(action->isSeparator() ? "-" : action->text());
                if (action->text() == QString::fromUtf8(treemsg::kMenuCopy)) {
                    menu->setActiveAction(action);
                }
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QPoint at = tree->visualItemRect(Node(In("Music"))).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(tree->viewport(), &click);
        QCOMPARE(captions, (QStringList{"切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "-",
                                        "リンクの作成(&S)", "ごみ箱へ移動(&D)", "名前の変更(&M)"}));
        const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(LocalFilesOf(clip), QStringList{Q(In("Music"))});
        QVERIFY(!IsCutData(clip));
        QCOMPARE(clip->data("x-special/gnome-copied-files"),
                 QByteArray("copy\nfile://") + QByteArray::fromStdString(In("Music")));
    }

    void clipboardDataCarriesTheCutMarkInEveryFileManagersForm() {
        const QString drop = "application/x-qt-windows-mime;value=\"Preferred DropEffect\"";
        std::unique_ptr<QMimeData> cut(NewFileListData({"/x/a"}, true));
        std::unique_ptr<QMimeData> copy(NewFileListData({"/x/a"}, false));
        QCOMPARE(cut->data(drop), QByteArray("\x02\0\0\0", 4));
        QCOMPARE(copy->data(drop), QByteArray("\x05\0\0\0", 4));
        QVERIFY(IsCutData(cut.get()));
        QVERIFY(!IsCutData(copy.get()));
        // Explorer's mark alone, as Windows puts files cut in Explorer on the clipboard.
        QMimeData explorer;
        explorer.setUrls({QUrl::fromLocalFile("/x/a")});
        explorer.setData(drop, QByteArray("\x02\0\0\0", 4));
        QVERIFY(IsCutData(&explorer));
        explorer.setData(drop, QByteArray("\x03\0\0\0", 4));
        QVERIFY(!IsCutData(&explorer));
        explorer.setData(drop, QByteArray("\x02", 1));
        QVERIFY(!IsCutData(&explorer));
    }

    void renameEndsInARealRenameAndATakenNameIsRefused() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Music"))));
        RunVerb(*tree, Node(In("Music")), ShellVerb::Rename);
        auto* editor = tree->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        editor->setText("音楽");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(Node(In("音楽")) != nullptr);
        QVERIFY(stdfs::is_directory(In("音楽")));
        QVERIFY(!stdfs::exists(In("Music")));
        QCOMPARE(tree->SelectedNode(), Node(In("音楽")));
        QVERIFY(!(Node(In("音楽"))->flags() & Qt::ItemIsEditable));

        RunVerb(*tree, Node(In("音楽")), ShellVerb::Rename);
        editor = tree->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor != nullptr);
        editor->setText("Docs");
        test::MessageBoxWatch watch;
        watch.Press("OK");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(watch.seen.size(), std::size_t{1});
        const test::SeenBox& box = watch.seen.front();
        QCOMPARE(box.caption, QString::fromUtf8(treemsg::kComponentCaption));
        QCOMPARE(box.text, QString("InvokeCommand failed!"));
        QVERIFY(box.informative.contains(QString::fromUtf8(treemsg::kReasonExists)));
        QCOMPARE(Node(In("音楽"))->text(0), QString("音楽"));
        QVERIFY(stdfs::is_directory(In("Docs/2024")));
    }

    void trashTakesTheFolderAwayAndItsNodeWithIt() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Music"))));
        std::ofstream(In("Music/song.ogg")) << "la";
        // The data folder does not exist yet: the trash must still not land in the
        // current folder.
        QVERIFY(!stdfs::exists(home->path() + "/share"));
        RunVerb(*tree, Node(In("Music")), ShellVerb::Delete);
        QVERIFY(!stdfs::exists(In("Music")));
        QVERIFY(!stdfs::exists("files/Music"));
        QVERIFY(stdfs::exists(home->path() + "/share/Trash/files/Music/song.ogg") ||
                stdfs::exists(data + "/.Trash-" + std::to_string(getuid()) + "/files/Music"));
        QCOMPARE(Node(In("Music")), nullptr);
        QCOMPARE(Labels(Node(data)), QStringList{"Docs"});
    }

    void copyAndPasteCopiesCutAndPasteMoves() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Docs"))));
        tree->ExpandNode(Node(In("Docs")));
        std::ofstream(In("Music/song.ogg")) << "la";
        RunVerb(*tree, Node(In("Music")), ShellVerb::Copy);
        RunVerb(*tree, Node(In("Docs")), ShellVerb::Paste);
        QVERIFY(stdfs::exists(In("Docs/Music/song.ogg")));
        QVERIFY(stdfs::exists(In("Music/song.ogg")));
        QVERIFY(Node(In("Docs/Music")) != nullptr); // the refresh lists it
        QCOMPARE(tree->SelectedNode(), Node(In("Docs")));
        RunVerb(*tree, Node(In("Docs")), ShellVerb::Paste); // again: a free name
        QVERIFY(stdfs::exists(In("Docs/Music (2)/song.ogg")));

        RunVerb(*tree, Node(In("Music")), ShellVerb::Cut);
        QVERIFY(IsCutData(QGuiApplication::clipboard()->mimeData()));
        RunVerb(*tree, Node(stick), ShellVerb::Paste);
        QVERIFY(stdfs::exists(stick + "/Music/song.ogg"));
        QVERIFY(!stdfs::exists(In("Music")));
        QVERIFY(LocalFilesOf(QGuiApplication::clipboard()->mimeData()).isEmpty());
        QCOMPARE(Node(In("Music")), nullptr);
    }

    void pasteOfAFolderIntoItselfIsRefusedAndTold() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Docs/2024"))));
        RunVerb(*tree, Node(In("Docs")), ShellVerb::Cut);
        test::MessageBoxWatch watch;
        watch.Press("OK");
        RunVerb(*tree, Node(In("Docs/2024")), ShellVerb::Paste);
        QCOMPARE(watch.seen.size(), std::size_t{1});
        const test::SeenBox& box = watch.seen.front();
        QVERIFY(box.informative.contains(QString::fromUtf8(treemsg::kReasonIntoItself)));
        QVERIFY(stdfs::is_directory(In("Docs/2024/March")));
        QVERIFY(!stdfs::exists(In("Docs/2024/Docs")));
    }

    void createLinkPutsALinkBesideTheFolder() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Music"))));
        RunVerb(*tree, Node(In("Music")), ShellVerb::CreateLink);
        std::string link = In("Music へのリンク");
        QVERIFY(stdfs::is_symlink(link));
        QCOMPARE(Q(stdfs::read_symlink(link).string()), Q(In("Music")));
        QCOMPARE(Node(link), nullptr); // the tree never lists links to folders
    }

    void aDroppedFileIsMovedAndWithCtrlCopied() {
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Docs"))));
        std::ofstream(In("Music/song.ogg")) << "la";
        std::ofstream(In("Music/other.ogg")) << "la";
        Drop(*tree, Node(In("Docs")), {Q(In("Music/song.ogg"))}, Qt::NoModifier);
        QVERIFY(stdfs::exists(In("Docs/song.ogg")));
        QVERIFY(!stdfs::exists(In("Music/song.ogg")));

        Drop(*tree, Node(In("Docs")), {Q(In("Music/other.ogg"))}, Qt::ControlModifier);
        QVERIFY(stdfs::exists(In("Docs/other.ogg")));
        QVERIFY(stdfs::exists(In("Music/other.ogg")));

        Drop(*tree, Node(In("Docs")), {Q(In("Music/other.ogg")), Q(In("Docs/song.ogg"))},
             Qt::NoModifier);
        QVERIFY(stdfs::exists(In("Music/other.ogg")));
        QVERIFY(stdfs::exists(In("Docs/song.ogg")));
        QVERIFY(!stdfs::exists(In("Docs/other (2).ogg")));
    }

    void aDropOnTheComputerIsRefusedWithTheComponentsMessage() {
        MakeTree();
        std::ofstream(In("Music/song.ogg")) << "la";
        test::MessageBoxWatch watch;
        watch.Press("OK");
        Drop(*tree, tree->topLevelItem(0), {Q(In("Music/song.ogg"))}, Qt::NoModifier);
        QCOMPARE(watch.seen.size(), std::size_t{1});
        const test::SeenBox& box = watch.seen.front();
        QCOMPARE(box.caption, QString(" FolderTreeViewEx component version 2.11"));
        QCOMPARE(box.text, QString("This Folder is SpecialFolder \r   Can not Copy or Paste!"));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QStringList{"OK"});
        QCOMPARE(watch.unexpected, 0);
        QVERIFY(stdfs::exists(In("Music/song.ogg")));
    }

    void aWaitingDragOpensAFolderButNotARemovableDrive() {
        MakeTree();
        auto* hover = tree->findChild<QTimer*>("hoverTimer");
        QVERIFY(hover != nullptr);
        QCOMPARE(hover->interval(), 1500);
        hover->setInterval(0); // the wait itself is not what is tested here
        std::unique_ptr<QMimeData> dragged(NewFileListData({Q(In("Music"))}, false));
        QDragEnterEvent enter(QPoint(1, 1), Qt::MoveAction, dragged.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &enter);

        DragOver(*tree, tree->visualItemRect(Node(data)).center(), dragged.get());
        QTRY_VERIFY(Node(data)->isExpanded());
        QVERIFY(Node(In("Docs")) != nullptr);

        DragOver(*tree, tree->visualItemRect(Node(stick)).center(), dragged.get());
        QTest::qWait(20);
        QVERIFY(!Node(stick)->isExpanded());
    }

    void aDragAtTheBottomEdgeScrollsLineByLine() {
        for (int i = 0; i < 30; ++i) {
            Make("Many/folder" + std::to_string(i));
        }
        MakeTree();
        QVERIFY(tree->SelectPath(Q(In("Many/folder0"))));
        tree->scrollToTop();
        auto* scroll = tree->findChild<QTimer*>("scrollTimer");
        QVERIFY(scroll != nullptr);
        QCOMPARE(scroll->interval(), 200);
        std::unique_ptr<QMimeData> dragged(NewFileListData({Q(In("Music"))}, false));
        QDragEnterEvent enter(QPoint(1, 1), Qt::MoveAction, dragged.get(), Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        QRect client = tree->viewport()->rect();
        DragOver(*tree, QPoint(client.center().x(), client.bottom() - 11), dragged.get());
        QVERIFY(scroll->isActive());
        QCOMPARE(tree->verticalScrollBar()->value(), 0);
        QMetaObject::invokeMethod(scroll, "timeout");
        QMetaObject::invokeMethod(scroll, "timeout");
        QCOMPARE(tree->verticalScrollBar()->value(), 2 * tree->verticalScrollBar()->singleStep());
        DragOver(*tree, QPoint(client.center().x(), client.bottom() - 12), dragged.get());
        QVERIFY(!scroll->isActive());
    }
};

QTEST_MAIN(FolderTreeViewExTest)
#include "FolderTreeViewEx_qtest.moc"
