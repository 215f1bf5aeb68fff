// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>

// What screen readers hear of a window beyond what Windows says of it by itself: simple
// children for what is only painted (the form's labels), and a name and a description for
// windows whose text says too little. Active Accessibility (oleacc) is loaded on the first
// request, so a program that nobody reads pays nothing for it.
namespace angoli::win32
{

// A simple child: static text painted on the window.
struct AccessibleItem {
    std::wstring name;
    std::wstring description;
    RECT screen{}; // where it is, in screen pixels
    bool visible = true;
};

// The additions, asked for on each request so that they follow the window as it changes.
class AccessibleSource
{
public:
    // Simple children of window, after its child windows.
    virtual long itemCount(HWND window) const = 0;
    virtual AccessibleItem item(HWND window, long index) const = 0;
    // The window's own texts; an empty one leaves Windows' own.
    virtual std::wstring name(HWND window) const = 0;
    virtual std::wstring description(HWND window) const = 0;

protected:
    ~AccessibleSource() = default;
};

// The child id of window's first simple child: they follow its child windows.
long firstItemId(HWND window);

// The accessible object of one window, made on its first WM_GETOBJECT. Screen readers may
// keep it after the window is gone: reset() cuts it off from the source.
class AccessibleServer
{
public:
    AccessibleServer() = default;
    ~AccessibleServer() { reset(); }
    AccessibleServer(const AccessibleServer &) = delete;
    AccessibleServer &operator=(const AccessibleServer &) = delete;

    // The answer to WM_GETOBJECT(w, l) sent to window: 0 leaves it to the system.
    LRESULT answer(HWND window, WPARAM w, LPARAM l, const AccessibleSource &source);
    void reset();

    class Object;

private:
    Object *m_object = nullptr;
};

} // namespace angoli::win32
