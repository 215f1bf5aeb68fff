// SPDX-License-Identifier: GPL-3.0-or-later
// The composition root on Windows: the real services, handed to the game and its window.
#include "game/form1.h"
#include "platform/win32/formwindow.h"
#include "platform/windows/systemdir.h"
#include "records/directrecords.h"
#include "records/recordfs.h"
#include "runtime/random.h"

#include <windows.h>

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    angoli::win32::FormWindow window(instance);
    if (!window.create(angoli::win32::FormWindow::Contents::Later))
        return 1;
    angoli::MixingRandom random;
    angoli::DirectRecordFolder records(&angoli::windows::GetSystemDir, &angoli::openRecordFs);
    angoli::Form1 form(window, random, records);
    return window.run(form);
}
