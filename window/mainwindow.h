// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "timecodepainter.h"
#include "timecodestate.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <memory>

class QAction;
class QScreen;
class ScreenAwake;

// The whole program: a window that listens for timecode datagrams on UDP port
// 8201 and paints the newest timecode over its entire client area.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr quint16 TimecodePort = 8201;

    MainWindow();
    ~MainWindow() override;

    // Read-only views for tests and tools.
    const TimecodeState &timecodeState() const { return timecode; }
    bool isDisplayingFps() const { return displayFps; }
    bool isKeepingScreenAwake() const;

    // Full screen hides the pointer after this long without mouse movement.
    static constexpr int PointerHideMs = 2000;

    // Modal pop-ups (the About box, the context menu) are handed to this hook
    // instead of being run, when it is set, so that tests never block.
    using ModalHook = std::function<void(QWidget &popup)>;
    static void setModalHook(ModalHook hook);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;
    void changeEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void helpAbout();
    void toggleDisplayFps();
    void viewAlwaysOnTop();
    void viewFullScreen();
    void endFullScreen();
    void processPendingDatagrams();
    void timerTimeout();

private:
    void createActions();
    void addSystemMenuEntry();
    void createShortcuts();
    void runModal(QWidget &popup, const std::function<void()> &exec);
    DisplayFrame displayFrame() const;
    void setUpScreenCare();
    void updateScreenAwake();
    void fullScreenChanged(bool entered);
    void keepOnScreen();

    QAction *exitAction = nullptr;
    QAction *alwaysOnTopAction = nullptr;
    QAction *fullScreenAction = nullptr;
    QUdpSocket udpSocket;
    TimecodeState timecode;
    QTimer tickTimer;
    bool tickEnabled = true;
    bool displayFps = false;
#ifdef QUORVANE_PLAIN_PAINTER // the benchmark's yardstick, quorvane-reference
    TimecodePainter timecodePainter{TimecodePainter::Mode::Plain};
#else
    TimecodePainter timecodePainter;
#endif
    std::unique_ptr<ScreenAwake> screenAwake;
    QTimer pointerTimer;
    QTimer placementTimer;
    QPointer<QScreen> fullScreenScreen; // the screen the window last filled

    static ModalHook modalHook;
};

#endif // MAINWINDOW_H
