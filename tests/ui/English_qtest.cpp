// SPDX-License-Identifier: GPL-3.0-or-later
// The window in English, started the way the program starts: the language chosen from
// LANGUAGE for the core, the catalogue installed for the window from that same choice. Every
// text of the main window, its menus and its dialogs is English, fits the room it is given,
// and is drawn in the desktop's font; the Host's questions carry English buttons; the folder
// tree and its command menu are English; Help opens the English manual where there is one.
#include "support/MessageBoxWatch.h"
#include "ui/AboutBox.h"
#include "ui/FolderChoice.h"
#include "ui/Fonts.h"
#include "ui/Help.h"
#include "ui/IniFile.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/ProgressForm.h"
#include "ui/QtHost.h"
#include "ui/Translation.h"
#include "widgets/FolderTreeViewEx.h"
#include "widgets/StaticText.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace arbolink;
using arbolink::test::MessageBoxWatch;

namespace {

template <typename T = QWidget> T* Child(QWidget& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        qFatal("no child %s", name);
    }
    return child;
}

// Kana, kanji, the ideographic space and the half-width katakana of the Japanese captions.
bool HoldsJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) {
            return true;
        }
    }
    return false;
}

// Every text a user reads in the window: its title, labels, buttons, check boxes and the
// items of its menus, each named by where it is.
QStringList TextsOf(QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        texts << label->objectName() + QStringLiteral(": ") + label->text();
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        texts << button->objectName() + QStringLiteral(": ") + button->text() + button->toolTip();
    }
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        texts << menu->objectName() + QStringLiteral(": ") + menu->title();
        for (const QAction* item : menu->actions()) {
            texts << item->objectName() + QStringLiteral(": ") + item->text();
        }
    }
    return texts;
}

// The room a push button's text and icon take inside its frame. Not its size hint: the style
// asks a minimum width of every button with a text, which the designed buttons need not have.
int PushButtonNeeds(const QPushButton& button) {
    const QStyle* style = button.style();
    const int icon = button.icon().isNull() ? 0 : button.iconSize().width() + 4;
    return button.fontMetrics().horizontalAdvance(QString(button.text()).remove(u'&')) + icon +
           style->pixelMetric(QStyle::PM_ButtonMargin) +
           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

// The labels, buttons, check boxes and text blocks whose text needs more room than they have.
QStringList CutOff(QWidget& window) {
    QStringList cut;
    auto check = [&cut](const QWidget* widget, const QString& text, int needed, int room) {
        if (!text.isEmpty() && widget->isVisibleTo(widget->window()) && needed > room) {
            cut << QStringLiteral("%1 \"%2\": %3 of room, needs %4")
                       .arg(widget->objectName(), text)
                       .arg(room)
                       .arg(needed);
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->wordWrap()) {
            check(label, label->text(), label->sizeHint().width(), label->width());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const auto* push = qobject_cast<const QPushButton*>(button);
        check(button, button->text(), push ? PushButtonNeeds(*push) : button->sizeHint().width(),
              button->width());
    }
    // A text block shows its lines one font height apart, and wraps a line too wide.
    for (const TStaticText* block : window.findChildren<TStaticText*>()) {
        const QStringList lines = block->Text().split(u'\n');
        const QRect room = block->contentsRect();
        for (const QString& line : lines) {
            check(block, line, block->fontMetrics().horizontalAdvance(line), room.width());
        }
        check(block, block->Text(), int(lines.size()) * QFontInfo(block->font()).pixelSize(),
              room.height());
    }
    return cut;
}

} // namespace

class EnglishTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseLanguage(SystemLanguage());
        QVERIFY(InstallTranslator(CurrentLanguage()));
    }

    void theCoreTheWindowAndQtAgreeOnEnglish() {
        QCOMPARE(CurrentLanguage(), Language::English);
        QVERIFY(QLocale::system().uiLanguages().value(0).startsWith(QStringLiteral("en")));
        QCOMPARE(Translated("arbolink::Host", "警告"), QStringLiteral("Warning"));
        // The faces the layouts were drawn for are Japanese; English takes the desktop's.
        QCOMPARE(GothicFont(12).family(), QGuiApplication::font().family());
        QCOMPARE(GothicFont(12).pixelSize(), 12);
    }

    void theMainWindowAndItsMenusAreEnglishAndFit() {
        QTemporaryDir dir;
        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(Child<QMenu>(form, "File1")->title(), QStringLiteral("&File"));
        QCOMPARE(Child<QMenu>(form, "Help1")->title(), QStringLiteral("&Help"));
        QCOMPARE(Child<QAction>(form, "N1")->text(), QStringLiteral("&Divide"));
        QCOMPARE(Child<QAction>(form, "Exit1")->text(), QStringLiteral("E&xit"));
        QCOMPARE(Child<QPushButton>(form, "BitBtn2")->text().trimmed(), QStringLiteral("Divide"));
        QCOMPARE(Child<QLabel>(form, "Label1")->text(), QStringLiteral("Source folder"));
        for (const QString& text : TextsOf(form)) {
            QVERIFY2(!HoldsJapanese(text), qPrintable(text));
        }
        const QStringList cut = CutOff(form);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        // A field without a unit shows none; the read-out's units are the catalogue's.
        Child<QComboBox>(form, "ComboBox2")->setEditText(dir.path());
        QVERIFY(QStringList({"GB", "MB", "KB", "bytes"})
                    .contains(Child<QLabel>(form, "Label5")->text()));
    }

    void theWindowsQuestionsHaveEnglishButtons() {
        QTemporaryDir dir;
        TForm1 form(dir.filePath(QStringLiteral("arbolink.ini")).toStdString());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        MessageBoxWatch watch;
        watch.Press(QStringLiteral("&No"));
        auto* field = Child<QComboBox>(form, "ComboBox1");
        field->setFocus();
        field->setEditText(dir.filePath(QStringLiteral("missing")));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(watch.seen.size(), std::size_t(1));
        QCOMPARE(watch.seen[0].caption, QStringLiteral("Confirm"));
        QCOMPARE(watch.seen[0].text, QStringLiteral("The folder does not exist.\n\nCreate it?"));
        QCOMPARE(watch.seen[0].buttons, QStringList({"&Yes", "&No"}));
        QCOMPARE(watch.unexpected, 0);
        QVERIFY(!QDir(dir.filePath(QStringLiteral("missing"))).exists());
    }

    void theDialogsAreEnglishAndFit() {
        std::int32_t percent = 95;
        TfOption options(percent);
        TForm3 chooser;
        TAboutBox about(
            nullptr, {QStringLiteral("https://a.example/"), QStringLiteral("someone@a.example")});
        TForm4 progress;
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{&options, &chooser, &about, &progress}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            for (const QString& text : TextsOf(*dialog)) {
                QVERIFY2(!HoldsJapanese(text), qPrintable(dialog->objectName() + text));
            }
            const QStringList cut = CutOff(*dialog);
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
        }
        QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(Child<QPushButton>(options, "BitBtn2")->text(), QStringLiteral("Cancel"));
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Choose Folder"));
        QCOMPARE(about.windowTitle(), QStringLiteral("About Arbolink"));
        QCOMPARE(Child<QPushButton>(progress, "BitBtn1")->text(), QStringLiteral("Cancel"));
    }

    void theFolderTreeAndItsCommandMenuAreEnglish() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Music")));
        TForm3 chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        TFolderTreeViewEx* tree = chooser.Folder();
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Computer"));
        QVERIFY(tree->SelectPath(dir.filePath(QStringLiteral("Music"))));
        QStringList captions;
        QTimer::singleShot(50, [&captions] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            for (const QAction* action : menu->actions()) {
                captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
            }
            menu->close();
        });
        const QPoint at = tree->visualItemRect(tree->currentItem()).center();
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, tree->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(tree->viewport(), &click);
        QCOMPARE(captions, (QStringList{"Cu&t", "&Copy", "&Paste", "-", "Create &Link",
                                        "Move to Tr&ash", "&Rename"}));
    }

    void helpOpensTheEnglishManualWhereThereIsOne() {
        const QString manual = QCoreApplication::applicationDirPath() + QStringLiteral("/manual");
        const QString japanese = manual + QStringLiteral("/index.html");
        const QString english = manual + QStringLiteral("/en/index.html");
        QVERIFY(QDir().mkpath(manual + QStringLiteral("/en")));
        for (const QString& page : {japanese, english}) {
            QFile file(page);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(ManualFilePath(), english);
        QVERIFY(QFile::remove(english));
        QCOMPARE(ManualFilePath(), japanese);
        QDir(manual).removeRecursively();
    }
};

// LANGUAGE is read before the application exists, as Qt reads it for QLocale::system().
int main(int argc, char* argv[]) {
    qputenv("LANGUAGE", "en_GB:ja");
    QApplication application(argc, argv);
    EnglishTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "English_qtest.moc"
