#pragma once
// The controller's published variables: a table of up to 32 registers it publishes by
// name, kept in its memory just below the web pages (count byte at B - 1, 16-byte
// entries from B = PuntWebPages - 512). The list is edited here and moves to and from
// the controller only on the user's read and write.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace ludra {

struct Variabile {
    std::int32_t Indirizzo = 0;
    std::uint8_t Tipo = 0;
    QString Formato;   // six characters in memory, NUL-padded
    QString Nome;      // seven characters in memory, NUL-padded
};

inline constexpr int kMaxVariabili = 32;
inline constexpr int kDimVoceVariabile = 16;
inline constexpr int kCaratteriFormato = 6;
inline constexpr int kCaratteriNome = 7;
inline constexpr int kTipiVariabile = 5;   // uInt, Int, uLong, Long, Float
using VoceVariabile = std::array<std::uint8_t, kDimVoceVariabile>;

// One spare entry past the last, as the shifting operations read it.
extern std::array<Variabile, kMaxVariabili + 1> Variabili;
extern std::uint8_t NumVariabili;
// Counts the changes of the list (an edit, a read taken in, a new window), so a command
// that waited its turn can tell whether the list is still the one it was asked on.
extern unsigned RevisioneVariabili;

// The list as it stands, for a write that goes out later.
struct ElencoVariabili {
    std::array<Variabile, kMaxVariabili + 1> voci;
    std::uint8_t numero = 0;
};
ElencoVariabili ElencoCorrente();
// A fresh window's empty list.
void SvuotaElencoVariabili();

// B, or nothing when the controller model leaves no room for the table below its web
// pages (no model chosen).
std::optional<int> BaseVariabili();

VoceVariabile CodificaVariabile(std::uint16_t indirizzo, std::uint8_t tipo,
                                const QString& formato, const QString& nome);
Variabile DecodificaVariabile(std::span<const std::uint8_t, kDimVoceVariabile> voce);

// A text as the list and the fields show it: up to its first NUL.
QString FinoAlNul(const QString& testo);
// "i TAB register TAB type TAB format TAB name" for every entry of the list.
QStringList RigheVariabili();

// List editing. Each returns whether it changed something; the moves give the line to
// select afterwards (-1: nothing moved).
bool AggiungiVariabile();
bool RimuoviVariabile(int selezionata);
int SpostaVariabileSu(int selezionata);
int SpostaVariabileGiu(int selezionata);

// The edit fields of one entry.
struct CampiVariabile {
    QString indice;
    QString registro;
    int tipo = 0;   // combo index
    QString formato;
    QString nome;
};
std::optional<CampiVariabile> CampiDiVariabile(int selezionata);
// Stores the fields into the entry they name; an index or register that is not a whole
// number in range is refused with a message and stores nothing.
bool MemorizzaVariabile(const CampiVariabile& campi);

// Reads the table from the controller: the whole table or nothing (a failed or
// implausible read leaves the list as it was). A read asked on revision `chiesta` of the
// list leaves it as it is, with a box saying so, when the user has edited it since.
bool LeggiVariabili(std::optional<unsigned> chiesta = std::nullopt);
// Writes the table (`elenco`, or the list as it stands): the entries, then the count
// byte; checked in full before the first request, and stops at the first failed
// request, saying what the controller holds then (its former count, over entries that
// were all written). The list shows the entries as written unless it was edited
// meanwhile.
bool ScriviVariabili();
bool ScriviVariabili(ElencoVariabili elenco, unsigned revisione);
// The window's read (scrivi false) or write: at once, or in its turn after the command
// or loop that holds the link (a loop carries it out at its next safe point); `dopo`
// runs after a read that succeeded. A write sends the list as it stood when asked; a
// read never overwrites what was edited after it was asked. Refused while a long
// operation holds the link: a box says why, as the Log does.
void ComandoVariabili(bool scrivi, std::function<void()> dopo = {});

void AzzeraVariabili();

} // namespace ludra
