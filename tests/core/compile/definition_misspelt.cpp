// SPDX-License-Identifier: GPL-3.0-or-later
// A definition looked up under a misspelt item must not compile.
#include "game/definitions.h"

static_assert(angoli::definitionOf("acutto").prompt != nullptr);
