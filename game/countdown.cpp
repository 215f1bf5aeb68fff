#include "game/countdown.h"

#include "platform/vbruntime.h"

namespace angoli::countdown
{

namespace
{
QString join(const QString &h, const QString &m, const QString &s)
{
    return h + QLatin1Char(':') + m + QLatin1Char(':') + s;
}
} // namespace

void start(GameState &state)
{
    state.ore = 0;
    state.minuti = kStartMinutes;
    state.secondi = 0;
}

QString text(const GameState &state)
{
    const auto two = QStringLiteral("00");
    return join(Format(state.ore, two), Format(state.minuti, two), Format(state.secondi, two));
}

QString startText(const GameState &state)
{
    const auto two = QStringLiteral("00");
    return join(Format(state.ore, two), Format(state.minuti, QStringLiteral("15")),
                Format(state.secondi, two));
}

void tick(GameState &state)
{
    if (state.secondi == 0) {
        if (state.minuti > 0) {
            state.minuti -= 1;
            state.secondi = 60;
        } else if (state.ore > 0) {
            state.ore -= 1;
            state.minuti = 59;
            state.secondi = 60;
        }
    }
    state.secondi -= 1.0f;
}

} // namespace angoli::countdown
