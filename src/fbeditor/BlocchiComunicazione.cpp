// The communication blocks: reads and writes of a remote device's registers and of a
// KVR1000 module's resources. The command record carries the device address and the
// register count as one byte each and the remote register, the local register and the
// delay as 16-bit values.
#include "base/CampoIntero.h"
#include "base/Numeri.h"
#include "fbeditor/Assemblaggio.h"
#include "fbeditor/ModuliIO.h"

namespace ludra {
namespace {

// Ritardo is a signed 16-bit field: the delay of a write must fit it, and a read takes
// the same range so that a block may change between the two without a surprise.
constexpr int kRitardoMassimo = 32767;

// A value that reaches the record as a 16-bit argument: a byte or an unsigned word, of
// a field (Assemblaggio::intero) or one the block works out (InteroIn).
bool inSlot(Assemblaggio& a, std::optional<int> valore, int slot)
{
    return valore && a.codifica(*valore, kUInt, slot);
}

// Both endings: the delay in byte 0 of slots 4 (low) and 5 (high); a write also keeps
// it in Ritardo.
bool fine(Assemblaggio& a, bool scrittura)
{
    const std::optional<double> ritardo = a.lettura == Lettura::Digitata
                                              ? NumeroDigitato(a.s.Ritardo)
                                              : LeggiNumero(a.s.Ritardo);
    const std::optional<int> d = ritardo ? InteroIn(*ritardo, 0, kRitardoMassimo) : std::nullopt;
    if (!d)
        return a.rifiuta(kCampoRitardo);
    if (!a.zeri(4, 7))
        return false;
    a.byte(4, 0) = std::uint8_t(*d & 0xFF);
    a.byte(5, 0) = std::uint8_t(*d >> 8);
    a.rung.Ritardo = std::int16_t(scrittura ? *d : 0);
    a.rung.LungDati = 0;
    return true;
}

bool remoto(Assemblaggio& a, bool scrittura)
{
    if (!inSlot(a, a.intero(0, 0, 255), 0) || !inSlot(a, a.intero(1, 0, 65535), 1)
        || !inSlot(a, a.intero(2, 0, 255), 2) || !a.registro(4, 3))
        return false;
    a.etichettaConTipo(4);
    a.sommario({0, 1, 2, 4}, false);
    return fine(a, scrittura);
}

// The entry of a list whose text is the field's text, -1 when none.
int voceDelTesto(const RigaArgomento& r)
{
    for (int i = 0; i < r.elenco.size(); ++i)
        if (r.elenco[i].testo == r.testo)
            return i;
    return -1;
}

bool modulo(Assemblaggio& a, bool scrittura)
{
    // The device and the resource must both be chosen: without them the block would
    // address the module's configuration registers from register 0.
    const RigaArgomento& dispositivo = a.s.Righe[0];
    const int d = voceDelTesto(dispositivo);
    if (d < 0)
        return a.rifiuta(0);
    if (!inSlot(a, a.intero(1, 0, 255), 0))
        return false;
    const int tipoModulo = dispositivo.elenco[d].dato;
    const RisorseModulo offerte = RisorseDi(scrittura, tipoModulo);
    const QString& nomeRisorsa = a.testo(4);
    const RisorsaModulo* risorsa = nullptr;
    for (const RisorsaModulo& r : offerte.risorse)
        if (nomeRisorsa == QLatin1String(r.nome))
            risorsa = &r;
    if (!risorsa)
        return a.rifiuta(4);

    const std::optional<double> primo = a.valore(5);
    if (!primo || *primo < offerte.canaleMin)
        return a.rifiuta(5);
    const std::optional<double> ultimo = a.valore(6);
    if (!ultimo || *ultimo > offerte.canaleMax || *ultimo - *primo > offerte.numCanali
        || *ultimo < *primo)
        return a.rifiuta(6);

    const bool usciteDigitali = scrittura && tipoModulo >= 20;
    const double base = risorsa->registroBase;
    // A digital output module takes its outputs as one register at 9.
    const double registroModulo = usciteDigitali ? 9 : base + *primo;
    const double quanti = usciteDigitali ? 1 : *ultimo + 1 - *primo;
    if (!scrittura) {
        // The read leaves what it addresses in its hidden records.
        a.arg[2].Valore = registroModulo;
        a.arg[3].Valore = quanti;
    }
    if (!inSlot(a, InteroIn(registroModulo, 0, 65535), 1)
        || !inSlot(a, InteroIn(quanti, 0, 255), 2) || !a.registro(7, 3))
        return false;
    a.etichettaConTipo(7);
    a.sommario({0, 1, 4, 5, 6, 7}, false);
    return fine(a, scrittura);
}

} // namespace

bool CodificaComunicazione(Assemblaggio& a)
{
    const bool scrittura = a.rung.Classe == 1;
    switch (a.rung.Funzione) {
    case 0:
        return remoto(a, scrittura);
    case 1:
        return modulo(a, scrittura);
    default:
        return true;
    }
}

} // namespace ludra
