#pragma once

#include "game/form1.h"
#include "support/fakes.h"

#include <memory>

namespace angoli::bench
{

// The game window on scripted dialogs and fake ticks, keeping its records in
// a directory that outlives it, so that every window after the first finds
// the record files in place, as every game after a machine's first does.
struct BenchWindow {
    explicit BenchWindow(const QString &recordDir);
    // Start-up with a typed name and the greeting dismissed, up to the first question.
    void load();
    // Shows the window and returns once its first paint has been flushed.
    void showAndPaint();

    test::FakeWorld world;
    std::unique_ptr<Form1> form;
};

} // namespace angoli::bench
