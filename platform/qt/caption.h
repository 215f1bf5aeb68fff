// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace angoli
{

// A label painted on the window's surface: its text, and only its text when
// transparent. The caption is kept exactly as set (a record file's CR LF
// included); line breaks are only interpreted for display.
class CaptionLabel : public QWidget
{
    Q_OBJECT
public:
    CaptionLabel(unsigned flags, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    void setForeColor(const QColor &colour);
    void setBackColor(const QColor &colour);
    QColor foreColor() const { return m_fore; }
    QColor backColor() const { return m_back; }
    bool isTransparent() const;
    bool hasBorder() const;
    bool isCentred() const;
    bool isAutoSize() const;
    // Repeats another label or lies hidden under a button: screen readers leave it out.
    bool isDecorative() const;

    // What a screen reader says: "%1" in either text stands for the caption, so both follow
    // it. An empty name reads the caption itself.
    void setAccessibleTexts(const QString &name, const QString &description);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString displayText() const;
    void fitToText();
    void updateAccessibleTexts();

    unsigned m_flags;
    QString m_caption;
    QString m_accessibleName;
    QString m_accessibleDescription;
    QColor m_fore;
    QColor m_back;
};

// A rectangle with a one-pixel border, filled with its inside colour.
class ShapeBox : public QWidget
{
    Q_OBJECT
public:
    ShapeBox(const QColor &border, const QColor &inside, QWidget *parent);
    QColor borderColor() const { return m_border; }
    QColor insideColor() const { return m_inside; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_border;
    QColor m_inside;
};

} // namespace angoli
