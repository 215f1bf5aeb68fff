// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/formmodel.h"
#include "runtime/formsruntime.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace angoli
{

// The forms runtime on the form model: the controls' services of the port, the name dialog's
// rule for making the window, Timer1's Enabled, and the events that native input raises, once
// for every face. A face derives from it and is left with its own jobs: turn native input into
// the calls below, draw the model when told it changed, show the dialogs, run the timer, speak
// to screen readers, and End.
class ModelledRuntime : public FormsRuntime
{
public:
    // How long the name dialog is on the screen before the window is made behind it.
    static constexpr std::chrono::milliseconds kMakeWindowDelay{100};

    // The window's events go to events from now on; until then nowhere.
    void attach(FormEvents &events) { m_events = &events; }
    FormEvents &events() const { return *m_events; }
    const FormModel &model() const { return m_model; }
    bool windowMade() const { return m_windowMade; }

    // Native input, as the face translates it. Each runs the game's handler, if any.
    // A press: a click, Space, or Enter on a control that takes it (FormModel::takesEnter).
    // A value button is selected first, then its click runs (the handler releases it).
    void press(std::size_t row);
    void gotFocus(std::size_t row);
    // Opening the Help menu, before its list shows.
    void openHelpMenu();
    // An item of the Help menu was chosen (row 1 onwards of layout::kMenu).
    void chooseMenuItem(MenuCommand item);
    // Timer1's interval passed: the tick, if the timer is enabled and the window made.
    void tick();

    // Makes the window now if it is not made yet (the face's timer calls it, see InputBox).
    void makeWindowNow();

    // FormsRuntime: the controls, on the model. A face overrides one only to see the call (the
    // recording fake logs every caption written) and then calls it here.
    std::string Caption(Label label) const override;
    void setCaption(Label label, std::string_view text) override;
    std::string Caption(OptionButton button) const override;
    void setValue(OptionButton button, bool value) override;
    void setBackColor(OptionButton button, Colour colour) override;
    void setForeColor(OptionButton button, Colour colour) override;
    void setVisible(OptionButton button, bool visible) override;
    void setEnabled(OptionButton button, bool enabled) override;
    // Before the window is made, the name dialog shows at once and the window is made behind
    // it while the player types (kMakeWindowDelay later), or right after a quicker answer.
    std::string InputBox(std::string_view prompt, std::string_view title) override;
    void setTimerEnabled(bool enabled) override;

protected:
    ModelledRuntime();
    ~ModelledRuntime() override = default;

    // A face whose window must stay in step with an auto-size label's measured text.
    void fitTo(std::size_t row, int width, int height);

    // The face's own jobs.
    virtual void changed(std::size_t row, Change what) = 0;
    virtual std::string askText(std::string_view prompt, std::string_view title) = 0;
    // Timer1 runs (one tick per interval, the first one interval from now) or stops.
    virtual void runTimer(bool enabled) = 0;
    // Makes the window from the model, once; the default makes nothing.
    virtual void makeWindow() {}
    // Arranges a call of makeWindowNow() after delay, from the face's event loop.
    virtual void makeWindowAfter(std::chrono::milliseconds delay) { static_cast<void>(delay); }

private:
    void set(std::size_t row, Change what, bool changedIt);

    FormModel m_model;
    FormEvents *m_events;
    bool m_windowMade = false;
};

} // namespace angoli
