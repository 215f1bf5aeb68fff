// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/formmodel.h"

namespace angoli
{

namespace
{

constexpr std::size_t kCommand2 = layout::rowOf("Command2", -1);

bool isBlank(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// Runs of blanks, tabs and line breaks read as one blank; none at either end.
std::string simplified(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (const char ch : text) {
        if (isBlank(ch)) {
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

// text with every "%1" replaced by caption, then simplified.
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

template <typename T> bool assign(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

FormModel::FormModel()
{
    for (std::size_t row = 0; row < kRows; ++row) {
        const layout::Control &c = layout::kControls[row];
        m_controls[row] = {c.caption ? c.caption : "",
                           c.foreColor,
                           c.backColor,
                           c.visible,
                           c.enabled,
                           false,
                           c.width,
                           c.height};
    }
    m_timerEnabled = layout::kControls[layout::rowOf("Timer1", -1)].enabled;
}

bool FormModel::setCaption(std::size_t row, std::string_view caption)
{
    if (m_controls[row].caption == caption)
        return false;
    m_controls[row].caption = caption;
    return true;
}

bool FormModel::setValue(std::size_t row, bool value)
{
    return assign(m_controls[row].value, value);
}

bool FormModel::setBackColor(std::size_t row, Colour colour)
{
    return assign(m_controls[row].back, colour);
}

bool FormModel::setForeColor(std::size_t row, Colour colour)
{
    return assign(m_controls[row].fore, colour);
}

bool FormModel::setVisible(std::size_t row, bool visible)
{
    return assign(m_controls[row].visible, visible);
}

bool FormModel::setEnabled(std::size_t row, bool enabled)
{
    return assign(m_controls[row].enabled, enabled);
}

bool FormModel::fitTo(std::size_t row, int width, int height)
{
    const bool w = assign(m_controls[row].width, width);
    const bool h = assign(m_controls[row].height, height);
    return w || h;
}

int FormModel::picture(std::size_t row) const
{
    if (row == kCommand2 && !m_controls[row].enabled)
        return layout::kCommand2SecondPicture;
    return layout::kControls[row].picture;
}

bool FormModel::canTakeFocus(std::size_t row) const
{
    return form::isFocusable(row) && m_controls[row].visible && m_controls[row].enabled;
}

std::optional<std::size_t> FormModel::firstFocus() const
{
    for (const std::uint8_t row : form::kTabOrder) {
        if (canTakeFocus(row))
            return row;
    }
    return std::nullopt;
}

std::optional<std::size_t> FormModel::nextFocus(std::size_t row, bool backwards) const
{
    const std::size_t n = form::kTabOrder.size();
    std::size_t at = n; // a control outside the order starts before its first element
    for (std::size_t i = 0; i < n; ++i) {
        if (form::kTabOrder[i] == row)
            at = i;
    }
    if (at == n)
        at = backwards ? 0 : n - 1;
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t i = backwards ? (at + n - step % n) % n : (at + step) % n;
        if (canTakeFocus(form::kTabOrder[i]))
            return form::kTabOrder[i];
    }
    return std::nullopt;
}

SpokenTexts FormModel::spoken(std::size_t row) const
{
    return spoken(row, m_controls[row].caption);
}

SpokenTexts FormModel::spoken(std::size_t row, std::string_view caption)
{
    const layout::Control &c = layout::kControls[row];
    const std::string said = simplified(caption);
    SpokenTexts texts;
    texts.name = c.accessible.name ? filled(c.accessible.name, said) : said;
    if (c.accessible.description)
        texts.description = filled(c.accessible.description, said);
    else if (c.tooltip)
        texts.description = c.tooltip;
    return texts;
}

} // namespace angoli
