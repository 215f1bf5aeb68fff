#pragma once

// Everything the window needs for the record files.
#include "records/recordfiles.h" // IWYU pragma: export
#include "records/recordstore.h" // IWYU pragma: export
#include "records/systemdir.h"   // IWYU pragma: export
