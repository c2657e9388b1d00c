#include "ui/Help.h"

#include "Product.h"
#include "fs/Folders.h"
#include "fs/Shell.h"
#include "ui/HelpMessages.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace arbolink {

QString ManualFilePath() {
    const QFileInfo program(QString::fromStdString(ProgramFilePath()));
    return program.absolutePath() + QStringLiteral("/manual/index.html");
}

QString ManualUrl() {
    return QUrl::fromLocalFile(ManualFilePath()).toString(QUrl::FullyEncoded);
}

void OpenHelpContents() {
    const QString page = ManualFilePath();
    if (!QFileInfo(page).isFile()) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kProductName),
                        QString::fromUtf8(msg::kManualMissing) + page, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
        return;
    }
    OpenUrl(ManualUrl().toStdString());
}

} // namespace arbolink
