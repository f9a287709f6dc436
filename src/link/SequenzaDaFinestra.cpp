#include "link/SequenzaDaFinestra.h"

#include "platform/Dialogs.h"

namespace ludra {

namespace {

// Refused behind the commands waiting, it has said so in a box already.
void avvisaRifiuto(const QString& nome)
{
    if (!AttivitaInCorso().isEmpty())
        RifiutoInBox(nome + QStringLiteral(" refused: ") + AttivitaInCorso() +
                     QStringLiteral(" is running"));
}

} // namespace

SequenzaDaFinestra::SequenzaDaFinestra(const QString& nome, TipoSequenza tipo,
                                       std::optional<Finestra> finestra)
    : sequenza_(nome, tipo, finestra)
{
    if (!sequenza_)
        avvisaRifiuto(nome);
}

bool ComandoRifiutatoDaFinestra(const QString& comando, Effetto effetto)
{
    if (!ComandoRifiutato(comando, effetto))
        return false;
    avvisaRifiuto(comando);
    return true;
}

bool RifiutoAnticipato(const QString& nome)
{
    if (!SequenzaRifiutata(nome))
        return false;
    avvisaRifiuto(nome);
    return true;
}

} // namespace ludra
