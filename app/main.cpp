// SPDX-License-Identifier: GPL-3.0-or-later
// The Arbolink program: the application object, the main window and the event loop.
#include "Product.h"
#include "ProgramMessages.h"
#include "core/Language.h"
#include "core/ProductMessages.h"
#include "fs/Folders.h"
#include "ui/Glyphs.h"
#include "ui/Help.h"
#include "ui/IniFile.h"
#include "ui/MainWindow.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

bool IsOption(const char* argument, const char* shortName, const char* longName) {
    return std::strcmp(argument, shortName) == 0 || std::strcmp(argument, longName) == 0;
}

// A text of ProgramMessages.h in the program's language, in UTF-8, as the program has always
// written it.
QByteArray ProgramText(const char* message) {
    return arbolink::TranslatedIn(arbolink::CurrentLanguage(), "arbolink::Program", message)
        .toUtf8();
}

void PrintUsage() {
    std::fputs(ProgramText(arbolink::msg::kUsage).constData(), stdout);
    const QString page = arbolink::ManualFilePath();
    const bool found = QFileInfo(page).isFile();
    std::printf("%s%s\n",
                ProgramText(found ? arbolink::msg::kManualFound : arbolink::msg::kManualNotFound)
                    .constData(),
                page.toLocal8Bit().constData());
}

void PrintVersion() {
    std::printf("%s %s\n%s\n%s", arbolink::kProductName, arbolink::kVersionText,
                arbolink::kCopyrightLine, arbolink::kLicenceNotice.c_str());
}

// --help and --version are answered before the application object exists, so that they need
// no display. Answers the exit status when one of them was given.
std::optional<int> AnswerInformationOptions(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (IsOption(argv[i], "-h", "--help")) {
            PrintUsage();
        } else if (IsOption(argv[i], "-V", "--version")) {
            PrintVersion();
        } else {
            continue;
        }
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[]) {
    // Chosen once, before anything is written: --help speaks it too.
    arbolink::UseLanguage(arbolink::SystemLanguage());
    if (const std::optional<int> status = AnswerInformationOptions(argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    // The window speaks the language the core's messages were chosen in.
    arbolink::InstallTranslator(arbolink::CurrentLanguage());
    // The application's title. No display name is set: Qt would append it to the caption
    // of every dialog ("警告 — Arbolink"), and the captions are the system's own.
    QApplication::setApplicationName(QString::fromUtf8(arbolink::kProductName));
    QApplication::setApplicationVersion(QString::fromUtf8(arbolink::kVersionNumber));
    // Lets the desktop match the windows with the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ARBOLINK_APP_ID));
    QApplication::setWindowIcon(arbolink::ProgramIcon());

    arbolink::TForm1 form(arbolink::SettingsFilePath(arbolink::ProgramFilePath()));
    form.show();
    return QApplication::exec();
}
