// SPDX-License-Identifier: GPL-3.0-or-later
// A misspelt label name must not compile.
#include "resources/handles.h"

constexpr angoli::Label kName = angoli::layout::labelNamed("lblnomeX");
