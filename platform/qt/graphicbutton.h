// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/formmodel.h"

#include <QAbstractButton>
#include <QPixmap>

namespace angoli
{

// A button as its row of the form model says: its picture above its caption on a coloured
// face, looking pressed in while its Value is True.
class GraphicButton final : public QAbstractButton
{
    Q_OBJECT
public:
    GraphicButton(const FormModel &model, std::size_t row, QWidget *parent);

    // The picture as last painted, at the device pixel ratio of that paint.
    const QPixmap &shownPicture() const { return m_shownPicture; }

Q_SIGNALS:
    void focusGained(); // the button took the keyboard focus

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The picture the model shows now, decoded once.
    void loadPicture();
    const QPixmap &pictureAt(qreal ratio);

    const FormModel &m_model;
    std::size_t m_row;
    int m_pictureNumber = layout::kNoPicture; // the picture that m_picture holds
    QPixmap m_picture;
    QPixmap m_shownPicture; // m_picture scaled once per device pixel ratio, not at every paint
};

} // namespace angoli
