#include "device/MemoriaControllore.h"

#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "base/Log.h"
#include "link/AggiornaStato.h"
#include "link/Bersaglio.h"
#include "link/ProgrammiInEsecuzione.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/Waiter.h"
#include "project/Registri.h"

#include <QString>

namespace ludra {

std::array<std::uint8_t, kDimBuffMemoria> BuffMemoria{};

void AzzeraMemoriaControllore() { BuffMemoria.fill(0); }

namespace {

bool fallita()
{
    LogStart();
    LogWrite(QStringLiteral("Error"));
    return false;
}

// Handlers queued before the request run now, so none of them can run between the
// frame being built and sent.
void pompa() { platform::waiter().pumpOnce(); }

bool richiesta() { return InviaRichiesta(true) == kComOk; }

} // namespace

bool AccessoMemoria(std::uint8_t sottocodice, std::int32_t indirizzo, int quanti,
                    std::span<const std::uint8_t> dati)
{
    const bool scrittura = sottocodice == kScriviMemoria;
    if (indirizzo < 0 || indirizzo > 0xFFFF || quanti < 0 || quanti > 0xFF)
        return false;
    if (scrittura && (dati.size() != std::size_t(quanti) ||
                      7 + std::size_t(quanti) > BuffTx.size()))
        return false;
    BuffTx[0] = NodoRichieste();
    BuffTx[1] = kFunzioneMemoria;
    BuffTx[2] = sottocodice;
    BuffTx[3] = 0;
    BuffTx[4] = std::uint8_t(indirizzo >> 8);
    BuffTx[5] = std::uint8_t(indirizzo & 0xFF);
    BuffTx[6] = std::uint8_t(quanti);
    LenTx = 7;
    if (scrittura) {
        std::copy(dati.begin(), dati.end(), BuffTx.begin() + 7);
        LenTx = std::int16_t(7 + quanti);
    }
    return true;
}

bool InviaComandoDebug(std::uint8_t comando)
{
    pompa();
    BuffTx[0] = NodoRichieste();
    BuffTx[1] = 6;
    BuffTx[2] = 0;
    BuffTx[3] = kRegistroComando;
    BuffTx[4] = 0;
    BuffTx[5] = comando;
    LenTx = 6;
    // Where the frame goes: the settings may change while the reply is awaited.
    Bersaglio dove = BersaglioAttuale();
    dove.nodo = NodoRichieste();
    const bool ok = richiesta();
    if (ok) {
        Controllore.StatoRun = comando;
        // A later Stop must reach this controller, wherever the settings point by then.
        if (comando == kComandoStop)
            ProgrammaFermato(dove);
        else
            ProgrammaAvviato(dove);
    } else
        fallita();
    AggiornaStato();
    return ok;
}

bool ImpostaModoDebug(int flag)
{
    pompa();
    const std::uint8_t byte = flag == kVero ? kByteDebug : kByteRelease;
    AccessoMemoria(kScriviMemoria, kIndirizzoModoDebug, 1, std::span(&byte, 1));
    if (!richiesta())
        return fallita();
    return true;
}

bool LeggiModoDebug(bool* letto)
{
    if (letto)
        *letto = false;
    pompa();
    AccessoMemoria(kLeggiMemoria, kIndirizzoModoDebug, 1);
    if (!richiesta()) {
        fallita();
        AggiornaStato();
        return false;
    }
    const std::uint8_t byte = BuffRx[3];
    if (byte == kByteRelease || byte == kByteDebug) {
        const bool debug = byte == kByteDebug;
        Controllore.ModoDebug = debug;
        ModoDebugIgnoto = false;
        AbilitaPulsanti(QStringLiteral("Puls_Download"), debug);
        AbilitaPulsanti(QStringLiteral("Puls_Debug"), debug);
        if (letto)
            *letto = true;
    }
    AggiornaStato();
    return byte == kByteDebug;
}

bool ScriviMemoria(std::int32_t indirizzo, int quanti)
{
    pompa();
    if (quanti < 0 || quanti > kDimBuffMemoria ||
        !AccessoMemoria(kScriviMemoria, indirizzo, quanti,
                        std::span(BuffMemoria).first(std::size_t(quanti))))
        return fallita();
    return richiesta() || fallita();
}

bool LeggiMemoria(std::int32_t indirizzo, int quanti)
{
    pompa();
    if (quanti < 0 || quanti > kDimBuffMemoria ||
        !AccessoMemoria(kLeggiMemoria, indirizzo, quanti))
        return fallita();
    if (!richiesta())
        return fallita();
    std::copy_n(BuffRx.begin() + 3, quanti, BuffMemoria.begin());
    return true;
}

bool LeggiRegistroByte(int registro)
{
    if (registro < 0 || registro > 0xFF)
        return fallita();
    BuffTx[0] = NodoRichieste();
    BuffTx[1] = 4;
    BuffTx[2] = 0;
    BuffTx[3] = std::uint8_t(registro);
    BuffTx[4] = 0;
    BuffTx[5] = 1;
    LenTx = 6;
    if (!richiesta())
        return fallita();
    TabellaRegistri[std::size_t(registro)].Valore = BuffRx[4];
    return true;
}

} // namespace ludra
