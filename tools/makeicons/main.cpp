// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Draws the program's picture at every size that its icons need, as RGBA
// PNG files named SIZE.png. update-icons.sh makes the committed icons from
// them with ImageMagick and icotool.
//     makeicons OUTPUT-FOLDER

#include "iconpicture.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "makeicons: cannot create %s\n", argv[1]);
        return 1;
    }
    bool ok = true;
    for (const int size : {16, 24, 32, 48, 64, 96, 128, 256}) {
        const QString path = out.filePath(QStringLiteral("%1.png").arg(size));
        if (!IconPicture::draw(size).save(path, "PNG")) {
            std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
