// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// Run by wayland_test.sh on a Wayland compositor: nothing there keeps a
// window on top, so the command is greyed and unticked, and its key leaves
// it so.

#include "mainwindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QTest>

class AlwaysOnTopTest : public QObject
{
    Q_OBJECT

private slots:
    void notOfferedOnWayland();
};

void AlwaysOnTopTest::notOfferedOnWayland()
{
    QVERIFY2(QGuiApplication::platformName().startsWith(QLatin1String("wayland")),
             qPrintable(QGuiApplication::platformName()));
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *onTop = window.findChild<QAction *>(QStringLiteral("alwaysOnTopAction"));
    QVERIFY(onTop);
    QVERIFY(!onTop->isEnabled());
    QVERIFY(!onTop->isChecked());

    QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
    QVERIFY(!onTop->isChecked());
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

QTEST_MAIN(AlwaysOnTopTest)
#include "tst_alwaysontop.moc"
