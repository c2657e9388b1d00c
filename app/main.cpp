// The Arbolink program: the application object, the main window and the event loop.
#include "Product.h"
#include "fs/Folders.h"
#include "ui/IniFile.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The application's title. No display name is set: Qt would append it to the caption
    // of every dialog ("警告 — Arbolink"), and the captions are the system's own.
    QApplication::setApplicationName(QString::fromUtf8(arbolink::kProductName));

    arbolink::TForm1 form(arbolink::SettingsFilePath(arbolink::ProgramFilePath()));
    form.show();
    return QApplication::exec();
}
