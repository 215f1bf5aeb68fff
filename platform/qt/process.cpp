// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/process.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace angoli
{

void prepareProcess()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

void trimStartupMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

int PlainDialogStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                                QStyleHintReturn *returnData) const
{
    if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace angoli
