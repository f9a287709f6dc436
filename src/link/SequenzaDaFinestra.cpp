#include "link/SequenzaDaFinestra.h"

#include "platform/Dialogs.h"

namespace ludra {

SequenzaDaFinestra::SequenzaDaFinestra(const QString& nome, TipoSequenza tipo,
                                       std::optional<Finestra> finestra)
    : sequenza_(nome, tipo, finestra)
{
    // Only something else holding the link refuses a sequence.
    if (!sequenza_)
        platform::avviso(nome + QStringLiteral(" refused: ") + AttivitaInCorso()
                         + QStringLiteral(" is running"));
}

bool RifiutoAnticipato(const QString& nome)
{
    // With the link held, the trial takes nothing: it is refused, or runs inside what
    // holds the link and ends with it.
    if (AttivitaInCorso().isEmpty())
        return false;
    const SequenzaDaFinestra prova(nome, TipoSequenza::Breve);
    return !prova;
}

} // namespace ludra
