// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Draws the program's picture and writes every file made from it: the PNG
// built into the program, the Windows icon and the desktop icons. The output
// is committed; run this after changing the picture:
//     makeicons <source>/res

#include "iconpicture.h"
#include "icowriter.h"
#include "indexedimage.h"
#include "pngwriter.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <cstdio>

namespace {

bool writeFile(const QString &path, const QByteArray &contents)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        std::fprintf(stderr, "makeicons: cannot create the folder of %s\n", qPrintable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        std::fprintf(stderr, "makeicons: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

QByteArray windowsIcon()
{
    IcoWriter icon;
    for (const int bits : {4, 8}) {
        for (const int size : {48, 32, 16})
            icon.addPaletteBitmap(IconPicture::draw(size), bits);
    }
    icon.addPng(IconPicture::draw(256));
    for (const int size : {48, 32, 16})
        icon.addTrueColourBitmap(IconPicture::draw(size));
    return icon.file();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));

    bool ok = writeFile(out.filePath(QStringLiteral("Quorvane.png")),
                        PngWriter::indexed(IndexedImage::fromImage(IconPicture::draw(96), 256)));
    ok = writeFile(out.filePath(QStringLiteral("Quorvane.ico")), windowsIcon()) && ok;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral("linux/icons/hicolor/%1x%1/apps/org.quorvane.Quorvane.png").arg(size);
        ok = writeFile(out.filePath(path), PngWriter::rgba(IconPicture::draw(size))) && ok;
    }
    return ok ? 0 : 1;
}
