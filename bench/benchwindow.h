// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/form1.h"
#include "platform/posix/posixrecordfolder.h"
#include "platform/qt/qtformsruntime.h"
#include "qtfakes.h"
#include "support/game.h"

namespace angoli::bench
{

// The game in its Qt window on scripted dialogs and fake ticks, keeping its records in the
// private folder under XDG_DATA_HOME, which the benchmark points at a folder that outlives
// every window: every window after the first finds the record files in place, as every game
// after a machine's first does.
struct BenchWindow {
    BenchWindow() { ui.attach(form); }
    BenchWindow(const BenchWindow &) = delete;
    BenchWindow &operator=(const BenchWindow &) = delete;

    // Start-up with a typed name and the greeting dismissed, up to the first question.
    void load();
    // Shows the window and returns once its first paint has been flushed.
    void showAndPaint();
    GameWindow &window() const { return ui.window(); }

    qttest::FakeServices world;
    test::FakeRandom random;
    // No shared folder: always the private one.
    PosixRecordFolder records{SharedRecords{"/nonexistent/angoli", "/nonexistent/helper"}};
    QtFormsRuntime ui{world.services()};
    Form1 form{ui, random, records};
};

} // namespace angoli::bench
