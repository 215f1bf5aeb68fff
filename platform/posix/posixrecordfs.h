// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/recordfs.h"

#include <memory>
#include <string>

namespace angoli::posix
{

// The package's shared folder dirwin, opened as openRecordFs opens a player's own, but
// administered (see RecordFs::administered): the record files and the lock must already be
// there, made by the package, and belong to root. A missing file, or one anybody else owns, is
// refused with a reason that tells the player's teacher how to put it back.
std::unique_ptr<RecordFs> openAdministeredRecordFs(const std::string &dirwin);

} // namespace angoli::posix
