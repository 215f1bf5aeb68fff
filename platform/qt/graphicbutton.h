// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace angoli
{

// What the game changes on an element of Option1, whatever its look: the value buttons are
// graphical, the hidden "0" a plain option button.
class OptionControl
{
public:
    virtual QAbstractButton &button() = 0;
    virtual void setValue(bool value) = 0;
    virtual void setBackColor(const QColor &colour) = 0;
    virtual void setForeColor(const QColor &colour) = 0;

protected:
    ~OptionControl() = default;
};

// A button that shows its picture above its caption on a coloured face.
// As a value button it also keeps a Value: it looks pressed in while the
// Value is True, and each press selects it and reports one selection.
class GraphicButton final : public QAbstractButton, public OptionControl
{
    Q_OBJECT
public:
    GraphicButton(bool isOption, QWidget *parent);

    QAbstractButton &button() override { return *this; }
    bool value() const { return m_value; }
    void setValue(bool value) override;
    void setPicture(const QPixmap &picture);
    void setBackColor(const QColor &colour) override;
    void setForeColor(const QColor &colour) override;
    QColor backColor() const { return m_back; }
    QColor foreColor() const { return m_fore; }
    // The picture as last painted, at the device pixel ratio of that paint.
    const QPixmap &shownPicture() const { return m_shownPicture; }

Q_SIGNALS:
    void selected();    // a value button was pressed: its Value is now True
    void focusGained(); // the button took the keyboard focus

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onClicked();
    const QPixmap &pictureAt(qreal ratio);

    bool m_isOption;
    bool m_value = false;
    QPixmap m_picture;
    QPixmap m_shownPicture; // m_picture scaled once per device pixel ratio, not at every paint
    QColor m_back;
    QColor m_fore;
};

} // namespace angoli
