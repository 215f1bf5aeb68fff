// SPDX-License-Identifier: GPL-3.0-or-later
// The clock and the end of the game.
#include "game/form1.h"

#include "game/controls.h"
#include "game/countdown.h"
#include "records/recordfolder.h"
#include "runtime/conversions.h"
#include "runtime/fileerror.h"

namespace angoli
{

namespace
{
constexpr std::string_view kFarewell = "Ciao a presto ";
constexpr std::string_view kRecordSet = "Ok ho registrato il tuo record, C A M P I O N E";
constexpr std::int16_t kDelayLoop = 1000;
} // namespace

void Form1::Avviaconto()
{
    m_ui.setTimerEnabled(true);
    countdown::start(m_state);
    m_ui.setCaption(form::lblconto, countdown::startText(m_state));
}

void Form1::Timer1_Timer()
{
    if (m_ui.Caption(form::lblconto) == countdown::kTimeUp) {
        Cmdexit1_Click();
        return;
    }
    countdown::tick(m_state);
    m_ui.setCaption(form::lblconto, countdown::text(m_state));
}

void Form1::Cmdexit1_Click()
{
    // A tick that finds the clock at zero while the farewell is open must not start a second exit.
    if (m_exiting)
        return;
    m_exiting = true;
    const std::string name = m_ui.Caption(form::lblnome1);
    MsgBox(std::string(kFarewell) + name);
    for (m_state.ritardo = 1; m_state.ritardo <= kDelayLoop; ++m_state.ritardo) {
    }
    const double record = Val(m_ui.Caption(form::lblpunti));
    m_state.testo = m_ui.Caption(form::lblScore);
    const double score = Val(m_state.testo);
    if (record >= score)
        m_ui.End();
    try {
        // Stored only if still a record: another game may have set a higher one meanwhile.
        if (m_records.storeIfRecord(m_state.dirwin, m_state.testo, name))
            MsgBox(kRecordSet);
    } catch (const FileError &error) {
        MsgBox(error.message());
    }
    m_ui.End();
}

} // namespace angoli
