// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Help.h"

#include "Product.h"
#include "fs/Folders.h"
#include "ui/HelpMessages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <utility>

namespace arbolink {

namespace {

constexpr const char* kFirstPage = "/index.html";

AddressOpener& InstalledOpener() {
    static AddressOpener opener;
    return opener;
}

void ShowPlainMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kProductName), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace

QString ManualFilePath() {
    const QString programFolder =
        QFileInfo(QString::fromStdString(ProgramFilePath())).absolutePath();
    const QString beside = programFolder + QStringLiteral("/manual") + QLatin1String(kFirstPage);
    if (QFileInfo(beside).isFile()) {
        return beside;
    }
    return QDir::cleanPath(programFolder + QLatin1Char('/') +
                           QStringLiteral(ARBOLINK_INSTALLED_MANUAL) + QLatin1String(kFirstPage));
}

QString ManualUrl() {
    return QUrl::fromLocalFile(ManualFilePath()).toString(QUrl::FullyEncoded);
}

void OpenHelpContents() {
    const QString page = ManualFilePath();
    if (!QFileInfo(page).isFile()) {
        ShowPlainMessage(QString::fromUtf8(msg::kManualMissing) + page);
        return;
    }
    OpenAddress(ManualUrl());
}

bool OpenAddress(const QString& address) {
    const QUrl url(address);
    const AddressOpener& opener = InstalledOpener();
    if (opener ? opener(url) : QDesktopServices::openUrl(url)) {
        return true;
    }
    ShowPlainMessage(QString::fromUtf8(msg::kNothingOpened) + address);
    return false;
}

AddressOpener SetAddressOpener(AddressOpener opener) {
    return std::exchange(InstalledOpener(), std::move(opener));
}

} // namespace arbolink
