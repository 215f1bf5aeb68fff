// SPDX-License-Identifier: GPL-3.0-or-later
// A label handle for a button's row must not compile.
#include "resources/handles.h"

constexpr angoli::Label kVerify = angoli::layout::labelNamed("cmdverifica");
