// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/win32/accessible.h"
#include "platform/win32/formwindow.h"

#include <cstddef>
#include <string>

namespace angoli::win32
{

// The window as screen readers hear it (the texts are the model's): its labels, only painted,
// as static texts that follow their captions; the buttons and the picture box with their names
// and descriptions.
class FormAccessibility final : public AccessibleSource
{
public:
    FormAccessibility(const FormModel &model, const NativeControls &natives, const Scale &scale);

    // WM_GETOBJECT sent to the form; 0 leaves it to the system.
    LRESULT answer(HWND form, WPARAM w, LPARAM l);
    // The control answers WM_GETOBJECT here from now on, if the layout describes it.
    void describe(HWND control, std::size_t row);
    // Tells screen readers what they say of the label now, if it differs from what they said.
    void captionChanged(HWND form, std::size_t row, const SpokenTexts &said) const;
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

    const FormModel &m_model;
    const NativeControls &m_natives;
    const Scale &m_scale;
    AccessibleServer m_form;
    std::array<AccessibleServer, layout::kControls.size()> m_windowed; // by row
};

} // namespace angoli::win32
