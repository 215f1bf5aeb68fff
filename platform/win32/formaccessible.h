// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/win32/accessible.h"
#include "platform/win32/formwindow.h"

#include <string>
#include <string_view>

namespace angoli::win32
{

// What a screen reader says of a control, in the layout's Italian: "%1" stands for the caption,
// whose line breaks read as blanks; no name reads the caption, no description the tooltip.
struct SpokenTexts {
    std::string name;
    std::string description;
};
SpokenTexts spokenTexts(int row, std::string_view caption);

// The window as screen readers hear it: its labels, only painted, as static texts that follow
// their captions; the buttons and the picture box with their names and descriptions.
class FormAccessibility final : public AccessibleSource
{
public:
    FormAccessibility(const ControlStates &controls, const Scale &scale);

    // WM_GETOBJECT sent to the form; 0 leaves it to the system.
    LRESULT answer(HWND form, WPARAM w, LPARAM l);
    // The control answers WM_GETOBJECT here from now on, if the layout describes it.
    void describe(HWND control, int row);
    // Tells screen readers what they say of the label now, if a new caption changed it.
    void captionChanged(HWND form, int row, std::string_view before) const;
    // The window is going: what screen readers still hold no longer reaches the controls.
    void reset();

    // AccessibleSource.
    long itemCount(HWND window) const override;
    AccessibleItem item(HWND window, long index) const override;
    std::wstring name(HWND window) const override;
    std::wstring description(HWND window) const override;

private:
    static LRESULT CALLBACK controlProc(HWND window, UINT message, WPARAM w, LPARAM l, UINT_PTR id,
                                        DWORD_PTR self);
    int describedRow(HWND window) const;

    const ControlStates &m_controls;
    const Scale &m_scale;
    AccessibleServer m_form;
    std::array<AccessibleServer, layout::kControls.size()> m_windowed; // by row
};

} // namespace angoli::win32
