// SPDX-License-Identifier: GPL-3.0-or-later
// A misspelt menu item must not compile.
#include "resources/handles.h"

constexpr angoli::MenuCommand kAcute = angoli::layout::menuNamed("acutto");
