// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <ole2.h>
#include <oleacc.h>

// Active Accessibility's functions, from oleacc.dll and oleaut32.dll in the system folder, loaded
// on the first call: a program that no screen reader asks about does not load them.
namespace angoli::win32
{

struct OleAccess {
    decltype(&CreateStdAccessibleObject) createStandard = nullptr;
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&AccessibleObjectFromWindow) objectFromWindow = nullptr;
    decltype(&SysAllocStringLen) allocString = nullptr;
    bool ready() const
    {
        return createStandard && lresultFromObject && objectFromWindow && allocString;
    }
};

// Loads the libraries on the first call, on the window's thread (which then has COM); after
// that, what was found. Never unloaded: objects handed out may live as long as the process.
const OleAccess &oleAccess();

} // namespace angoli::win32
