// SPDX-License-Identifier: GPL-3.0-or-later
// The game in its real window and message loop, on fixed draws and records: start-up through the
// name dialog and the greeting, the window as it is first shown with the focus on "100", a quick
// double click on "10", and Tab and Shift+Tab. With ANGOLI_WINDOW_PICTURES naming a folder, the
// client area is written there as BMPs, as first shown (shown.bmp) and at the end (played.bmp),
// so that two builds can be compared pixel by pixel.
#include "game/controls.h"
#include "game/form1.h"
#include "platform/win32/controlids.h"
#include "platform/win32/formwindow.h"
#include "support/game.h"

#include <doctest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace angoli;
using angoli::win32::FormWindow;

namespace
{

// The client area of window as a 24-bit bottom-up BMP. False when it cannot be read or written.
bool writePicture(HWND window, const char *path)
{
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as a BMP file holds it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD rowBytes = DWORD((width * 3 + 3) & ~3);
    const DWORD imageBytes = rowBytes * DWORD(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    info.bmiHeader.biSizeImage = imageBytes;
    bool written = false;
    if (FILE *out = copied ? std::fopen(path, "wb") : nullptr) {
        written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                  std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  std::fwrite(bits, imageBytes, 1, out) == 1;
        written = std::fclose(out) == 0 && written;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return written;
}

// Plays the part of the player at start-up: a name in the name dialog, OK on the greeting;
// then, with the window shown, notes what it shows, plays a little and closes it.
struct Player {
    FormWindow *window = nullptr;
    int step = 0;
    std::string clockShown;
    std::string nameShown;
    std::string recordShown;
    int picturesWritten = 0;
    std::vector<std::string> focused; // the caption of the focused control at each step
    std::string totalAfterDoubleClick;
} player;

// The caption of the control that has the keyboard focus.
std::string focusedCaption()
{
    HWND focus = GetFocus();
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        if (focus != nullptr && player.window->native(row).window == focus)
            return player.window->model()[row].caption;
    }
    return "(none)";
}

// A button's notification to the window, as the button sends it.
void notify(const OptionButton button, int code)
{
    HWND from = player.window->native(button.row).window;
    SendMessageW(player.window->window(), WM_COMMAND,
                 MAKEWPARAM(win32::controlIdOf(button.row), code), reinterpret_cast<LPARAM>(from));
}

// Shift held down or not, as the window's thread sees the keyboard.
void holdShift(bool down)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

// Tab, or Shift+Tab, to the control that has the focus, through the message loop.
void pressTab(bool shift)
{
    holdShift(shift);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
}

// The client area into the folder ANGOLI_WINDOW_PICTURES names, if it names one.
void takePicture(HWND main, const char *name)
{
    const char *folder = std::getenv("ANGOLI_WINDOW_PICTURES");
    if (folder == nullptr)
        return;
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::string path = std::string(folder) + "/" + name;
    player.picturesWritten += writePicture(main, path.c_str()) ? 1 : 0;
}

// The steps after the window is shown, one per timer call, so that the loop runs in between.
void playShown(HWND main)
{
    player.focused.push_back(focusedCaption());
    switch (player.step++) {
    case 0:
        // Two quick clicks on "10": a click, then the double click's second press.
        notify(form::Option1[5], BN_CLICKED);
        notify(form::Option1[5], BN_DOUBLECLICKED);
        player.totalAfterDoubleClick = player.window->Caption(form::lbltotal4);
        pressTab(false);
        break;
    case 1:
        pressTab(false);
        break;
    case 2:
    case 3:
    case 4:
        pressTab(true);
        break;
    default:
        holdShift(false);
        takePicture(main, "played.bmp");
        PostMessageW(main, WM_CLOSE, 0, 0);
    }
}

BOOL CALLBACK findDialog(HWND w, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(w, name, 16);
    if (std::wstring(name) != L"#32770" || !IsWindowVisible(w))
        return TRUE;
    *reinterpret_cast<HWND *>(found) = w;
    return FALSE;
}

void CALLBACK play(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog != nullptr) {
        if (HWND field = FindWindowExW(dialog, nullptr, L"Edit", nullptr))
            SetWindowTextW(field, L"Dode");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return;
    }
    HWND main = player.window->window();
    if (main == nullptr || !IsWindowVisible(main))
        return;
    if (player.step > 0) {
        playShown(main);
        if (player.step > 5)
            KillTimer(nullptr, timer);
        return;
    }
    player.clockShown = player.window->Caption(form::lblconto);
    player.nameShown = player.window->Caption(form::lblnome1);
    player.recordShown = player.window->Caption(form::lblpunti);
    takePicture(main, "shown.bmp");
    // The clock stops where it was shown, so that the pictures do not depend on the time taken.
    player.window->setTimerEnabled(false);
    playShown(main);
}

} // namespace

TEST_CASE("start-up in the real window: the name, the greeting, the window as first shown")
{
    test::FakeRandom random;
    random.fallback = 0.38f;
    test::FakeRecords records;
    records.stored = {"12", "Anna"};
    auto *window = new FormWindow(GetModuleHandleW(nullptr));
    REQUIRE(window->create(FormWindow::Contents::Later));
    Form1 form(*window, random, records);
    player.window = window;
    SetTimer(nullptr, 0, 100, play);
    CHECK(window->run(form) == 0);
    CHECK(player.clockShown == "00:15:00"); // seen before Timer1's first tick
    CHECK(player.nameShown == "Dode");
    CHECK(player.recordShown == "12");
    CHECK(player.totalAfterDoubleClick == "20");
    // At start "100"; Tab by TabIndex: "90", then "1" (enabled by start-up); Shift+Tab back
    // past "100" to "270", the last.
    CHECK(player.focused == std::vector<std::string>{"100", "90", "1", "90", "100", "270"});
    CHECK(form.state().primo == 137);
    if (std::getenv("ANGOLI_WINDOW_PICTURES"))
        CHECK(player.picturesWritten == 2);
    delete window;
}
