// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace angoli::win32
{

// A small modal dialog: the prompt, a text field, OK and Cancel. The typed text (UTF-16), or
// nullopt on Cancel.
std::optional<std::wstring> showInputBox(HWND owner, const std::wstring &prompt,
                                         const std::wstring &title);

} // namespace angoli::win32
