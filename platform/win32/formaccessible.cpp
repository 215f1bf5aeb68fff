// SPDX-License-Identifier: GPL-3.0-or-later
// The form's labels as static texts for screen readers, and the described controls' texts.
#include "platform/win32/formaccessible.h"

#include "platform/win32/controlids.h"
#include "platform/windows/wintext.h"

#include <commctrl.h>

#include <algorithm>

namespace angoli::win32
{

namespace
{

using layout::kControls;

// Labels that are read: not those that repeat another or lie hidden under a button.
constexpr bool isSpoken(const layout::Control &c)
{
    return c.kind == layout::Kind::Label && !(c.flags & layout::kDecorative) && c.visible;
}

constexpr auto kSpokenRows = [] {
    std::array<int, std::count_if(kControls.begin(), kControls.end(), isSpoken)> rows{};
    std::size_t n = 0;
    for (std::size_t row = 0; row < kControls.size(); ++row)
        if (isSpoken(kControls[row]))
            rows[n++] = int(row);
    return rows;
}();

// A control says more than its window text: a name, a description or a tooltip.
bool isDescribed(const layout::Control &c)
{
    return c.accessible.name != nullptr || c.accessible.description != nullptr ||
           c.tooltip != nullptr;
}

// Runs of blanks, tabs and line breaks read as one blank; none at either end.
std::string simplified(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (const char ch : text) {
        if (ch == ' ' || (ch >= '\t' && ch <= '\r')) {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += ch;
    }
    return out;
}

std::string filled(std::string_view text, std::string_view caption)
{
    constexpr std::string_view kMark = "%1";
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t mark = text.find(kMark, at);
        out.append(text.substr(at, mark - at));
        if (mark == std::string_view::npos)
            break;
        out.append(caption);
        at = mark + kMark.size();
    }
    return simplified(out);
}

} // namespace

SpokenTexts spokenTexts(int row, std::string_view caption)
{
    const layout::Control &c = kControls[std::size_t(row)];
    const std::string spoken = simplified(caption);
    SpokenTexts texts;
    texts.name = c.accessible.name ? filled(c.accessible.name, spoken) : spoken;
    if (c.accessible.description)
        texts.description = filled(c.accessible.description, spoken);
    else if (c.tooltip)
        texts.description = c.tooltip;
    return texts;
}

FormAccessibility::FormAccessibility(const ControlStates &controls, const Scale &scale)
    : m_controls(controls), m_scale(scale)
{
}

LRESULT FormAccessibility::answer(HWND form, WPARAM w, LPARAM l)
{
    return m_form.answer(form, w, l, *this);
}

void FormAccessibility::describe(HWND control, int row)
{
    if (control != nullptr && isDescribed(kControls[std::size_t(row)]))
        SetWindowSubclass(control, &FormAccessibility::controlProc, 0,
                          reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK FormAccessibility::controlProc(HWND window, UINT message, WPARAM w, LPARAM l,
                                                UINT_PTR id, DWORD_PTR self)
{
    auto *me = reinterpret_cast<FormAccessibility *>(self);
    if (message == WM_GETOBJECT) {
        const int row = me->describedRow(window);
        if (row >= 0) {
            if (const LRESULT answer = me->m_windowed[std::size_t(row)].answer(window, w, l, *me))
                return answer;
        }
    } else if (message == WM_NCDESTROY) {
        const int row = me->describedRow(window);
        if (row >= 0)
            me->m_windowed[std::size_t(row)].reset();
        RemoveWindowSubclass(window, &FormAccessibility::controlProc, id);
    }
    return DefSubclassProc(window, message, w, l);
}

void FormAccessibility::captionChanged(HWND form, int row, std::string_view before) const
{
    const auto at = std::find(kSpokenRows.begin(), kSpokenRows.end(), row);
    if (form == nullptr || at == kSpokenRows.end())
        return;
    const SpokenTexts was = spokenTexts(row, before);
    const SpokenTexts now = spokenTexts(row, m_controls[std::size_t(row)].caption);
    const LONG child = firstItemId(form) + LONG(at - kSpokenRows.begin());
    if (now.name != was.name)
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, form, OBJID_CLIENT, child);
    if (now.description != was.description)
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, form, OBJID_CLIENT, child);
}

void FormAccessibility::reset()
{
    m_form.reset();
    for (AccessibleServer &server : m_windowed)
        server.reset();
}

int FormAccessibility::describedRow(HWND window) const
{
    const int row = rowOfControlId(GetDlgCtrlID(window));
    return row >= 0 && m_controls[std::size_t(row)].window == window ? row : -1;
}

long FormAccessibility::itemCount(HWND window) const
{
    return describedRow(window) < 0 ? long(kSpokenRows.size()) : 0;
}

AccessibleItem FormAccessibility::item(HWND window, long index) const
{
    const int row = kSpokenRows[std::size_t(index)];
    const ControlState &s = m_controls[std::size_t(row)];
    const SpokenTexts texts = spokenTexts(row, s.caption);
    AccessibleItem item{
        windows::toWide(texts.name), windows::toWide(texts.description), {}, s.visible};
    item.screen = m_scale.rect(s.bounds.left, s.bounds.top, s.bounds.right - s.bounds.left,
                               s.bounds.bottom - s.bounds.top);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&item.screen), 2);
    return item;
}

std::wstring FormAccessibility::name(HWND window) const
{
    const int row = describedRow(window);
    return row < 0 ? std::wstring()
                   : windows::toWide(spokenTexts(row, m_controls[std::size_t(row)].caption).name);
}

std::wstring FormAccessibility::description(HWND window) const
{
    const int row = describedRow(window);
    return row < 0 ? std::wstring()
                   : windows::toWide(
                         spokenTexts(row, m_controls[std::size_t(row)].caption).description);
}

} // namespace angoli::win32
