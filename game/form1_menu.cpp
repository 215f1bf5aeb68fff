// The Help menu: the instruction and the definitions.
#include "game/form1.h"

#include "game/definitions.h"

namespace angoli
{

void Form1::showDefinition(const char *item)
{
    for (const Definition &d : definitions()) {
        if (qstrcmp(d.item, item) == 0) {
            m_services.dialogs.MsgBox(QString::fromUtf8(d.prompt), d.style,
                                      d.title ? QString::fromUtf8(d.title) : QString());
            return;
        }
    }
}

void Form1::help_Click()
{
    showDefinition("help");
}
void Form1::acuto_Click()
{
    showDefinition("acuto");
}
void Form1::retto_Click()
{
    showDefinition("retto");
}
void Form1::ottuso_Click()
{
    showDefinition("ottuso");
}
void Form1::piatto_Click()
{
    showDefinition("piatto");
}
void Form1::concavo_Click()
{
    showDefinition("concavo");
}
void Form1::grio_Click()
{
    showDefinition("grio");
}
void Form1::expl_Click()
{
    showDefinition("expl");
}

} // namespace angoli
