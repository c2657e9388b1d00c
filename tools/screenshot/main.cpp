// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the program for the manual: the main window, and the progress dialog in its
// two layouts as a real divide of a small sample folder shows them.
//
//   arbolink-screenshot OUTPUT_FOLDER
//
// Writes main-window.png, file-menu.png, help-menu.png, options.png, folder-chooser.png,
// about.png, progress-planning.png, progress-copying.png and progress-burning.png, in the language
// of the environment as the program chooses it (LANGUAGE=en for the English manual's pictures). The
// questions of the divide are answered by themselves (OK, Yes) and printed instead of shown.
#include "core/Language.h"
#include "core/divide/SplitCommand.h"
#include "fs/Burner.h"
#include "ui/AboutBox.h"
#include "ui/FolderChoice.h"
#include "ui/IniFile.h"
#include "ui/MainWindow.h"
#include "ui/OptionsDialog.h"
#include "ui/ProgressForm.h"
#include "ui/QtHost.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using namespace arbolink;

void Save(QWidget& widget, const QString& path) {
    if (!widget.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    std::printf("%s\n", qPrintable(path));
}

// A real progress dialog, pictured just before the operation releases it.
class PicturedDialog : public ProgressDialog {
public:
    PicturedDialog(std::unique_ptr<ProgressDialog> dialog, QString path)
        : dialog_(std::move(dialog)), path_(std::move(path)) {}
    ~PicturedDialog() override {
        if (!path_.isEmpty()) {
            Save(*dynamic_cast<TForm4*>(dialog_.get()), path_);
        }
    }
    void SetCaption(const std::string& caption) override { dialog_->SetCaption(caption); }
    void SetOuterSize(int width, int height) override { dialog_->SetOuterSize(width, height); }
    void SetAnimation(Animation clip, int left, int top, bool playing) override {
        dialog_->SetAnimation(clip, left, top, playing);
    }
    void SetMessage(const Box& box, TextAlignment alignment, const std::string& text) override {
        dialog_->SetMessage(box, alignment, text);
    }
    void SetStage(const std::string& text) override { dialog_->SetStage(text); }
    void PlaceGauge(int left, int top) override { dialog_->PlaceGauge(left, top); }
    void SetGauge(int percent) override { dialog_->SetGauge(percent); }
    void Show() override { dialog_->Show(); }
    void Repaint() override { dialog_->Repaint(); }
    bool CancelRequested() const override { return dialog_->CancelRequested(); }

private:
    std::unique_ptr<ProgressDialog> dialog_;
    QString path_;
};

// The Qt Host of the main window, except that questions answer themselves.
class PicturingHost : public QtHost {
public:
    // pictures: the file of each progress dialog in turn, empty for one not pictured.
    PicturingHost(const MainWindowControls& controls, QString folder, QStringList pictures)
        : QtHost(controls), folder_(std::move(folder)), pictures_(std::move(pictures)) {}

    Button ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) override {
        std::printf("[%s] %s\n", CaptionOf(kind), text.c_str());
        return buttons.empty() ? Button::Ok : buttons.front();
    }
    void Beep() override {}
    std::unique_ptr<ProgressDialog> CreateProgressDialog() override {
        const QString name = dialogs_ < pictures_.size() ? pictures_[dialogs_] : QString();
        const QString path = name.isEmpty() ? QString() : folder_ + QLatin1Char('/') + name;
        ++dialogs_;
        return std::make_unique<PicturedDialog>(QtHost::CreateProgressDialog(), path);
    }

private:
    QString folder_;
    QStringList pictures_;
    qsizetype dialogs_ = 0;
};

void WriteSample(const QString& path, int bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(bytes, 'a')) != bytes) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

void WriteSettings(const std::string& path, const Settings& settings) {
    std::string failure;
    if (!SaveSettings(path, settings, failure)) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::exit(1);
    }
}

template <typename T> T* Child(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

// A sample folder's name in the pictures' language.
QString SampleName(const char* name) {
    return Translated("arbolink::Screenshot", name);
}

// A menu of the main window as it drops down.
void SaveMenu(TForm1& form, const char* name, const QString& path) {
    QMenu* menu = Child<QMenu>(form, name);
    menu->popup(form.mapToGlobal(QPoint(0, 0)));
    QApplication::processEvents();
    Save(*menu, path);
    menu->hide();
}

// The menus of the main window and the dialogs it opens, each as it first shows itself.
void SaveDialogs(TForm1& form, const QString& output) {
    SaveMenu(form, "File1", output + QStringLiteral("/file-menu.png"));
    SaveMenu(form, "Help1", output + QStringLiteral("/help-menu.png"));
    std::int32_t percent = form.session().FreeSpacePercent;
    TfOption options(percent, &form);
    options.show();
    QApplication::processEvents();
    Save(options, output + QStringLiteral("/options.png"));
    TForm3 chooser(&form);
    chooser.show();
    QApplication::processEvents();
    Save(chooser, output + QStringLiteral("/folder-chooser.png"));
    TAboutBox about(&form);
    about.show();
    QApplication::processEvents();
    Save(about, output + QStringLiteral("/about.png"));
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arbolink"));
    UseLanguage(SystemLanguage());
    InstallTranslator(CurrentLanguage());
    if (argc != 2) {
        std::fprintf(stderr, "usage: arbolink-screenshot OUTPUT_FOLDER\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);

    QTemporaryDir work;
    // The main window as a user would see it: folders in a home folder, and a split
    // destination whose free space can be read.
    const QString photos = SampleName(QT_TRANSLATE_NOOP("arbolink::Screenshot", "写真"));
    const QString restored = SampleName(QT_TRANSLATE_NOOP("arbolink::Screenshot", "復元"));
    Settings shown;
#ifdef _WIN32
    shown.source = (QStringLiteral("C:\\Users\\user\\Pictures\\") + photos).toStdString();
    shown.dest = (QStringLiteral("C:\\Users\\user\\") + restored).toStdString();
#else
    shown.source = (QStringLiteral("/home/user/") + photos).toStdString();
    shown.dest = (QStringLiteral("/home/user/") + restored).toStdString();
#endif
    shown.divide = QDir::toNativeSeparators(QDir::tempPath()).toStdString();
    const std::string shownPath = work.filePath(QStringLiteral("shown.ini")).toStdString();
    WriteSettings(shownPath, shown);
    {
        TForm1 form(shownPath);
        form.show();
        QApplication::processEvents();
        Save(form, output + QStringLiteral("/main-window.png"));
        SaveDialogs(form, output);
    }

    // A real divide of a sample folder, for the progress dialog's two layouts.
    const QString source = work.filePath(photos);
    const QString disk = work.filePath(QStringLiteral("disk"));
    for (int i = 0; i < 40; ++i) {
        WriteSample(source + QStringLiteral("/2023/img%1.jpg").arg(i), 2000 + i);
    }
    QDir().mkpath(disk);
    Settings sample;
    sample.source = source.toStdString();
    sample.divide = disk.toStdString();
    const std::string samplePath = work.filePath(QStringLiteral("sample.ini")).toStdString();
    WriteSettings(samplePath, sample);
    TForm1 form(samplePath);
    form.show();
    QApplication::processEvents();

    const MainWindowControls controls{
        &form, Child<QComboBox>(form, "ComboBox1"), Child<QComboBox>(form, "ComboBox2"),
        Child<QComboBox>(form, "ComboBox3"), Child<QCheckBox>(form, "CheckBox1")};
    PicturingHost host(
        controls, output,
        {QStringLiteral("progress-planning.png"), QStringLiteral("progress-copying.png")});
    BitBtn2Click(form.session(), host);

    // The same divide burnt into an image file, for the burn's dialog.
    if (BurningBuilt()) {
        qputenv("XDG_CACHE_HOME", work.filePath(QStringLiteral("cache")).toUtf8());
        controls.destination->setEditText(QStringLiteral("stdio:") +
                                          work.filePath(QStringLiteral("set.iso")));
        PicturingHost burning(controls, output,
                              {QString(), QString(), QStringLiteral("progress-burning.png")});
        BitBtn2Click(form.session(), burning);
    }
    return 0;
}
