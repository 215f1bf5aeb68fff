// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtfakes.h"

namespace angoli::qttest
{

void ScriptedDialogs::message(const QString &prompt, MsgStyle style, const QString &title)
{
    messages.append({prompt, style, title});
    if (onMessage)
        onMessage(messages.last());
}

QString ScriptedDialogs::askText(const QString &prompt, const QString &title)
{
    inputs.append({prompt, 0, title});
    return names.isEmpty() ? QString() : names.takeFirst();
}

void FakeTicks::fire(int n)
{
    for (int i = 0; i < n && m_enabled; ++i) {
        if (onTick)
            onTick();
    }
}

} // namespace angoli::qttest
