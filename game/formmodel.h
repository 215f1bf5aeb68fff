// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/handles.h"
#include "resources/layout.h"
#include "runtime/colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What every face of the window decides alike, as data the faces render: each control's state,
// the tab order, which control raises which event and what a screen reader says. Rows are those
// of layout::kControls.
namespace angoli
{

// What one control is now.
struct ControlState {
    std::string caption; // UTF-8, kept exactly as set (a record file's CR LF included)
    Colour fore = 0;
    Colour back = 0;
    bool visible = false;
    bool enabled = false;
    bool value = false; // an element of Option1 is selected: a graphical one looks pressed in
    int width = 0;      // pixels; an auto-size label takes its text's size (FormModel::fitTo)
    int height = 0;
};

// What a screen reader says of a control, in the layout's Italian.
struct SpokenTexts {
    std::string name;
    std::string description;
    friend bool operator==(const SpokenTexts &, const SpokenTexts &) = default;
};

// The handler that pressing a control raises.
enum class Raises : std::uint8_t { Nothing, Option1_Click, cmdverifica_Click, Cmdexit1_Click };

// What a change touched, for the face to redraw and announce.
enum class Change : std::uint8_t { Caption, Colours, Value, Visible, Enabled, Size };

// What the layout fixes for every face, control by control (rows of layout::kControls).
namespace form
{

constexpr bool isFocusable(std::size_t row)
{
    const layout::Kind kind = layout::kControls[row].kind;
    return !layout::isWindowless(kind) && kind != layout::Kind::Timer;
}
constexpr Raises raises(std::size_t row)
{
    const layout::Control &c = layout::kControls[row];
    if (c.kind == layout::Kind::GraphicOption)
        return Raises::Option1_Click;
    if (row == layout::rowOf("cmdverifica", -1))
        return Raises::cmdverifica_Click;
    if (row == layout::rowOf("Cmdexit1", -1))
        return Raises::Cmdexit1_Click;
    return Raises::Nothing;
}
// Enter presses Verifica and Esci as Space does, but never a value button: an Enter meant
// for a message that lands after the box has gone must not add a value.
constexpr bool takesEnter(std::size_t row)
{
    return raises(row) == Raises::cmdverifica_Click || raises(row) == Raises::Cmdexit1_Click;
}
// The picture of the mouse pointer over the control, or layout::kNoPicture for the desktop's.
constexpr int cursor(std::size_t row)
{
    return row == layout::rowOf("Command2", -1) ? layout::kCommand2Cursor : layout::kNoPicture;
}
// A label read by screen readers: not one that repeats another or lies hidden.
constexpr bool isSpokenLabel(std::size_t row)
{
    const layout::Control &c = layout::kControls[row];
    return c.kind == layout::Kind::Label && !(c.flags & layout::kDecorative) && c.visible;
}
// A label whose changes a screen reader announces as they happen: the angle of the question,
// the running total and the two counters.
constexpr bool isAnnounced(std::size_t row)
{
    return row == layout::rowOf("lblangolo", -1) || row == layout::rowOf("lbltotal4", -1) ||
           row == layout::rowOf("lblScore", -1) || row == layout::rowOf("lblScore1", -1);
}
// A control whose screen-reader texts say more than its caption.
constexpr bool isDescribed(std::size_t row)
{
    const layout::Control &c = layout::kControls[row];
    return c.accessible.name != nullptr || c.accessible.description != nullptr ||
           c.tooltip != nullptr;
}

// The focusable controls by TabIndex.
constexpr auto kTabOrder = [] {
    constexpr std::size_t n = [] {
        std::size_t count = 0;
        for (std::size_t row = 0; row < layout::kControls.size(); ++row)
            count += isFocusable(row) ? 1 : 0;
        return count;
    }();
    std::array<std::uint8_t, n> rows{};
    std::size_t at = 0;
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        if (isFocusable(row))
            rows[at++] = static_cast<std::uint8_t>(row);
    }
    for (std::size_t i = 1; i < n; ++i) { // insertion sort: constexpr and tiny
        for (std::size_t j = i;
             j > 0 && layout::kControls[rows[j]].tabIndex < layout::kControls[rows[j - 1]].tabIndex;
             --j) {
            const std::uint8_t swap = rows[j];
            rows[j] = rows[j - 1];
            rows[j - 1] = swap;
        }
    }
    return rows;
}();

} // namespace form

class FormModel
{
public:
    static constexpr std::size_t kRows = layout::kControls.size();

    // Every control as laid out; Timer1 enabled.
    FormModel();

    const ControlState &operator[](std::size_t row) const { return m_controls[row]; }

    // Each returns whether the control changed.
    bool setCaption(std::size_t row, std::string_view caption);
    bool setValue(std::size_t row, bool value);
    bool setBackColor(std::size_t row, Colour colour);
    bool setForeColor(std::size_t row, Colour colour);
    bool setVisible(std::size_t row, bool visible);
    bool setEnabled(std::size_t row, bool enabled);
    // An auto-size label's size once its caption is measured, keeping its left and top.
    bool fitTo(std::size_t row, int width, int height);

    bool timerEnabled() const { return m_timerEnabled; }
    void setTimerEnabled(bool enabled) { m_timerEnabled = enabled; }

    // The picture the control shows now, or layout::kNoPicture. Command2 shows its second
    // picture while disabled, which it is for the whole game.
    int picture(std::size_t row) const;

    // Whether the control takes the keyboard focus now: a focusable kind, visible and enabled.
    bool canTakeFocus(std::size_t row) const;
    // The first control in tab order that can take the focus.
    std::optional<std::size_t> firstFocus() const;
    // The next one after row (before it, backwards), round the end; row need not take the
    // focus itself. Nothing when no control can take it.
    std::optional<std::size_t> nextFocus(std::size_t row, bool backwards) const;

    // What a screen reader says of the control now: "%1" in the layout's texts stands for the
    // caption, whose line breaks and runs of blanks read as one blank. Without a name the
    // caption is the name; without a description the tooltip is.
    SpokenTexts spoken(std::size_t row) const;
    static SpokenTexts spoken(std::size_t row, std::string_view caption);

private:
    std::array<ControlState, kRows> m_controls;
    bool m_timerEnabled = true;
};

} // namespace angoli
