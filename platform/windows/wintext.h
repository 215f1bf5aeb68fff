// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The game's text is UTF-8; Windows takes UTF-16. Conversions at the API, nowhere else.
namespace angoli::windows
{

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

// The system's own text for a Win32 error code, without its final line break.
std::string systemMessage(unsigned long error);

} // namespace angoli::windows
