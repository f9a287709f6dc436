// The local operations: one encoder per operation family, each turning the editor's
// argument rows into the eight 4-byte slots of the line's data block. The controller
// reads the value types of an operation's operands from slot 1, packed two to a byte
// (low nibble + 16 x high nibble).
#include "fbeditor/Assemblaggio.h"
#include "tables/Tabelle.h"

#include <array>

namespace ludra {
namespace {

constexpr int kPosizioneKFlt = 5;   // list position of K_Flt in a 0..5 type list

// A type pair packed into one byte.
bool tipi(Assemblaggio& a, int slot, int j, int basso, int alto)
{
    return basso >= 0 && alto >= 0 && a.byteDi(slot, j, basso + 16 * alto);
}

void etichetteConTipo(Assemblaggio& a, std::initializer_list<int> campi)
{
    for (int k : campi)
        a.etichettaConTipo(k);
}

// Linearization: operand B is the table the user picked; the controller takes its point
// count and the two blocks where the compile places its inputs and outputs.
bool linearizzazione(Assemblaggio& a)
{
    const std::optional<int> t = a.s.Righe[1].datoSelezionato();
    if (!t || *t < 0 || *t >= std::min<int>(NumTabelle, kMaxTabelle))
        return false;
    if (Tabelle[std::size_t(*t)].Blocco1 == 0 && Tabelle[std::size_t(*t)].Blocco2 == 0)
        AllocaTabelle();   // never placed yet: block 0 lies outside the data area
    const Tabella& tab = Tabelle[std::size_t(*t)];
    a.arg[1].Tipo = kKFlt;
    a.arg[2].Valore = tab.Blocco1;
    a.arg[3].Valore = tab.Blocco2;
    return a.codifica(tab.NumPunti, kKFlt, 4) && a.codifica(a.arg[2].Valore, kUInt, 5)
           && a.codifica(a.arg[3].Valore, kUInt, 6);
}

// 1: Add, Sub, Mult, Div, Move, Average, x^y, SQRT, Linearization, ABS, e^(x).
bool aritmetica(Assemblaggio& a)
{
    const int sub = a.rung.SubOp;
    a.byte(0, 0) = std::uint8_t(sub);
    if (!a.haTipo(0) || !a.haTipo(4))
        return false;
    int alto = 0;
    if (a.haTipo(1))
        alto = a.tipo(1) == kTable ? kKFlt : a.tipo(1);
    if (!tipi(a, 1, 0, a.tipo(0), alto) || !a.byteDi(1, 1, a.tipo(4)))
        return false;
    a.byte(1, 2) = a.byte(1, 3) = 0;

    a.arg[0].Tipo = std::uint8_t(a.tipo(0));
    if (!a.registroOFloat(0, 3, a.posizione(0) == kPosizioneKFlt))
        return false;
    switch (sub) {
    case 0: case 1: case 2: case 3: case 6:
        if (!a.haTipo(1))
            return false;
        a.arg[1].Tipo = std::uint8_t(a.tipo(1));
        if (!a.registroOFloat(1, 4, a.posizione(1) == kPosizioneKFlt))
            return false;
        break;
    case 5:   // Average: the sample count
        if (!a.byteCampo(5, 0, 1))
            return false;
        break;
    case 8:
        if (!linearizzazione(a))
            return false;
        break;
    default:
        break;
    }
    a.arg[4].Tipo = std::uint8_t(a.tipo(4));
    if (!a.registro(4, 7))
        return false;
    a.byte(5, 1) = 1;
    etichetteConTipo(a, {0, 1, 4});
    a.sommario({0, 1, 4}, true);
    return true;
}

// 2: Scale.
bool scala(Assemblaggio& a)
{
    for (int k : {0, 1, 2, 4, 5, 6}) {
        if (!a.haTipo(k))
            return false;
        a.arg[std::size_t(k)].Tipo = std::uint8_t(a.tipo(k));
    }
    a.byte(0, 0) = a.rung.SubOp;
    if (!tipi(a, 1, 0, a.tipo(0), a.tipo(4)) || !tipi(a, 1, 1, a.tipo(1), a.tipo(2))
        || !tipi(a, 1, 2, a.tipo(5), a.tipo(6)))
        return false;
    a.byte(1, 3) = 0;
    if (!a.registro(0, 2))
        return false;
    const std::array<std::pair<int, int>, 4> costanti{{{1, 3}, {2, 4}, {5, 5}, {6, 6}}};
    for (const auto& [k, slot] : costanti)
        if (!a.registroOFloat(k, slot, a.arg[std::size_t(k)].Tipo == kKFlt))
            return false;
    if (!a.registro(4, 7))
        return false;
    etichetteConTipo(a, {0, 1, 2, 4, 5, 6});
    a.sommario({0, 1, 2, 4, 5, 6}, true);
    return true;
}

// 3: Call Page, Display Refresh (and A>B, which no tab offers).
bool display(Assemblaggio& a)
{
    a.byte(0, 0) = a.rung.SubOp;
    return a.zeri(1, 7);
}

// 6: Block Move: first source register, first destination register, count. The two
// registers are plain words: the controller's memory map reaches past the register
// table, and projects hold such addresses.
bool spostaBlocco(Assemblaggio& a)
{
    if (!a.parola(0, 0, 0) || !a.byteCampo(1, 0, 1)
        || !a.parola(0, 2, 2))
        return false;
    a.sommario({0, 1, 2}, true);
    return true;
}

// 128: Compare. Every field is a word: the registers low byte first, the constants and
// the mask high byte first.
struct SlotConfronto {
    std::uint8_t slot;
    std::uint8_t campo;
    bool registro;
};
constexpr std::array<SlotConfronto, 8> kSlotConfronto{{
    {0, 0, true},    // Reg A
    {1, 1, true},    // Reg B
    {2, 3, true},    // Dest
    {3, 4, false},   // And if True
    {4, 5, false},   // Or if True
    {5, 6, false},   // And if False
    {6, 7, false},   // Or if False
    {7, 2, false},   // Mask
}};

bool confronto(Assemblaggio& a)
{
    for (const SlotConfronto& c : kSlotConfronto) {
        if (!a.parola(c.slot, 0, c.campo, !c.registro))
            return false;
        a.byte(c.slot, 2) = a.byte(c.slot, 3) = 0;
    }
    a.sommario({0, 1, 2, 3, 4, 5, 6, 7}, true);
    return true;
}

// 129 If(bit) -> Goto, 139 If(bit) -> Call: the targets are the compiler's.
bool seBit(Assemblaggio& a)
{
    if (!a.registroOFloat(0, 0, a.posizione(0) == kPosizioneKFlt))
        return false;
    const std::optional<int> bit = a.intero(1, 0, 15);
    if (!bit || double(*bit) != a.arg[1].Valore)
        return a.rifiuta(1);
    if (!a.zeri(1, 6) || !a.zero(7))
        return false;
    const int maschera = 1 << *bit;
    a.byte(7, 0) = std::uint8_t(maschera >> 8);
    a.byte(7, 1) = std::uint8_t(maschera & 0xFF);
    a.etichettaConTipo(0);
    a.sommario({0, 1, 4, 5}, true);
    return true;
}

// 130 Goto, 131 Call: the target is the compiler's.
bool salto(Assemblaggio& a)
{
    a.sommario({4}, false);
    return a.zeri(0, 7);
}

// 132 Return.
bool ritorno(Assemblaggio& a) { return a.zeri(0, 7); }

// 133: AND, OR, XOR (word and bit), NOT, shifts and rotations, Bit Set, Bit Reset.
bool bitABit(Assemblaggio& a)
{
    const int sub = a.rung.SubOp;
    a.byte(0, 0) = std::uint8_t(sub);
    if (!a.haTipo(0) || !a.haTipo(4))
        return false;
    const bool conB = sub <= 2 || (sub >= 8 && sub <= 10);
    const bool scorrimento = sub >= 4 && sub <= 7;
    int alto = 0;
    if (conB && a.haTipo(2))
        alto = a.tipo(2);
    else if (scorrimento && a.haTipo(1))
        alto = a.tipo(1);
    if (!tipi(a, 1, 0, a.tipo(0), alto) || !a.byteDi(1, 1, a.tipo(4)))
        return false;
    a.byte(1, 2) = a.byte(1, 3) = 0;
    if (!a.registroOLong(0, 3))
        return false;

    if (scorrimento) {
        // The number of places, a word as the block's other words.
        if (!a.parolaSlot(2, 2) || !a.zero(5) || !a.zero(6) || !a.registro(4, 7))
            return false;
    } else if (sub <= 12) {
        if (!a.costante(1, kKLong, 5) || (a.haTipo(2) && !a.registroOLong(2, 4))
            || !a.costante(3, kKLong, 6) || !a.registro(4, 7) || !a.costante(5, kKLong, 2))
            return false;
    }
    etichetteConTipo(a, {0, 2, 4});
    a.sommario({0, 1, 2, 3, 4, 5}, true);
    return true;
}

// 134 Timer: the timer, its time in milliseconds, the register it counts in; words
// all three.
bool timer(Assemblaggio& a)
{
    if (!a.parolaSlot(0, 0) || !a.parolaSlot(1, 1) || !a.parola(1, 2, 2)
        || !a.zeri(2, 7))
        return false;
    a.sommario({0, 1}, false);
    return true;
}

// 137 Trip: input, MAX and MIN (registers or constants), destination, mask, timer and
// the on and off times. Slot 1 carries the list positions of the chosen types.
bool trip(Assemblaggio& a)
{
    a.byte(0, 0) = 0;
    // The destination offers uInt and uLong: the controller takes their codes, 0 and 2.
    const int p3 = a.posizione(3);
    if (p3 != 0 && p3 != 1)
        return false;
    if (!tipi(a, 1, 0, a.posizione(1), a.posizione(2)) || !tipi(a, 1, 1, 2 * p3, a.posizione(0))
        || !a.byteCampo(1, 2, 5))
        return false;
    a.byte(1, 3) = 0;
    const std::array<std::pair<int, int>, 3> ingressi{{{0, 5}, {1, 3}, {2, 4}}};
    for (const auto& [k, slot] : ingressi)
        if (!a.registroOFloat(k, slot, a.posizione(k) == kPosizioneKFlt))
            return false;
    if (!a.registro(3, 7) || !a.costante(4, kKLong, 2) || !a.parola(6, 0, 6)
        || !a.parola(6, 2, 7))
        return false;
    etichetteConTipo(a, {0, 1, 2, 3});
    a.sommario({0, 1, 2, 3, 4, 5, 6, 7}, true);
    return true;
}

// 138 Log Write: the scheduler compiles its data from its own objects.
bool logWrite(Assemblaggio& a)
{
    constexpr std::array<std::uint8_t, 12> kFissi{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 127, 0};
    for (std::size_t i = 0; i < kFissi.size(); ++i)
        a.rung.ArgByte[i] = kFissi[i];
    return true;
}

// 140 Clear WatchDog: the time in units of 50 ms, a word.
bool watchdog(Assemblaggio& a)
{
    if (!a.parolaSlot(0, 4) || !a.zeri(1, 7))
        return false;
    a.sommario({4}, false);
    return true;
}

struct Famiglia {
    std::int16_t funzione;
    bool (*codifica)(Assemblaggio&);
    bool azzeraRitardo;
};

constexpr Famiglia kFamiglie[] = {
    {1, aritmetica, true},    {2, scala, true},     {3, display, true},
    {6, spostaBlocco, true},  {128, confronto, true}, {129, seBit, true},
    {130, salto, true},       {131, salto, true},   {132, ritorno, true},
    {133, bitABit, true},     {134, timer, true},   {137, trip, true},
    {138, logWrite, false},   {139, seBit, true},   {140, watchdog, true},
};

constexpr int kQualsiasi = -1;

struct VoceLungDati {
    std::int16_t funzione;
    std::int16_t subOp;   // kQualsiasi: every sub-operation
    std::int16_t lunghezza;
};

// 2 header bytes and the argument bytes each operation's controller code reads. Call
// Page's length is replaced by the compile with its page list's; A>B keeps what the
// line had.
constexpr VoceLungDati kLungDati[] = {
    {1, kQualsiasi, 34},   {2, kQualsiasi, 34},   {3, 253, 34},          {3, 254, 6},
    {6, kQualsiasi, 10},   {128, kQualsiasi, 34}, {129, kQualsiasi, 34}, {130, kQualsiasi, 6},
    {131, kQualsiasi, 6},  {132, kQualsiasi, 2},  {133, kQualsiasi, 34}, {134, kQualsiasi, 10},
    {137, kQualsiasi, 34}, {138, kQualsiasi, 14}, {139, kQualsiasi, 34}, {140, kQualsiasi, 6},
};

} // namespace

std::optional<std::int16_t> LungDatiDi(int funzione, int subOp)
{
    for (const VoceLungDati& v : kLungDati)
        if (v.funzione == funzione && (v.subOp == kQualsiasi || v.subOp == subOp))
            return v.lunghezza;
    return std::nullopt;
}

bool CodificaLocale(Assemblaggio& a)
{
    for (const Famiglia& f : kFamiglie) {
        if (f.funzione != a.rung.Funzione)
            continue;
        if (!f.codifica(a))
            return false;
        if (f.azzeraRitardo)
            a.rung.Ritardo = 0;
        if (const auto l = LungDatiDi(a.rung.Funzione, a.rung.SubOp))
            a.rung.LungDati = *l;
        return true;
    }
    return true;
}

} // namespace ludra
