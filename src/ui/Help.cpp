// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Help.h"

#include "Product.h"
#include "core/Language.h"
#include "fs/Folders.h"
#include "ui/HelpMessages.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>
#include <utility>

namespace arbolink {

namespace {

constexpr const char* kFirstPage = "/index.html";
// The English manual's folder inside the manual's.
constexpr const char* kEnglishFolder = "/en";

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
    const QString folders[] = {programFolder + QStringLiteral("/manual"),
                               QDir::cleanPath(programFolder + QLatin1Char('/') +
                                               QStringLiteral(ARBOLINK_INSTALLED_MANUAL))};
    QStringList pages;
    if (CurrentLanguage() == Language::English) {
        for (const QString& folder : folders) {
            pages << folder + QLatin1String(kEnglishFolder) + QLatin1String(kFirstPage);
        }
    }
    for (const QString& folder : folders) {
        pages << folder + QLatin1String(kFirstPage);
    }
    for (const QString& page : pages) {
        if (QFileInfo(page).isFile()) {
            return page;
        }
    }
    return pages.back();
}

QString ManualUrl() {
    return QUrl::fromLocalFile(ManualFilePath()).toString(QUrl::FullyEncoded);
}

void OpenHelpContents() {
    const QString page = ManualFilePath();
    if (!QFileInfo(page).isFile()) {
        ShowPlainMessage(Translated("arbolink::msg", msg::kManualMissing) + page);
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
    ShowPlainMessage(Translated("arbolink::msg", msg::kNothingOpened) + address);
    return false;
}

AddressOpener SetAddressOpener(AddressOpener opener) {
    return std::exchange(InstalledOpener(), std::move(opener));
}

} // namespace arbolink
