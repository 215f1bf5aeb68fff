#pragma once

#include "platform/services.h"

#include <QTimer>

namespace angoli
{

// Real modal boxes: QMessageBox with one OK button, QInputDialog for text.
class QtDialogs final : public Dialogs
{
protected:
    void showMessage(const QString &prompt, int style, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;
};

// Timer1: one tick a second while enabled.
class QtTickSource final : public TickSource
{
public:
    static constexpr int kIntervalMs = 1000;
    QtTickSource();
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

class SystemTimeOfDay final : public TimeOfDay
{
public:
    float secondsSinceMidnight() override;
};

// End: flush what is buffered and leave at once, from whatever nested event
// loop the call comes; record files are already closed and synced by then.
class ProcessEnd final : public ProgramEnd
{
public:
    [[noreturn]] void End() override;
};

} // namespace angoli
