// The clock and the end of the game.
#include "game/form1.h"

#include "game/caption.h"
#include "game/countdown.h"
#include "platform/fileerror.h"
#include "records/recordstore.h"

namespace angoli
{

namespace
{
constexpr char kFarewell[] = "Ciao a presto ";
constexpr char kRecordSet[] = "Ok ho registrato il tuo record, C A M P I O N E";
constexpr qint16 kDelayLoop = 1000;
} // namespace

void Form1::Avviaconto()
{
    m_services.timer.setEnabled(true);
    countdown::start(m_state);
    lbl("lblconto")->setCaption(countdown::startText(m_state));
}

void Form1::Timer1_Timer()
{
    if (lbl("lblconto")->caption() == QLatin1String(countdown::kTimeUp)) {
        Cmdexit1_Click();
        return;
    }
    countdown::tick(m_state);
    lbl("lblconto")->setCaption(countdown::text(m_state));
}

void Form1::Cmdexit1_Click()
{
    // A tick that finds the clock at zero while the farewell is open must not start a second exit.
    if (m_exiting)
        return;
    m_exiting = true;
    m_services.dialogs.MsgBox(QString::fromUtf8(kFarewell) + lbl("lblnome1")->caption());
    for (m_state.ritardo = 1; m_state.ritardo <= kDelayLoop; ++m_state.ritardo) {
    }
    try {
        // The stored record is read again under a lock: another game may have set one meanwhile.
        m_state.testo = lbl("lblScore")->caption();
        if (storeIfRecord(m_state.dirwin, m_state.testo, lbl("lblnome1")->caption()))
            m_services.dialogs.MsgBox(QString::fromUtf8(kRecordSet));
    } catch (const FileError &error) {
        failAndEnd(error);
    }
    m_services.end.End();
}

} // namespace angoli
