// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QLocalServer>
#include <QObject>

// One display per user and session. Two displays would both bind the port
// with address reuse, and the system hands each datagram to the newest
// socket only: the first would fall to dashes while the signal is there. So
// a second start asks the running one to come to the front instead.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(QObject *parent = nullptr);

    // True when this process is the display (or when no check was possible:
    // then it runs as before). False when another one already runs and has
    // been asked to come to the front.
    bool claim();

signals:
    void activationRequested();

private:
    QLocalServer server;
};

#endif // SINGLEINSTANCE_H
