// SPDX-License-Identifier: GPL-3.0-or-later
// The services the game calls on its window: controls, dialogs, the timer, the time and the end.
#include "platform/win32/formwindow.h"

#include "platform/win32/formaccessible.h"
#include "platform/win32/inputbox.h"
#include "platform/windows/wintext.h"
#include "runtime/processend.h"

#include <utility>

namespace angoli::win32
{

std::string FormWindow::Caption(Label label) const
{
    return m_controls[label.row].caption;
}

void FormWindow::setCaption(Label label, std::string_view text)
{
    ControlState &s = m_controls[label.row];
    if (s.caption == text)
        return;
    const std::string before = std::exchange(s.caption, std::string(text));
    if (layout::kControls[label.row].flags & layout::kAutoSize)
        fitToCaption(label.row);
    repaint(label.row);
    m_accessibility->captionChanged(m_window, label.row, before);
}

std::string FormWindow::Caption(OptionButton button) const
{
    return m_controls[button.row].caption;
}

void FormWindow::setValue(OptionButton button, bool value)
{
    ControlState &s = m_controls[button.row];
    if (s.value == value)
        return;
    s.value = value;
    if (layout::kControls[button.row].kind == layout::Kind::RadioOption)
        SendMessageW(s.window, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    repaintButton(button);
}

void FormWindow::setBackColor(OptionButton button, Colour colour)
{
    m_controls[button.row].back = colour;
    repaintButton(button);
}

void FormWindow::setForeColor(OptionButton button, Colour colour)
{
    m_controls[button.row].fore = colour;
    repaintButton(button);
}

void FormWindow::setVisible(OptionButton button, bool visible)
{
    m_controls[button.row].visible = visible;
    ShowWindow(m_controls[button.row].window, visible ? SW_SHOWNA : SW_HIDE);
}

void FormWindow::setEnabled(OptionButton button, bool enabled)
{
    m_controls[button.row].enabled = enabled;
    EnableWindow(m_controls[button.row].window, enabled);
}

void FormWindow::repaint(int row)
{
    if (m_window == nullptr)
        return;
    const RECT &b = m_controls[std::size_t(row)].bounds;
    const RECT r = m_scale.rect(b.left, b.top, b.right - b.left, b.bottom - b.top);
    InvalidateRect(m_window, &r, FALSE);
}

void FormWindow::repaintButton(OptionButton button)
{
    if (HWND w = m_controls[button.row].window)
        InvalidateRect(w, nullptr, FALSE);
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

std::string FormWindow::InputBox(std::string_view prompt, std::string_view title)
{
    // What the window still lacks is made while the player types, or right after a quicker
    // answer: the dialog shows without waiting for it.
    if (!m_contentsMade && m_window != nullptr)
        SetTimer(m_window, kMakeContentsTimer, kMakeContentsDelayMs, nullptr);
    const auto typed = showInputBox(dialogOwner(), windows::toWide(prompt), windows::toWide(title));
    makeContents();
    return typed ? windows::toUtf8(*typed) : std::string();
}

void FormWindow::setTimerEnabled(bool enabled)
{
    m_timerEnabled = enabled;
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
