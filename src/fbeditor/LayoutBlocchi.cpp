#include "fbeditor/LayoutBlocchi.h"

#include "base/Testi.h"

#include <initializer_list>

namespace ludra {
namespace {

constexpr MaschereTipi tipi(std::initializer_list<int> t)
{
    MaschereTipi m = 0;
    for (int x : t)
        m = MaschereTipi(m | (1u << x));
    return m;
}

constexpr MaschereTipi kSolo0 = tipi({0});
constexpr MaschereTipi kSolo5 = tipi({5});
constexpr MaschereTipi kSolo6 = tipi({6});
constexpr MaschereTipi kSolo10 = tipi({10});
constexpr MaschereTipi k0e1 = tipi({0, 1});
constexpr MaschereTipi k0e2 = tipi({0, 2});
constexpr MaschereTipi k0e2e6 = tipi({0, 2, 6});

// Texts of the running language by key.
enum : int {
    kIndirizzo = 64, kRegistro = 65, kNumero = 66, kDest = 67, kRitardo = 68,
    kSorgente = 69, kDispositivo = 70, kRisorsa = 71, kDa = 72, kA = 73, kMaschera = 74,
    kFunzione = 75, kBlocco = 76, kGotoVero = 77, kGotoFalso = 78,
};

Didascalia testo(int k) { return {k, "", -1}; }
Didascalia lett(const char* s) { return {-1, s, -1}; }

PassoLayout costante(int campo, Didascalia d, double valore, int tipo, MaschereTipi ammessi,
                     Dopo dopo = Dopo::Nulla)
{
    return {Azione::Campo, std::int8_t(campo), d, valore, false, false, std::int8_t(tipo),
            ammessi, dopo};
}

PassoLayout registro(int campo, Didascalia d, int tipo, MaschereTipi ammessi)
{
    return {Azione::Campo, std::int8_t(campo), d, 0, true, true, std::int8_t(tipo), ammessi,
            Dopo::Nulla};
}

PassoLayout registroDa(int campo, Didascalia d, double valore, int tipo, MaschereTipi ammessi)
{
    return {Azione::Campo, std::int8_t(campo), d, valore, false, true, std::int8_t(tipo),
            ammessi, Dopo::Nulla};
}

PassoLayout azione(Azione a)
{
    PassoLayout p;
    p.azione = a;
    return p;
}

constexpr std::int8_t P = kTipoPrecaricato;

void comunicazione(LayoutBlocco& l, bool scrittura)
{
    l.ritardo = true;
    l.passi = {
        costante(0, testo(kIndirizzo), 1, 0, kSolo0),
        costante(1, testo(kRegistro), 1, 0, kSolo0),
        costante(2, testo(kNumero), 1, 0, kSolo0),
        registro(4, testo(scrittura ? kSorgente : kDest), 1, k0e1),
    };
}

void moduli(LayoutBlocco& l, bool scrittura)
{
    l.ritardo = true;
    l.passi = {
        costante(4, testo(kRisorsa), 1, 0, kSolo0),
        costante(0, testo(kDispositivo), 1, 0, kSolo0),
        azione(Azione::ElencoModuli),
        azione(Azione::ClickDispositivo),
        costante(1, testo(kIndirizzo), 1, 0, kSolo0),
        costante(5, testo(kDa), 0, 0, kSolo0),
        costante(6, testo(kA), 0, 0, kSolo0),
        registro(7, testo(scrittura ? kSorgente : kDest), 1, k0e1),
    };
}

void scala(LayoutBlocco& l)
{
    l.precarico = {{0, 0, false, 1}, {4, 0, true, 1}};
    l.passi = {
        registro(0, testo(kSorgente), P, kTipiDa0a4),
        costante(1, lett("Span In"), 1, 5, kSolo5),
        costante(2, lett("Zero In"), 0, 5, kSolo5),
        registro(4, testo(kDest), P, kTipiDa0a4),
        costante(5, lett("Span Out"), 1, 5, kSolo5),
        costante(6, lett("Zero Out"), 0, 5, kSolo5),
    };
}

void aritmetica(LayoutBlocco& l, int subOp)
{
    l.precarico = {{0, 0, false, 1}, {1, 0, true, 1}, {4, 1, false, 1}};
    l.passi = {registro(0, {kSorgente, " A", -1}, P, kTipiDa0a5)};
    switch (subOp) {
    case 0: case 1: case 2: case 3: case 6:
        l.passi.push_back(registro(1, {kSorgente, " B", -1}, P, kTipiDa0a5));
        break;
    case 5:
        l.passi.push_back(costante(1, testo(kNumero), 2, 5, kSolo5));
        break;
    case 8:
        l.passi.push_back(costante(1, testo(kFunzione), 0, P, kSolo10));
        break;
    default:
        break;
    }
    // Field 5 carries 1 without a caption: it is never shown.
    l.passi.push_back(costante(5, lett(""), 1, 0, 0));
    l.passi.push_back(registro(4, testo(kDest), P, kTipiDa0a4));
}

void salti(LayoutBlocco& l, bool doppio)
{
    l.passi = {
        registro(0, testo(kSorgente), 0, kSolo0),
        costante(1, lett("Bit [0\xC3\xB7" "15]"), 1, 0, kSolo0),
        costante(4, testo(kGotoVero), 0, 0, kSolo0, Dopo::ElencoEtichette),
    };
    if (doppio)
        l.passi.push_back(costante(5, testo(kGotoFalso), 0, 0, kSolo0, Dopo::ElencoEtichette));
}

void trip(LayoutBlocco& l)
{
    l.precarico = {{0, 1, true, 1}, {1, 0, false, 1}, {2, 0, true, 1}, {3, 1, false, 0}};
    l.passi = {
        registroDa(0, lett("Input"), 1, P, kTipiDa0a5),
        registroDa(1, lett("MAX"), 1, P, kTipiDa0a5),
        registroDa(2, lett("MIN"), 1, P, kTipiDa0a5),
        registro(3, testo(kDest), P, k0e2),
        costante(4, testo(kMaschera), 1, 6, kSolo6),
        costante(5, lett("Timer"), 0, 0, kSolo0),
        costante(6, lett("Timer ON"), 1000, 0, kSolo0),
        costante(7, lett("Timer OFF"), 1000, 0, kSolo0),
    };
}

void bitwise(LayoutBlocco& l, int codice)
{
    const bool conB = (codice >= 21 && codice <= 23) || (codice >= 33 && codice <= 35);
    l.precaricoSempre = true;
    l.precarico = {{0, 0, false, 0}};
    if (conB)
        l.precarico.push_back({2, 0, true, 0});
    l.precarico.push_back({4, 1, false, 0});

    switch (codice) {
    case 21: case 22: case 23:
        l.passi = {
            registro(0, {kSorgente, " A", -1}, P, k0e2e6),
            registro(2, {kSorgente, " B", -1}, P, k0e2e6),
            costante(5, testo(kMaschera), 1, 6, kSolo6),
        };
        break;
    case 24: case 36: case 37:
        l.passi = {
            registro(0, {kSorgente, "A", -1}, P, k0e2e6),
            costante(5, testo(kMaschera), 1, 6, kSolo6),
        };
        break;
    case 25: case 26: case 27: case 28:
        l.passi = {
            registro(0, testo(kSorgente), P, k0e2e6),
            costante(2, testo(kNumero), 1, 0, kSolo0),
        };
        break;
    default:   // 33, 34, 35
        l.passi = {
            registro(0, {kSorgente, " A", -1}, P, k0e2e6),
            costante(1, {kMaschera, " A", -1}, 1, 6, kSolo6),
            registro(2, {kSorgente, " B", -1}, P, k0e2e6),
            costante(3, {kMaschera, " B", -1}, 1, 6, kSolo6),
            costante(5, {kMaschera, " ", kDest}, 1, 6, kSolo6),
        };
        break;
    }
    l.passi.push_back(registro(4, testo(kDest), P, k0e2));
}

} // namespace

QString Didascalia::testo() const
{
    QString s;
    if (chiave >= 0)
        s += Testi.t(chiave);
    s += QString::fromUtf8(letterale);
    if (chiave2 >= 0)
        s += Testi.t(chiave2);
    return s;
}

int SubOpLayout(int codice)
{
    switch (codice) {
    case 4: return 0;
    case 5: return 1;
    case 18: return 2;
    case 19: return 3;
    case 7: return 4;
    case 29: return 5;
    case 39: return 6;
    case 8: return 7;
    case 30: return 8;
    case 32: return 9;
    case 38: return 10;
    default:
        break;
    }
    if (codice >= 21 && codice <= 28)
        return codice - 21;
    if (codice >= 33 && codice <= 37)
        return codice - 25;
    return -1;
}

LayoutBlocco LayoutDi(int codice)
{
    LayoutBlocco l;
    switch (codice) {
    case 0: case 40:
        comunicazione(l, false);
        break;
    case 1:
        comunicazione(l, true);
        break;
    case 2:
        moduli(l, false);
        break;
    case 9:
        moduli(l, true);
        break;
    case 3:
        scala(l);
        break;
    case 4: case 5: case 7: case 8: case 18: case 19: case 29: case 30: case 32: case 38:
    case 39:
        aritmetica(l, SubOpLayout(codice));
        break;
    case 10:
        l.confronto = true;
        break;
    case 11: case 14:
        l.passi = {costante(4, testo(kBlocco), 0, 0, kSolo0, Dopo::ElencoEtichette)};
        break;
    case 13:
        salti(l, true);
        break;
    case 42:
        salti(l, false);
        break;
    case 16:
        l.passi = {
            costante(0, lett("Timer"), 0, 0, kSolo0),
            costante(1, lett("mSec"), 1000, 0, kSolo0),
            registro(2, lett("Reg"), 0, kSolo0),
        };
        break;
    case 20:
        trip(l);
        break;
    case 21: case 22: case 23: case 24: case 25: case 26: case 27: case 28:
    case 33: case 34: case 35: case 36: case 37:
        bitwise(l, codice);
        break;
    case 45:
        l.passi = {costante(4, {kRitardo, "(*50mS)", -1}, 0, 0, kSolo0, Dopo::NascondiTipo)};
        break;
    case 46:
        l.passi = {
            registro(0, testo(kSorgente), 0, kSolo0),
            costante(1, testo(kNumero), 1, 0, kSolo0),
            registro(2, testo(kDest), 0, kSolo0),
        };
        break;
    default:   // Return, Log Write, Call Page, Display Refresh and the codes never offered
        break;
    }
    return l;
}

} // namespace ludra
