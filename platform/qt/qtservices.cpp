// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qtservices.h"

#include "runtime/processend.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTime>

namespace angoli
{

void QtDialogs::message(const QString &prompt, MsgStyle style, const QString &title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    box.setIcon(style == kExclamation   ? QMessageBox::Warning
                : style == kInformation ? QMessageBox::Information
                                        : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

QString QtDialogs::askText(const QString &prompt, const QString &title)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annulla"));
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QtTickSource::QtTickSource(int intervalMs)
{
    m_timer.setInterval(intervalMs);
    m_timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (onTick)
            onTick();
    });
}

void QtTickSource::setEnabled(bool enabled)
{
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

float TimeOfDay::secondsSinceMidnight()
{
    return float(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

void ProgramEnd::End()
{
    endProcess();
}

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
