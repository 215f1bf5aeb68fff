#pragma once

#include <QString>
#include <functional>

namespace angoli
{

// The title every message box without a title of its own shows.
inline const QString kApplicationTitle = QStringLiteral("Angoli esplementari");

// Message box styles: one OK button, with or without an icon.
enum MsgStyle : int { kPlain = 0, kExclamation = 48, kInformation = 64 };

// Modal dialogs. The window calls them from its handlers; tests script the answers.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // An empty title stands for the application title.
    void MsgBox(const QString &prompt, int style = kPlain, const QString &title = QString())
    {
        showMessage(prompt, style, title.isEmpty() ? kApplicationTitle : title);
    }
    // Returns the typed text, or "" on Cancel.
    QString InputBox(const QString &prompt, const QString &title) { return askText(prompt, title); }

protected:
    virtual void showMessage(const QString &prompt, int style, const QString &title) = 0;
    virtual QString askText(const QString &prompt, const QString &title) = 0;
};

// The repeating one-second timer of the window; the window sets onTick.
class TickSource
{
public:
    virtual ~TickSource() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    std::function<void()> onTick;
};

// Seconds since midnight, as a Single.
class TimeOfDay
{
public:
    virtual ~TimeOfDay() = default;
    virtual float secondsSinceMidnight() = 0;
};

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Mixes the seed into the generator's state, so two re-seeds with the
    // same clock reading still lead to different draws.
    virtual void Randomize(float seed) = 0;
    // A Single in [0, 1).
    virtual float Rnd() = 0;
};

// Ends the program at once: nothing more of the running handler runs.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void End() = 0;
};

// Everything the window needs from the outside world, handed in by main()
// or by a test.
struct Services {
    Dialogs &dialogs;
    TickSource &timer;
    TimeOfDay &time;
    RandomSource &random;
    ProgramEnd &end;
    std::function<QString()> systemDir; // the record directory, with a trailing separator
};

} // namespace angoli
