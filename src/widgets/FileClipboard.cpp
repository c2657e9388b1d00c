// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/FileClipboard.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

namespace arbolink {

namespace {

const char* const kGnomeFormat = "x-special/gnome-copied-files";
const char* const kKdeCutFormat = "application/x-kde-cutselection";

} // namespace

QMimeData* NewFileListData(const QStringList& paths, bool cut) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    QByteArray gnome = cut ? "cut" : "copy";
    for (const QString& path : paths) {
        QUrl url = QUrl::fromLocalFile(path);
        urls.append(url);
        gnome += "\n" + url.toEncoded();
    }
    data->setUrls(urls);
    data->setData(kGnomeFormat, gnome);
    data->setData(kKdeCutFormat, cut ? "1" : "0");
    data->setText(paths.join('\n'));
    return data;
}

QStringList LocalFilesOf(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

bool IsCutData(const QMimeData* data) {
    if (data == nullptr) {
        return false;
    }
    if (data->hasFormat(kGnomeFormat)) {
        return data->data(kGnomeFormat).split('\n').value(0).trimmed() == "cut";
    }
    return data->data(kKdeCutFormat).trimmed() == "1";
}

} // namespace arbolink
