// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quorvane developers

// The Windows back end against real USER32 windows: the system menu's About
// entry, the consumption of its command, the topmost layer, and keeping the
// display awake with the screen saver's commands swallowed. The
// resources linked into this very program are checked in resourcechecks.cpp.

#include "systemcommand.h"
#include "win32/win32window.h"

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest.h>

#include <initializer_list>
#include <string>

namespace {

constexpr wchar_t WindowClass[] = L"QuorvaneTestWindow";
constexpr LRESULT Untouched = 0x5EED;

int aboutBoxesOpened = 0;
int sysCommandsPassedOn = 0;
bool displayHeld = false;

// Hands each message to the native-event hook first and lets only what it
// does not consume reach the default window procedure, the way the Qt back
// end does. Opening the About box is the program's business; here it is
// counted.
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG native{};
    native.hwnd = window;
    native.message = message;
    native.wParam = wParam;
    native.lParam = lParam;
    LRESULT result = Untouched;
    if (isSwallowedBlankingMessage(&native, displayHeld, &result))
        return result;
    if (isAboutSysCommandMessage(&native, &result)) {
        ++aboutBoxesOpened;
        return result;
    }
    if (message == WM_SYSCOMMAND)
        ++sysCommandsPassedOn;
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerWindowClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = WindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

HWND createWindow(DWORD style, const wchar_t *title, int x = 100, int y = 100)
{
    static const bool registered = registerWindowClass();
    REQUIRE(registered);
    return CreateWindowExW(0, WindowClass, title, style, x, y, 400, 200, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Lets the window system and the window manager settle.
void pumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

// Makes the window the foreground window and waits until the window manager
// has stopped moving the focus, so that what follows sees only its own doing.
bool settleForeground(HWND window)
{
    int steady = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        if (GetForegroundWindow() != window) {
            SetForegroundWindow(window);
            steady = 0;
        } else if (++steady == 30) {
            return true;
        }
        pumpMessages(10);
    }
    return false;
}

} // namespace

TEST_CASE("the About command is recognised, and nothing else")
{
    MSG message{};
    message.message = WM_SYSCOMMAND;
    message.wParam = AboutCommandId;
    CHECK(isAboutSysCommandMessage(&message, nullptr));

    // Messages that are not consumed leave the result alone.
    LRESULT result = Untouched;
    CHECK(!isAboutSysCommandMessage(nullptr, &result));
    message.message = WM_COMMAND;
    CHECK(!isAboutSysCommandMessage(&message, &result));
    CHECK(result == Untouched);
}

TEST_CASE("the system menu ends with a separator and About Quorvane...")
{
    HWND window = createWindow(WS_OVERLAPPEDWINDOW, L"system menu");
    REQUIRE(window);
    const int standardItems = GetMenuItemCount(GetSystemMenu(window, FALSE));
    appendAboutMenuEntry(window);

    HMENU menu = GetSystemMenu(window, FALSE);
    const int items = GetMenuItemCount(menu);
    CHECK(items == standardItems + 2);
    if (items >= 2) {
        MENUITEMINFOW separator{};
        separator.cbSize = sizeof separator;
        separator.fMask = MIIM_FTYPE;
        CHECK(GetMenuItemInfoW(menu, items - 2, TRUE, &separator));
        CHECK((separator.fType & MFT_SEPARATOR) != 0);

        wchar_t text[64] = {};
        MENUITEMINFOW about{};
        about.cbSize = sizeof about;
        about.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        about.dwTypeData = text;
        about.cch = sizeof text / sizeof *text;
        CHECK(GetMenuItemInfoW(menu, items - 1, TRUE, &about));
        CHECK(about.fType == UINT(MFT_STRING));
        CHECK(about.wID == UINT(16));
        CHECK(about.fState == UINT(MFS_ENABLED | MFS_UNCHECKED));
        CHECK(std::wstring(text) == L"About Quorvane...");
    }
    for (UINT command : {SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE})
        CHECK(GetMenuState(menu, command, MF_BYCOMMAND) != UINT(-1));
    DestroyWindow(window);
}

// Reaching the end of this test is most of the check.
TEST_CASE("the About entry is skipped for windows without a system menu")
{
    appendAboutMenuEntry(nullptr);

    HWND popup = createWindow(WS_POPUP, L"no system menu");
    REQUIRE(popup);
    appendAboutMenuEntry(popup);
    CHECK(!GetSystemMenu(popup, FALSE));
    DestroyWindow(popup);
    appendAboutMenuEntry(popup); // a handle that is no longer valid
    CHECK(!IsWindow(popup));
}

TEST_CASE("About's commands are consumed, every other command passed on")
{
    HWND window = createWindow(WS_OVERLAPPEDWINDOW, L"system commands");
    REQUIRE(window);
    aboutBoxesOpened = 0;
    appendAboutMenuEntry(window);

    // The low four bits belong to the system, so 16 to 31 all mean About.
    for (WPARAM command = 16; command <= 31; ++command) {
        const int opened = aboutBoxesOpened;
        const int passedOn = sysCommandsPassedOn;
        CAPTURE(command);
        CHECK(SendMessageW(window, WM_SYSCOMMAND, command, 0) == LRESULT(0));
        CHECK(aboutBoxesOpened == opened + 1);
        CHECK(sysCommandsPassedOn == passedOn);
    }

    std::initializer_list<WPARAM> others = {0, 1, 7, 15, 32, 33, 0x100};
    for (WPARAM command : others) {
        const int passedOn = sysCommandsPassedOn;
        CAPTURE(command);
        SendMessageW(window, WM_SYSCOMMAND, command, 0);
        CHECK(sysCommandsPassedOn == passedOn + 1);
    }
    CHECK(aboutBoxesOpened == 16);

    // Standard commands keep working as if the hook were not there.
    SendMessageW(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    CHECK(IsZoomed(window));
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    CHECK(!IsZoomed(window));
    SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    CHECK(!IsWindow(window));
    CHECK(aboutBoxesOpened == 16);
}

TEST_CASE("always on top changes the layer without moving or activating the window")
{
    HWND active = createWindow(WS_OVERLAPPEDWINDOW, L"active", 50, 50);
    HWND window = createWindow(WS_OVERLAPPEDWINDOW, L"topmost", 500, 300);
    REQUIRE(active);
    REQUIRE(window);
    // Some window managers focus every new window, whatever it asks for; so
    // the other window is activated after both are on the screen.
    ShowWindow(window, SW_SHOWNOACTIVATE);
    ShowWindow(active, SW_SHOW);
    CHECK(settleForeground(active));
    CHECK(GetActiveWindow() == active);

    RECT before{};
    GetWindowRect(window, &before);
    for (bool topmost : {true, false, true, false}) {
        CAPTURE(topmost);
        setWindowTopmost(window, topmost);
        pumpMessages(50);
        const bool isTopmost = GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
        CHECK(isTopmost == topmost);
        RECT after{};
        GetWindowRect(window, &after);
        CHECK(EqualRect(&before, &after));
        CHECK(GetForegroundWindow() == active);
        CHECK(GetActiveWindow() == active);
    }

    // The same call without SWP_NOACTIVATE does activate the window: the
    // checks above would see it.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    CHECK(GetActiveWindow() == window);

    DestroyWindow(window);
    DestroyWindow(active);
}

TEST_CASE("the display is kept on and let go")
{
    // Each call reports the state that was in force before it.
    keepDisplayOn(true);
    CHECK(SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED) ==
          EXECUTION_STATE(ES_CONTINUOUS | ES_DISPLAY_REQUIRED));
    keepDisplayOn(false);
    CHECK(SetThreadExecutionState(ES_CONTINUOUS) == EXECUTION_STATE(ES_CONTINUOUS));
}

TEST_CASE("the screen saver's commands are swallowed only while the display is held")
{
    HWND window = createWindow(WS_OVERLAPPEDWINDOW, L"blanking");
    REQUIRE(window);
    struct Command
    {
        WPARAM command;
        LPARAM argument;
        bool blanks;
    };
    const Command commands[] = {
        {SC_SCREENSAVE, 0, true},
        {SC_MONITORPOWER, 2, true},
        {SC_MONITORPOWER, 1, true},
        {SC_MONITORPOWER, -1, false}, // turning the monitor on
    };
    for (bool held : {true, false}) {
        displayHeld = held;
        for (const Command &each : commands) {
            CAPTURE(held);
            CAPTURE(each.command);
            CAPTURE(each.argument);
            const int passedOn = sysCommandsPassedOn;
            const LRESULT result = SendMessageW(window, WM_SYSCOMMAND, each.command, each.argument);
            const bool swallowed = held && each.blanks;
            CHECK(sysCommandsPassedOn == (swallowed ? passedOn : passedOn + 1));
            if (swallowed)
                CHECK(result == 0);
        }
    }
    displayHeld = false;
    DestroyWindow(window);
}
