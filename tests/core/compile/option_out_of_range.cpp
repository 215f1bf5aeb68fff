// SPDX-License-Identifier: GPL-3.0-or-later
// There is no Option1(12): its handle must not compile.
#include "resources/handles.h"

constexpr angoli::OptionButton kBeyond = angoli::layout::optionAt(12);
