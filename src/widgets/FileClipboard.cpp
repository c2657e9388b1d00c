// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/FileClipboard.h"

#include <QList>
#include <QMimeData>
#include <QUrl>

namespace arbolink {

namespace {

const char* const kGnomeFormat = "x-special/gnome-copied-files";
const char* const kKdeCutFormat = "application/x-kde-cutselection";
// Windows Explorer's mark, a 32-bit DROPEFFECT value, under the name Qt gives a Windows
// clipboard format; the URI list itself reaches Windows as CF_HDROP through Qt.
const char* const kDropEffectFormat =
    "application/x-qt-windows-mime;value=\"Preferred DropEffect\"";
constexpr quint32 kDropEffectCopy = 1;
constexpr quint32 kDropEffectMove = 2;
constexpr quint32 kDropEffectLink = 4;

QByteArray DropEffectBytes(quint32 effect) {
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((effect >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// The DROPEFFECT value of the data; -1 when it carries none.
qint64 DropEffectOf(const QMimeData* data) {
    const QByteArray bytes = data->data(kDropEffectFormat);
    if (bytes.size() < 4) {
        return -1;
    }
    quint32 effect = 0;
    for (int i = 0; i < 4; ++i) {
        effect |= static_cast<quint32>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return effect;
}

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
    data->setData(kDropEffectFormat,
                  DropEffectBytes(cut ? kDropEffectMove : kDropEffectCopy | kDropEffectLink));
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
    const qint64 effect = DropEffectOf(data);
    if (effect >= 0) {
        return (effect & kDropEffectMove) != 0 && (effect & kDropEffectCopy) == 0;
    }
    if (data->hasFormat(kGnomeFormat)) {
        return data->data(kGnomeFormat).split('\n').value(0).trimmed() == "cut";
    }
    return data->data(kKdeCutFormat).trimmed() == "1";
}

} // namespace arbolink
