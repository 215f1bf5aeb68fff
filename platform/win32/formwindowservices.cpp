// SPDX-License-Identifier: GPL-3.0-or-later
// The services the game calls on its window: the model's changes shown, dialogs, the timer, the
// time and the end.
#include "platform/win32/formaccessible.h"
#include "platform/win32/formwindow.h"
#include "platform/win32/inputbox.h"
#include "platform/windows/wintext.h"
#include "runtime/processend.h"

namespace angoli::win32
{

void FormWindow::setCaption(Label label, std::string_view text)
{
    const SpokenTexts said = model().spoken(label.row);
    ModelledRuntime::setCaption(label, text);
    m_accessibility->captionChanged(m_window, label.row, said);
}

void FormWindow::changed(std::size_t row, Change what)
{
    HWND control = m_natives[row].window;
    switch (what) {
    case Change::Caption:
        repaint(row); // where it was, before an auto-size label takes its new size
        if (layout::kControls[row].flags & layout::kAutoSize)
            fitToCaption(row);
        break;
    case Change::Size:
        repaint(row);
        placeTooltip(row);
        break;
    case Change::Value:
        if (layout::kControls[row].kind == layout::Kind::RadioOption)
            SendMessageW(control, BM_SETCHECK, model()[row].value ? BST_CHECKED : BST_UNCHECKED, 0);
        [[fallthrough]];
    case Change::Colours:
        if (control != nullptr)
            InvalidateRect(control, nullptr, FALSE);
        break;
    case Change::Visible:
        ShowWindow(control, model()[row].visible ? SW_SHOWNA : SW_HIDE);
        break;
    case Change::Enabled:
        EnableWindow(control, model()[row].enabled);
        break;
    }
}

void FormWindow::repaint(std::size_t row)
{
    if (m_window == nullptr)
        return;
    const RECT r = controlRect(model(), row, m_scale);
    InvalidateRect(m_window, &r, FALSE);
}

HWND FormWindow::dialogOwner() const
{
    // Before the window is shown the dialogs stand on their own, in the task bar.
    return m_window != nullptr && IsWindowVisible(m_window) ? m_window : nullptr;
}

void FormWindow::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    const std::wstring text = windows::toWide(prompt), caption = windows::toWide(title);
    // The message box styles are Windows' own: 0 no icon, 48 exclamation, 64 information.
    const UINT flags = MB_OK | UINT(style) | (dialogOwner() ? MB_APPLMODAL : MB_SETFOREGROUND);
    MessageBoxW(dialogOwner(), text.c_str(), caption.c_str(), flags);
}

std::string FormWindow::askText(std::string_view prompt, std::string_view title)
{
    const auto typed = showInputBox(dialogOwner(), windows::toWide(prompt), windows::toWide(title));
    return typed ? windows::toUtf8(*typed) : std::string();
}

void FormWindow::makeWindowAfter(std::chrono::milliseconds delay)
{
    if (m_window != nullptr)
        SetTimer(m_window, kMakeWindowTimer, UINT(delay.count()), nullptr);
}

void FormWindow::runTimer(bool enabled)
{
    if (m_window == nullptr)
        return;
    // Started afresh, so the first tick comes one interval after enabling.
    if (enabled)
        SetTimer(m_window, kTimer1, layout::kTimerIntervalMs, nullptr);
    else
        KillTimer(m_window, kTimer1);
}

void FormWindow::Beep()
{
    MessageBeep(MB_OK);
}

float FormWindow::secondsSinceMidnight()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return float(now.wHour * 3600 + now.wMinute * 60 + now.wSecond) +
           float(now.wMilliseconds) / 1000.0f;
}

void FormWindow::End()
{
    endProcess();
}

} // namespace angoli::win32
