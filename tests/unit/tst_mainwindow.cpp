// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

#include "mainwindow.h"
#include "paintcounter.h"
#include "pixels.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>

using namespace Pixels;

namespace {

// What a modal pop-up showed, noted while it was up.
struct Popup
{
    QString name;
    QString title;
    QString text;
    QSize icon;
    QStringList entries; // menu entries, "|" for a separator
};

Popup describe(QWidget &widget)
{
    Popup popup{widget.objectName(), widget.windowTitle(), {}, {}, {}};
    if (auto *box = qobject_cast<QMessageBox *>(&widget)) {
        popup.text = box->text();
        popup.icon = box->iconPixmap().size();
    }
    if (auto *menu = qobject_cast<QMenu *>(&widget)) {
        for (QAction *entry : menu->actions())
            popup.entries << (entry->isSeparator() ? QStringLiteral("|") : entry->text());
    }
    return popup;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAsDesigned();
    void startsWithGreenDashes();
    void toggleDisplayFpsTwiceRestoresLabel();
    void actions_data();
    void actions();
    void contextMenuOrder();
    void keys_data();
    void keys();
    void altReturnAndAltEnterAreDifferentKeys();
    void fullScreenKeepsMaximized();
    void checkMarkFollowsWindow();
    void fullScreenHidesPointerAndKeepsAwake();
    void doubleClick_data();
    void doubleClick();
    void alwaysOnTopKeepsGeometry();
    void aboutBox();
    void closingEndsWindow();

private:
    void showActive();
    QAction *action(const char *name) const;

    MainWindow *window = nullptr;
    QList<Popup> popups;
    std::function<void(QWidget &)> whilePoppedUp;
};

void MainWindowTest::init()
{
    popups.clear();
    whilePoppedUp = nullptr;
    MainWindow::setModalHook([this](QWidget &popup) {
        popups.append(describe(popup));
        if (whilePoppedUp)
            std::exchange(whilePoppedUp, nullptr)(popup);
    });
    window = new MainWindow;
}

void MainWindowTest::cleanup()
{
    delete window;
    window = nullptr;
    MainWindow::setModalHook(nullptr);
}

void MainWindowTest::showActive()
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

QAction *MainWindowTest::action(const char *name) const
{
    return window->findChild<QAction *>(QLatin1String(name));
}

void MainWindowTest::startsAsDesigned()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(window->geometry(), QRect(50, 80, 400, 200));
    QCOMPARE(window->minimumSize(), QSize(40, 20));
    QCOMPARE(window->windowState(), Qt::WindowNoState);
    QVERIFY(!window->isDisplayingFps());

    const TimecodeState &state = window->timecodeState();
    QCOMPARE(state.frameCount, -1);
    QCOMPARE(state.frameRate, 0);
    QVERIFY(state.senderAddress.isNull());
    QCOMPARE(state.senderPort, quint16(0));
    QCOMPARE(state.senderChangeTicks, 0);
    QCOMPARE(state.ticksSinceDatagram, 0);
}

void MainWindowTest::startsWithGreenDashes()
{
    showActive();
    const QImage image = window->grab().toImage();
    QCOMPARE(image.size(), QSize(400, 200));
    QVERIFY(find(image, Green).count > 500);
    QCOMPARE(find(image, Red).count, 0);
    QCOMPARE(countForeign(image, Green), 0);
}

void MainWindowTest::toggleDisplayFpsTwiceRestoresLabel()
{
    showActive();
    PaintCounter paints(window);
    const QImage before = window->grab().toImage();

    QMetaObject::invokeMethod(window, "toggleDisplayFps");
    QVERIFY(window->isDisplayingFps());
    QTRY_VERIFY(paints.count >= 1);
    const QImage labelled = window->grab().toImage();
    QVERIFY(find(labelled, Grey, QRect(0, 100, 120, 100)).count > 0);

    const int afterFirst = paints.count;
    QMetaObject::invokeMethod(window, "toggleDisplayFps");
    QVERIFY(!window->isDisplayingFps());
    QTRY_VERIFY(paints.count > afterFirst);
    QCOMPARE(window->grab().toImage(), before);
}

void MainWindowTest::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("checkable");

    QTest::newRow("exit") << "exitAction"
                          << "Exit" << QKeySequence(Qt::CTRL | Qt::Key_Q) << false;
    QTest::newRow("on top") << "alwaysOnTopAction"
                            << "Always On Top" << QKeySequence(Qt::CTRL | Qt::Key_T) << true;
    QTest::newRow("full screen") << "fullScreenAction"
                                 << "Full Screen" << QKeySequence(Qt::ALT | Qt::Key_Return) << true;
}

void MainWindowTest::actions()
{
    QFETCH(QString, name);
    QAction *found = action(qPrintable(name));
    QVERIFY(found);
    QTEST(found->text(), "text");
    QTEST(found->shortcut(), "shortcut");
    QTEST(found->isCheckable(), "checkable");
    QVERIFY(!found->isChecked());
    // Attached to the window, so that the shortcut works without a menu bar.
    QVERIFY(window->actions().contains(found));
}

void MainWindowTest::contextMenuOrder()
{
    showActive();
    // "About..." opens the same box as Ctrl+I.
    whilePoppedUp = [](QWidget &menu) { menu.actions().at(3)->trigger(); };
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                            window->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(window, &event);

    QCOMPARE(popups.size(), 2);
    QCOMPARE(popups.first().entries,
             (QStringList{"Always On Top", "Full Screen", "|", "About...", "|", "Exit"}));
    QCOMPARE(popups.last().name, QStringLiteral("aboutBox"));
}

void MainWindowTest::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("effect");

    const int none = Qt::NoModifier;
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << "closed";
    QTest::newRow("Ctrl+T") << int(Qt::Key_T) << int(Qt::ControlModifier) << "on top";
    QTest::newRow("Alt+Return") << int(Qt::Key_Return) << int(Qt::AltModifier) << "full screen";
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << int(Qt::ControlModifier) << "about";
    QTest::newRow("I") << int(Qt::Key_I) << none << "label";
    QTest::newRow("D") << int(Qt::Key_D) << none << "label";
    QTest::newRow("F11") << int(Qt::Key_F11) << none << "full screen";
    QTest::newRow("Alt+keypad Enter")
        << int(Qt::Key_Enter) << int(Qt::AltModifier | Qt::KeypadModifier) << "full screen";
    QTest::newRow("F") << int(Qt::Key_F) << none << "full screen";
    QTest::newRow("Ctrl+F") << int(Qt::Key_F) << int(Qt::ControlModifier) << "full screen";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "nothing";
}

// Each key once, then again: toggles return to where they started, and
// nothing else changes along the way.
void MainWindowTest::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, effect);
    showActive();

    const auto press = [&] {
        QTest::keyClick(window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    };
    const auto fullScreen = [&] { return bool(window->windowState() & Qt::WindowFullScreen); };

    press();
    QCOMPARE(!window->isVisible(), effect == "closed");
    if (effect == "closed")
        return;
    QCOMPARE(action("alwaysOnTopAction")->isChecked(), effect == "on top");
    QCOMPARE(fullScreen(), effect == "full screen");
    QCOMPARE(window->isDisplayingFps(), effect == "label");
    QCOMPARE(popups.size(), effect == "about" ? 1 : 0);
    if (effect == "about")
        QCOMPARE(popups.first().name, QStringLiteral("aboutBox"));

    press();
    QVERIFY(!action("alwaysOnTopAction")->isChecked());
    QVERIFY(!fullScreen());
    QVERIFY(!window->isDisplayingFps());
}

void MainWindowTest::altReturnAndAltEnterAreDifferentKeys()
{
    showActive();
    QSignalSpy triggered(action("fullScreenAction"), &QAction::triggered);

    QTest::keyClick(window, Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier);
    QVERIFY(window->windowState() & Qt::WindowFullScreen);
    QCOMPARE(triggered.count(), 0);

    QTest::keyClick(window, Qt::Key_Return, Qt::AltModifier);
    QVERIFY(!(window->windowState() & Qt::WindowFullScreen));
    QCOMPARE(triggered.count(), 1);
}

void MainWindowTest::fullScreenKeepsMaximized()
{
    showActive();
    window->setWindowState(Qt::WindowMaximized);

    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(window->windowState(), Qt::WindowMaximized);

    QTest::keyClick(window, Qt::Key_F11);
    QCOMPARE(window->windowState(), Qt::WindowMaximized | Qt::WindowFullScreen);
    QTest::keyClick(window, Qt::Key_F11);
    QCOMPARE(window->windowState(), Qt::WindowMaximized);

    QTest::keyClick(window, Qt::Key_F);
    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(window->windowState(), Qt::WindowMaximized);
}

void MainWindowTest::fullScreenHidesPointerAndKeepsAwake()
{
    showActive();
    QVERIFY(!window->isKeepingScreenAwake());
    QTest::keyClick(window, Qt::Key_F11);
    QVERIFY(window->isKeepingScreenAwake());
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QTRY_COMPARE_WITH_TIMEOUT(window->cursor().shape(), Qt::BlankCursor,
                              MainWindow::PointerHideMs * 3);

    QTest::mouseMove(window, QPoint(20, 20));
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QTRY_COMPARE_WITH_TIMEOUT(window->cursor().shape(), Qt::BlankCursor,
                              MainWindow::PointerHideMs * 3);

    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!window->isKeepingScreenAwake());
}

void MainWindowTest::checkMarkFollowsWindow()
{
    showActive();
    QAction *fullScreen = action("fullScreenAction");

    QTest::keyClick(window, Qt::Key_F11);
    QTRY_VERIFY(fullScreen->isChecked());
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!fullScreen->isChecked());

    // However the state changes, not only through our own keys.
    window->showFullScreen();
    QTRY_VERIFY(fullScreen->isChecked());
    window->showNormal();
    QTRY_VERIFY(!fullScreen->isChecked());
}

void MainWindowTest::doubleClick_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("toggles");

    QTest::newRow("left") << int(Qt::LeftButton) << true;
    QTest::newRow("right") << int(Qt::RightButton) << false;
    QTest::newRow("middle") << int(Qt::MiddleButton) << false;
}

void MainWindowTest::doubleClick()
{
    QFETCH(int, button);
    QFETCH(bool, toggles);
    showActive();

    QTest::mouseDClick(window, Qt::MouseButton(button), Qt::NoModifier, QPoint(100, 100));
    QCOMPARE(bool(window->windowState() & Qt::WindowFullScreen), toggles);
    QCOMPARE(popups.size(), 0);
}

void MainWindowTest::alwaysOnTopKeepsGeometry()
{
    showActive();
    const QRect before = window->geometry();
    QAction *onTop = action("alwaysOnTopAction");

    onTop->trigger();
    QVERIFY(onTop->isChecked());
    QVERIFY(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    QVERIFY(window->isVisible());
    QCOMPARE(window->geometry(), before);

    onTop->trigger();
    QVERIFY(!onTop->isChecked());
    QVERIFY(!(window->windowHandle()->flags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(window->geometry(), before);
}

void MainWindowTest::aboutBox()
{
    showActive();
    window->setWindowState(Qt::WindowFullScreen);
    QMetaObject::invokeMethod(window, "helpAbout");

    QCOMPARE(popups.size(), 1);
    QCOMPARE(popups.first().title, QStringLiteral("About Quorvane"));
    QCOMPARE(popups.first().icon, QSize(96, 96));

    const QString text = popups.first().text;
    QVERIFY(Qt::mightBeRichText(text));
    QVERIFY(text.contains(QStringLiteral("<h3>Quorvane 2026/09/22</h3>")));
    // The library actually loaded, the compiler that built us, our word size.
    const QRegularExpression based(
        QStringLiteral("Based on Qt (\\S+) \\((\\w+) (\\d+\\.\\d+\\.\\d+), (\\d+) bit\\)"));
    const QRegularExpressionMatch match = based.match(text);
    QVERIFY2(match.hasMatch(), qPrintable(text));
    QCOMPARE(match.captured(1), QString::fromLatin1(qVersion()));
    QCOMPARE(match.captured(4), QString::number(QT_POINTER_SIZE * 8));
    // The disclaimer keeps its three lines however wide the box.
    QVERIFY(text.contains(QStringLiteral("white-space:pre")));
    QVERIFY(text.contains(QStringLiteral("useful,<br>but WITHOUT ANY WARRANTY; without even the "
                                         "implied warranty of<br>MERCHANTABILITY")));

    // Closing the box leaves the window's modes alone.
    QCOMPARE(window->windowState(), Qt::WindowFullScreen);
}

// Exit closes the window, and closing the last window ends the event loop
// with exit code 0.
void MainWindowTest::closingEndsWindow()
{
    showActive();
    QTimer::singleShot(0, this, [this] { action("exitAction")->trigger(); });
    QTimer::singleShot(10000, this, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
