#include "fbeditor/TabellaFunzioni.h"

namespace ludra {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

constexpr std::uint32_t kVerde = Rgb(0, 255, 1);
constexpr std::uint32_t kGiallo = Rgb(255, 255, 0);
constexpr std::uint32_t kArancioChiaro = Rgb(255, 192, 128);
constexpr std::uint32_t kCianoChiaro = Rgb(128, 255, 255);
constexpr std::uint32_t kMagenta = Rgb(255, 0, 255);
constexpr std::uint32_t kCiano = Rgb(0, 255, 255);
constexpr std::uint32_t kRosso = Rgb(255, 0, 0);

struct Definizione {
    std::uint8_t codice;
    std::uint16_t categoria;
    std::uint32_t colore;
    std::uint16_t classe;
    std::uint16_t funzione;
    std::uint16_t subOp;
    std::uint16_t immagine;
};

// code, tab, colour, Classe, Funzione, SubOp, picture
constexpr Definizione kDefinizioni[] = {
    {0, 1, kVerde, 2, 0, 0, 1},
    {1, 1, kVerde, 1, 0, 0, 2},
    {2, 1, kVerde, 2, 1, 0, 8},
    {3, 5, kGiallo, 3, 2, 0, 5},
    {4, 5, kGiallo, 3, 1, 0, 17},
    {5, 5, kGiallo, 3, 1, 1, 18},
    {6, 6, kArancioChiaro, 3, 3, 0, 7},
    {7, 2, kGiallo, 3, 1, 4, 3},
    {8, 5, kGiallo, 3, 1, 7, 6},
    {9, 1, kVerde, 1, 1, 0, 9},
    {10, 6, kArancioChiaro, 3, 128, 0, 10},
    {11, 7, kCianoChiaro, 3, 130, 0, 11},
    {12, 5, kCianoChiaro, 0, 0, 0, 0},
    {13, 7, kCianoChiaro, 3, 129, 0, 12},
    {14, 7, kCianoChiaro, 3, 131, 0, 13},
    {15, 7, kCianoChiaro, 3, 132, 0, 14},
    {16, 8, kMagenta, 3, 134, 0, 15},
    {17, 2, kGiallo, 0, 0, 0, 0},
    {18, 5, kGiallo, 3, 1, 2, 21},
    {19, 5, kGiallo, 3, 1, 3, 22},
    {20, 6, kArancioChiaro, 3, 137, 0, 20},
    {21, 3, kCiano, 3, 133, 0, 23},
    {22, 3, kCiano, 3, 133, 1, 24},
    {23, 3, kCiano, 3, 133, 2, 25},
    {24, 3, kCiano, 3, 133, 3, 26},
    {25, 4, kCiano, 3, 133, 4, 27},
    {26, 4, kCiano, 3, 133, 5, 28},
    {27, 4, kCiano, 3, 133, 6, 29},
    {28, 4, kCiano, 3, 133, 7, 30},
    {29, 5, kGiallo, 3, 1, 5, 31},
    {30, 5, kGiallo, 3, 1, 8, 32},
    {31, 1, kVerde, 2, 0, 0, 33},
    {32, 5, kGiallo, 3, 1, 9, 34},
    {33, 3, kCiano, 3, 133, 8, 35},
    {34, 3, kCiano, 3, 133, 9, 36},
    {35, 3, kCiano, 3, 133, 10, 37},
    {36, 3, kCiano, 3, 133, 11, 38},
    {37, 3, kCiano, 3, 133, 12, 39},
    {38, 5, kGiallo, 3, 1, 10, 40},
    {39, 5, kGiallo, 3, 1, 6, 41},
    {40, 1, kVerde, 4, 0, 0, 4},
    {41, 0, 0, 3, 138, 0, 0},   // no button; the scheduler's data-logger block
    {42, 7, kCianoChiaro, 3, 139, 0, 44},
    {43, 9, kRosso, 3, 3, 253, 45},
    {44, 9, kRosso, 3, 3, 254, 46},
    {45, 7, kCianoChiaro, 3, 140, 0, 47},
    {46, 2, kGiallo, 3, 6, 0, 48},
};
static_assert(std::size(kDefinizioni) == kNumCodiciFunzione);

constexpr bool inOrdine()
{
    for (int i = 0; i < kNumCodiciFunzione; ++i)
        if (kDefinizioni[i].codice != i)
            return false;
    return true;
}
static_assert(inOrdine(), "entry i defines code i");

constexpr std::array<VoceFunzione, kVociTabellaFunzioni> costruisciTabella()
{
    std::array<VoceFunzione, kVociTabellaFunzioni> t{};
    for (const Definizione& d : kDefinizioni)
        t[d.codice] = {d.categoria, d.classe, d.funzione, d.subOp, d.immagine};
    return t;
}

constexpr const char* kSchede[kNumSchede] = {"Comm", "Move",  "Bitwise", "Shift",  "Math",
                                             "Comp", "Flow", "Timers",  "Display"};

constexpr PosizioneFunzione kComm[] = {{40, 0, 0}, {0, 0, 1}, {1, 0, 2}, {2, 1, 0}, {9, 1, 1}};
constexpr PosizioneFunzione kMove[] = {{7, 0, 0}, {46, 0, 1}};
constexpr PosizioneFunzione kBitwise[] = {{33, 0, 0}, {34, 0, 1}, {35, 0, 2},
                                          {21, 1, 0}, {22, 1, 1}, {23, 1, 2},
                                          {24, 2, 0}, {36, 2, 1}, {37, 2, 2}};
constexpr PosizioneFunzione kShift[] = {{25, 0, 0}, {26, 0, 1}, {27, 1, 0}, {28, 1, 1}};
constexpr PosizioneFunzione kMath[] = {{4, 0, 0},  {5, 0, 1},  {18, 0, 2}, {19, 1, 0},
                                       {3, 1, 1},  {8, 1, 2},  {29, 2, 0}, {30, 2, 1},
                                       {32, 2, 2}, {38, 3, 0}, {39, 3, 1}};
constexpr PosizioneFunzione kComp[] = {{20, 0, 0}};
constexpr PosizioneFunzione kFlow[] = {{11, 0, 0}, {13, 0, 1}, {14, 0, 2},
                                       {15, 1, 0}, {42, 1, 1}, {45, 1, 2}};
constexpr PosizioneFunzione kTimers[] = {{16, 0, 0}};
constexpr PosizioneFunzione kDisplay[] = {{43, 0, 0}, {44, 0, 1}};

constexpr std::span<const PosizioneFunzione> kGriglie[kNumSchede] = {
    kComm, kMove, kBitwise, kShift, kMath, kComp, kFlow, kTimers, kDisplay};

constexpr int kQualsiasi = -1;

struct Inversa {
    int classe;
    int funzione;
    int subOp;
    std::uint8_t codice;
};

// Written out on its own rather than derived from the catalogue: several triples lead
// to one code, some codes are never returned, and any SubOp matches where noted.
constexpr Inversa kInversa[] = {
    {1, 0, kQualsiasi, 1},     {1, 1, kQualsiasi, 9},     {2, 0, kQualsiasi, 0},
    {2, 1, kQualsiasi, 2},     {4, kQualsiasi, kQualsiasi, 40},
    {3, 1, 0, 4},              {3, 1, 1, 5},              {3, 1, 2, 18},
    {3, 1, 3, 19},             {3, 1, 4, 7},              {3, 1, 5, 29},
    {3, 1, 6, 39},             {3, 1, 7, 8},              {3, 1, 8, 30},
    {3, 1, 9, 32},             {3, 1, 10, 38},
    {3, 2, kQualsiasi, 3},     {3, 3, 253, 43},           {3, 3, 254, 44},
    {3, 4, kQualsiasi, 8},     {3, 6, kQualsiasi, 46},
    {3, 128, kQualsiasi, 10},  {3, 129, kQualsiasi, 13},  {3, 130, kQualsiasi, 11},
    {3, 131, kQualsiasi, 14},  {3, 132, kQualsiasi, 15},
    {3, 133, 0, 21},           {3, 133, 1, 22},           {3, 133, 2, 23},
    {3, 133, 3, 24},           {3, 133, 4, 25},           {3, 133, 5, 26},
    {3, 133, 6, 27},           {3, 133, 7, 28},           {3, 133, 8, 33},
    {3, 133, 9, 34},           {3, 133, 10, 35},          {3, 133, 11, 36},
    {3, 133, 12, 37},
    {3, 134, kQualsiasi, 16},  {3, 137, kQualsiasi, 20},  {3, 138, kQualsiasi, 41},
    {3, 139, kQualsiasi, 42},  {3, 140, kQualsiasi, 45},
};

} // namespace

const std::array<VoceFunzione, kVociTabellaFunzioni> TabellaFunzioni = costruisciTabella();

bool HaPulsanteFunzione(int codice)
{
    return codice >= 0 && codice < kNumCodiciFunzione && codice != 41;
}

std::uint32_t ColoreFunzione(int codice)
{
    return HaPulsanteFunzione(codice) ? kDefinizioni[codice].colore : 0;
}

QString NomeScheda(int scheda)
{
    if (scheda < 1 || scheda > kNumSchede)
        return {};
    return QString::fromLatin1(kSchede[scheda - 1]);
}

std::span<const PosizioneFunzione> PosizioniScheda(int scheda)
{
    if (scheda < 1 || scheda > kNumSchede)
        return {};
    return kGriglie[scheda - 1];
}

std::optional<std::uint8_t> CodiceDaTripla(int classe, int funzione, int subOp)
{
    for (const Inversa& r : kInversa) {
        if (r.classe == classe && (r.funzione == kQualsiasi || r.funzione == funzione)
            && (r.subOp == kQualsiasi || r.subOp == subOp))
            return r.codice;
    }
    return std::nullopt;
}

std::uint8_t FunzToOpt(int classe, int funzione, int subOp)
{
    return CodiceDaTripla(classe, funzione, subOp).value_or(0);
}

} // namespace ludra
