// SPDX-License-Identifier: GPL-3.0-or-later
// The form's labels as static texts for screen readers, and the described controls' texts.
#include "platform/win32/formaccessible.h"

#include "platform/windows/wintext.h"

#include <commctrl.h>

#include <algorithm>

namespace angoli::win32
{

namespace
{

constexpr auto kSpokenRows = [] {
    constexpr std::size_t count = [] {
        std::size_t n = 0;
        for (std::size_t row = 0; row < FormModel::kRows; ++row)
            n += form::isSpokenLabel(row) ? 1 : 0;
        return n;
    }();
    std::array<std::size_t, count> rows{};
    std::size_t n = 0;
    for (std::size_t row = 0; row < FormModel::kRows; ++row)
        if (form::isSpokenLabel(row))
            rows[n++] = row;
    return rows;
}();

} // namespace

FormAccessibility::FormAccessibility(const FormModel &model, const NativeControls &natives,
                                     const Scale &scale)
    : m_model(model), m_natives(natives), m_scale(scale)
{
}

LRESULT FormAccessibility::answer(HWND form, WPARAM w, LPARAM l)
{
    return m_form.answer(form, w, l, *this);
}

void FormAccessibility::describe(HWND control, std::size_t row)
{
    if (control != nullptr && form::isDescribed(row))
        SetWindowSubclass(control, &FormAccessibility::controlProc, 0,
                          reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FormAccessibility::controlProc(HWND window, UINT message, WPARAM w, LPARAM l,
                                                UINT_PTR id, DWORD_PTR self)
{
    auto *me = reinterpret_cast<FormAccessibility *>(self);
    if (message == WM_GETOBJECT) {
        const int row = rowOf(me->m_natives, window);
        if (row >= 0) {
            if (const LRESULT answer = me->m_windowed[std::size_t(row)].answer(window, w, l, *me))
                return answer;
        }
    } else if (message == WM_NCDESTROY) {
        const int row = rowOf(me->m_natives, window);
        if (row >= 0)
            me->m_windowed[std::size_t(row)].reset();
        RemoveWindowSubclass(window, &FormAccessibility::controlProc, id);
    }
    return DefSubclassProc(window, message, w, l);
}

void FormAccessibility::captionChanged(HWND form, std::size_t row, const SpokenTexts &said) const
{
    const auto at = std::find(kSpokenRows.begin(), kSpokenRows.end(), row);
    if (form == nullptr || at == kSpokenRows.end())
        return;
    const SpokenTexts now = m_model.spoken(row);
    const LONG child = firstItemId(form) + LONG(at - kSpokenRows.begin());
    if (now.name != said.name)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, form, OBJID_CLIENT, child);
    if (now.description != said.description)
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, form, OBJID_CLIENT, child);
}

void FormAccessibility::reset()
{
    m_form.reset();
    for (AccessibleServer &server : m_windowed)
        server.reset();
}

long FormAccessibility::itemCount(HWND window) const
{
    return rowOf(m_natives, window) < 0 ? long(kSpokenRows.size()) : 0;
}

AccessibleItem FormAccessibility::item(HWND window, long index) const
{
    const std::size_t row = kSpokenRows[std::size_t(index)];
    const SpokenTexts texts = m_model.spoken(row);
    AccessibleItem item{windows::toWide(texts.name), windows::toWide(texts.description),
                        controlRect(m_model, row, m_scale), m_model[row].visible};
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&item.screen), 2);
    return item;
}

std::wstring FormAccessibility::name(HWND window) const
{
    const int row = rowOf(m_natives, window);
    return row < 0 ? std::wstring() : windows::toWide(m_model.spoken(std::size_t(row)).name);
}

std::wstring FormAccessibility::description(HWND window) const
{
    const int row = rowOf(m_natives, window);
    return row < 0 ? std::wstring() : windows::toWide(m_model.spoken(std::size_t(row)).description);
}

} // namespace angoli::win32
