#include "support/Banco.h"

#include "app/Avvio.h"
#include "support/Ladder.h"

namespace ludra::test {

void Banco::apri(Avvio avvio)
{
    if (avvio == Avvio::Progetto)
        avviaProgetto();
    else
        AzzeraStatoProcesso();
    dialogs = FakeDialogs{};
    prima_ = platform::setDialogs(&dialogs);
}

void Banco::chiudi()
{
    platform::setDialogs(prima_);
    prima_ = nullptr;
    AzzeraStatoProcesso();
}

} // namespace ludra::test
