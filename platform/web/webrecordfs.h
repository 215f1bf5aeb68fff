// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/recordfs.h"

#include <memory>
#include <string>

namespace angoli
{

// The record folder in the site's storage (localStorage): each file an item named dirwin +
// name, holding its bytes as a Latin-1 string, so the pair is the same bytes as the desktop
// files. The folder's lock is a Web Lock of the same name, shared by every tab of the site;
// a tab that is closed lets go of it. Storage that the browser refuses or that is full gives
// the FileError of an unusable record folder.
std::unique_ptr<RecordFs> openWebRecordFs(const std::string &dirwin);

// The folder's name in the site's storage, with its trailing separator.
inline constexpr char kWebRecordFolder[] = "angoli/";

} // namespace angoli
