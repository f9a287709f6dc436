#include "monitor/AggiornaRegistri.h"

#include "base/Log.h"
#include "base/Notifiche.h"
#include "link/Bersaglio.h"
#include "link/Conversioni.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "project/Registri.h"

namespace ludra {

int PrimoRegistroSchermo = 0;

namespace {

void parolaIn(std::size_t posizione, int valore)
{
    const auto b = WordInBytes(valore).value_or(CoppiaByte{0, 0});
    BuffTx[posizione] = b[1];
    BuffTx[posizione + 1] = b[0];
}

} // namespace

bool LeggiRispostaRegistri(int primo)
{
    // A reply is taken only when it carries every register asked for: a shorter one
    // would leave old bytes of the buffer standing in for values.
    constexpr int kByteDati = 2 * kRegistriPerLettura;
    const int checksum = ModoCom == kModoRtu ? 2 : 0;
    if (LenRx - checksum < 3 + kByteDati || BuffRx[2] != kByteDati)
        return false;
    for (int j = 0; j < kRegistriPerLettura; ++j) {
        const int r = primo + j;
        if (r < 0 || r > NumRegistri || r >= kRigheRegistri)
            continue;
        const std::int32_t n = BytesInWord(BuffRx[std::size_t(3 + 2 * j)],
                                           BuffRx[std::size_t(4 + 2 * j)], false);
        Registro& reg = TabellaRegistri[std::size_t(r)];
        // A write leaves a word in its signed form (-1 for FFFF): the same word read back
        // has not changed.
        reg.Cambiato = n != reg.Valore && n != reg.Valore + 65536;
        reg.Valore = n;
    }
    return true;
}

namespace {

bool leggiRegistri()
{
    {
        const Sequenza sequenza(QStringLiteral("Register refresh"), TipoSequenza::Breve);
        if (!sequenza)
            return false;
        // The registers on screen now: the window may scroll while the reply is awaited,
        // and the values belong to the registers that were asked for.
        const int primo = qMax(0, PrimoRegistroSchermo);
        BuffTx[0] = NodoRichieste();
        BuffTx[1] = 4;
        parolaIn(2, primo);
        BuffTx[4] = 0;
        BuffTx[5] = kRegistriPerLettura;
        LenTx = 6;
        if (InviaRichiesta(true) != kComOk)
            return false;
        if (!LeggiRispostaRegistri(primo)) {
            LogStart();
            LogWrite(QStringLiteral("Error"));
            return false;
        }
    }
    emit Notifiche::istanza().registriCambiati();
    return true;
}

} // namespace

void AggiornaRegistri_new(bool leggi)
{
    // Refreshes asked while one waits last merge into it: it reads what is on screen then.
    if (leggi)
        ComandoLettura(QStringLiteral("Register refresh"), leggiRegistri);
    else
        emit Notifiche::istanza().registriCambiati();
}

void ClearRegistri()
{
    constexpr int kRegistri = 16;
    const Sequenza sequenza(QStringLiteral("Register clear"), TipoSequenza::Breve);
    if (!sequenza)
        return;
    BuffTx[0] = NodoRichieste();
    BuffTx[1] = 16;
    parolaIn(2, PrimoRegUtente);
    BuffTx[4] = 0;
    BuffTx[5] = kRegistri;
    BuffTx[6] = 2 * kRegistri;
    for (std::size_t i = 7; i < 7 + 2 * kRegistri; ++i)
        BuffTx[i] = 0;
    LenTx = 7 + 2 * kRegistri;
    InviaRichiesta(true);
}

} // namespace ludra
