// The Arbolink program: the application object, the main window and the event loop.
#include "Product.h"
#include "fs/Folders.h"
#include "ui/IniFile.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The title names the program in the task bar and captions its plain message boxes.
    QApplication::setApplicationName(QString::fromUtf8(arbolink::kProductName));
    QApplication::setApplicationDisplayName(QString::fromUtf8(arbolink::kProductName));

    arbolink::TForm1 form(arbolink::SettingsFilePath(arbolink::ProgramFilePath()));
    form.show();
    return QApplication::exec();
}
