// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "systemcommand.h"

#include <QTest>

class SystemCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void aboutCommand_data();
    void aboutCommand();
};

void SystemCommandTest::aboutCommand_data()
{
    QTest::addColumn<uint>("message");
    QTest::addColumn<quint64>("wParam");
    QTest::addColumn<bool>("about");

    for (quint64 w = 0; w < 16; ++w)
        QTest::addRow("below, %llu", w) << WmSysCommand << w << false;
    // The low four bits belong to the system.
    for (quint64 w = 16; w < 32; ++w)
        QTest::addRow("about, %llu", w) << WmSysCommand << w << true;
    QTest::newRow("32") << WmSysCommand << quint64(32) << false;
    QTest::newRow("close") << WmSysCommand << quint64(0xF060) << false;
    QTest::newRow("move") << WmSysCommand << quint64(0xF010) << false;
    QTest::newRow("maximize") << WmSysCommand << quint64(0xF030) << false;
    QTest::newRow("not a system command") << 0x0111u << quint64(16) << false;
}

void SystemCommandTest::aboutCommand()
{
    QFETCH(uint, message);
    QFETCH(quint64, wParam);
    QTEST(isAboutSysCommand(message, std::uintptr_t(wParam)), "about");
}

QTEST_APPLESS_MAIN(SystemCommandTest)
#include "tst_systemcommand.moc"
