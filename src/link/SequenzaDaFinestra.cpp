#include "link/SequenzaDaFinestra.h"

#include "platform/Dialogs.h"

namespace ludra {

SequenzaDaFinestra::SequenzaDaFinestra(const QString& nome, TipoSequenza tipo,
                                       std::optional<Finestra> finestra)
    : sequenza_(nome, tipo, finestra)
{
    // Refused behind the commands waiting, it has said so in a box already.
    if (!sequenza_ && !AttivitaInCorso().isEmpty())
        platform::avviso(nome + QStringLiteral(" refused: ") + AttivitaInCorso()
                         + QStringLiteral(" is running"));
}

bool RifiutoAnticipato(const QString& nome)
{
    // With the link held or commands waiting, the trial takes nothing: it is refused, or
    // runs inside what holds the link, or in the queue's turn, and ends at once.
    if (AttivitaInCorso().isEmpty() && ComandiInAttesa().isEmpty())
        return false;
    const SequenzaDaFinestra prova(nome, TipoSequenza::Breve);
    return !prova;
}

} // namespace ludra
