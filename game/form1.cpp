// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and what the handlers share.
#include "game/form1.h"

#include "game/controls.h"
#include "game/countdown.h"
#include "records/recordfolder.h"
#include "runtime/fileerror.h"
#include "runtime/random.h"

namespace angoli
{

namespace
{
constexpr std::string_view kApplicationTitle = "Angoli esplementari";
constexpr std::string_view kStartTitle = "Riconosciamo gli angoli";
// No file stays open between two handlers, so the lowest number is always the free one.
constexpr std::int16_t kFreeFileNumber = 1;
} // namespace

Form1::Form1(FormsRuntime &ui, RandomSource &random, RecordFolder &records)
    : m_ui(ui), m_random(random), m_records(records)
{
}

void Form1::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    m_ui.MsgBox(prompt, style, title.empty() ? kApplicationTitle : title);
}

void Form1::Form_Load()
{
    m_random.Randomize(m_ui.secondsSinceMidnight());
    m_ui.setTimerEnabled(false);
    const std::string name = m_ui.InputBox("Come ti chiami?", kStartTitle);
    MsgBox(" " + name + " vediamo se sei un vero campione  ", kExclamation, kStartTitle);
    m_ui.setCaption(form::lblnome1, name);
    Avviaconto();
    try {
        m_state.dirwin = GetSystemDir();
        m_state.numfile = kFreeFileNumber;
        // Creates the missing files, then reads both as one pair.
        const StoredRecord stored = m_records.open(m_state.dirwin);
        m_ui.setCaption(form::lblpunti, stored.score);
        m_ui.setCaption(form::lblnome, stored.holder);
    } catch (const FileError &error) {
        MsgBox(error.message());
        if (error.action != FileError::Action::Wait)
            m_ui.End();
        // Another game holds the folder past the wait: play on without showing the record.
        // The exit re-reads it under the lock, so no record is lost.
        m_ui.setCaption(form::lblpunti, "");
        m_ui.setCaption(form::lblnome, "");
    }
    m_ui.setCaption(form::lblconto, countdown::text(m_state));
    Command4_Click();
}

std::string Form1::GetSystemDir()
{
    return m_records.GetSystemDir();
}

} // namespace angoli
