// The communication blocks: reads and writes of a remote device's registers and of a
// KVR1000 module's resources. The command record carries the device address and the
// register count as one byte each and the remote register, the local register and the
// delay as 16-bit values.
#include "base/Numeri.h"
#include "fbeditor/Assemblaggio.h"
#include "fbeditor/ModuliIO.h"

namespace ludra {
namespace {

// Ritardo is a signed 16-bit field: the delay of a write must fit it, and a read takes
// the same range so that a block may change between the two without a surprise.
constexpr int kRitardoMassimo = 32767;

// A field that reaches the record as one byte, as a 16-bit argument.
bool unByte(Assemblaggio& a, double valore, int slot)
{
    const std::optional<int> n = InteroIn(valore, 0, 255);
    return n && a.codifica(*n, kUInt, slot);
}

bool parolaSenzaSegno(Assemblaggio& a, double valore, int slot)
{
    const std::optional<int> n = InteroIn(valore, 0, 65535);
    return n && a.codifica(*n, kUInt, slot);
}

// Both endings: the delay in byte 0 of slots 4 (low) and 5 (high); a write also keeps
// it in Ritardo.
bool fine(Assemblaggio& a, bool scrittura)
{
    const std::optional<int> d = InteroIn(LeggiNumero(a.s.Ritardo), 0, kRitardoMassimo);
    if (!d || !a.zeri(4, 7))
        return false;
    a.byte(4, 0) = std::uint8_t(*d & 0xFF);
    a.byte(5, 0) = std::uint8_t(*d >> 8);
    a.rung.Ritardo = std::int16_t(scrittura ? *d : 0);
    a.rung.LungDati = 0;
    return true;
}

bool remoto(Assemblaggio& a, bool scrittura)
{
    if (!unByte(a, a.arg[0].Valore, 0) || !parolaSenzaSegno(a, a.arg[1].Valore, 1)
        || !unByte(a, a.arg[2].Valore, 2) || !a.registro(4, 3))
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
        return false;
    const int tipoModulo = dispositivo.elenco[d].dato;
    const RisorseModulo offerte = RisorseDi(scrittura, tipoModulo);
    const QString& nomeRisorsa = a.testo(4);
    const RisorsaModulo* risorsa = nullptr;
    for (const RisorsaModulo& r : offerte.risorse)
        if (nomeRisorsa == QLatin1String(r.nome))
            risorsa = &r;
    if (!risorsa)
        return false;

    const double primo = a.arg[5].Valore;
    const double ultimo = a.arg[6].Valore;
    if (primo < offerte.canaleMin || ultimo > offerte.canaleMax
        || ultimo - primo > offerte.numCanali || ultimo < primo)
        return false;

    if (!unByte(a, a.arg[1].Valore, 0))
        return false;
    const bool usciteDigitali = scrittura && tipoModulo >= 20;
    const double base = risorsa->registroBase;
    // A digital output module takes its outputs as one register at 9.
    const double registroModulo = usciteDigitali ? 9 : base + primo;
    const double quanti = usciteDigitali ? 1 : ultimo + 1 - primo;
    if (!scrittura) {
        // The read leaves what it addresses in its hidden records.
        a.arg[2].Valore = registroModulo;
        a.arg[3].Valore = quanti;
    }
    if (!parolaSenzaSegno(a, registroModulo, 1) || !unByte(a, quanti, 2)
        || !a.registro(7, 3))
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
