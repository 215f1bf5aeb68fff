// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

namespace angoli
{

// Before QApplication exists: the clock repaints once a second, and with X's shared-memory
// images Qt makes an extra round trip to the server before each repaint, which wakes the game
// three times a second instead of once. Plain images cost nothing at this window's size.
// A choice made in the environment by the user is kept.
void prepareProcess();

// Once the window is up: hands the buffers freed after start-up (the decoded pictures) back
// to the system.
void trimStartupMemory();

// The desktop's style, without theme icons on dialog buttons: looking them up costs more than
// the rest of the name dialog.
class PlainDialogStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;
};

} // namespace angoli
