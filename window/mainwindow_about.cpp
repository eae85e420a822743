// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The About box and its entry in the window's system menu.

#include "mainwindow.h"

#include "windowplatform.h"

#include <QMessageBox>
#include <QPixmap>

namespace {

// "GCC 12.2.0", from the compiler's own macros, so the box names the compiler
// that really built this program.
QString compilerText()
{
#if defined(__clang__)
    return QStringLiteral("Clang %1.%2.%3")
        .arg(__clang_major__)
        .arg(__clang_minor__)
        .arg(__clang_patchlevel__);
#elif defined(__GNUC__)
    return QStringLiteral("GCC %1.%2.%3")
        .arg(__GNUC__)
        .arg(__GNUC_MINOR__)
        .arg(__GNUC_PATCHLEVEL__);
#elif defined(_MSC_FULL_VER)
    return QStringLiteral("MSVC %1").arg(_MSC_FULL_VER);
#else
    return QStringLiteral("unknown compiler");
#endif
}

} // namespace

void MainWindow::addSystemMenuEntry()
{
    WindowPlatform::addAboutToSystemMenu(this);
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, qintptr *result)
{
    // While the display must stay awake, the screen saver's commands go no
    // further.
    if (WindowPlatform::isBlankingMessage(eventType, message, isKeepingScreenAwake(), result))
        return true;
    if (!WindowPlatform::isAboutMessage(eventType, message, result))
        return false;
    helpAbout();
    return true;
}

void MainWindow::helpAbout()
{
    const QString wordSize = QString::number(QT_POINTER_SIZE * 8, 10);
    const QString libraryVersion = QString::fromLatin1(qVersion());
    const QString text = tr("<div style='white-space:pre'><h3>Quorvane 2026/09/22</h3>"
                            "<p>Based on Qt %1 (%2, %3 bit)<br><br>"
                            "This program is distributed in the hope that it will be useful,<br>"
                            "but WITHOUT ANY WARRANTY; without even the implied warranty of<br>"
                            "MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE.</p></div>")
                             .arg(libraryVersion, compilerText(), wordSize);

    QMessageBox box(this);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setWindowTitle(tr("About Quorvane"));
    box.setText(text);
    box.setIconPixmap(QPixmap(QStringLiteral(":/res/Quorvane.png")));
    runModal(box, [&box] { box.exec(); });
}
