// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/formmodel.h"

#include <QWidget>

namespace angoli
{

// A label painted on the window's surface, as its row of the form model says: its caption, and
// only its caption when transparent. Line breaks in the caption (a record file's CR LF) are
// only interpreted for display.
class CaptionLabel final : public QWidget
{
    Q_OBJECT
public:
    CaptionLabel(const FormModel &model, std::size_t row, QWidget *parent);

    // The caption as shown: each line break of any kind one new line.
    QString text() const;
    bool isAutoSize() const { return m_flags & layout::kAutoSize; }
    // The size that shows the whole caption in the label's font, border included.
    QSize fittedSize() const;
    // Screen readers read it: it repeats no other label and does not lie hidden.
    bool isSpoken() const { return form::isSpokenLabel(m_row); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const FormModel &m_model;
    std::size_t m_row;
    unsigned m_flags;
};

// A rectangle with a one-pixel border in its row's ForeColor, filled with its BackColor.
class ShapeBox final : public QWidget
{
    Q_OBJECT
public:
    ShapeBox(const FormModel &model, std::size_t row, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const FormModel &m_model;
    std::size_t m_row;
};

} // namespace angoli
