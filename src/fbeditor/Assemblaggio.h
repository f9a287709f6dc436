#pragma once
// The assembly of one program line from the editor. Everything is built on copies (the
// line record, the row's content, the argument records and the register value types to
// set) and applied together only when the whole block encodes, so a block that fails
// leaves the line, its row and the register table exactly as they were.
#include "fbeditor/Argomenti.h"
#include "fbeditor/CompilaComando.h"
#include "fbeditor/StatoComandi.h"
#include "ladder/RigaLadder.h"
#include "project/Progetto.h"

#include <QString>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace ludra {

// The value a field's text stands for: a text starting with "%" is a register
// reference, read after its first two characters ("%R12", "%R 12" and "%S12" are all
// 12); any other text is a number. Leading blanks do not count. As a file holds it, the
// number is the one the text starts with (LeggiNumero); as typed, the text must be
// wholly one (NumeroDigitato), "%R" alone and the empty text included. A lone "%" is no
// value at all.
std::optional<double> ValoreCampo(const QString& testo, Lettura lettura = Lettura::File);

// A value rounded to the nearest integer (halves to even) when it lies in min..max.
std::optional<int> InteroIn(double valore, int min, int max);

// A register number: 0 to NumRegistri (never beyond the register table).
std::optional<int> NumeroRegistro(double valore);

struct Assemblaggio {
    explicit Assemblaggio(const StatoComandi& stato) : s(stato) {}

    const StatoComandi& s;
    Lettura lettura = Lettura::Digitata;
    Rung rung;
    RigaLadder riga;
    std::array<Argomento, kNumArgomenti> arg{};
    std::array<bool, kNumArgomenti> numero{};   // the field's text is a number as read
    std::vector<std::pair<int, std::uint8_t>> formati;   // register, value type
    int rifiutato = -1;                                  // the first field refused

    // Makes k the field refused, unless one was before it; false, to be returned.
    bool rifiuta(int k);
    // The value of field k, when its text is a number; else k is refused.
    std::optional<double> valore(int k);
    // The value of field k rounded to an integer in min..max; else k is refused.
    std::optional<int> intero(int k, int min, int max);

    // What the editor shows for argument k.
    const QString& testo(int k) const { return s.Righe[std::size_t(k)].testo; }
    // Item data of the chosen type of argument k, -1 when none is chosen.
    int tipo(int k) const { return s.Righe[std::size_t(k)].tipoSelezionato(); }
    // List position of the chosen type of argument k, -1 when none is chosen.
    int posizione(int k) const { return s.Righe[std::size_t(k)].tipoScelto; }
    bool haTipo(int k) const { return posizione(k) >= 0; }

    // The four bytes of slot k.
    std::uint8_t& byte(int slot, int j) { return rung.ArgByte[std::size_t(4 * slot + j)]; }

    // Encodes a value by its value type into a slot (see CodificaArgomento).
    bool codifica(double valore, std::uint8_t formato, int slot);
    // The same with the value of field k, which a value the encoding refuses refuses.
    bool costante(int k, std::uint8_t formato, int slot);
    bool zero(int slot) { return codifica(0, kUInt, slot); }
    bool zeri(int da, int a);
    // The register rule: argument k's value is a register number, encoded into the slot;
    // the register then shows in the argument's value type.
    bool registro(int k, int slot, bool aggiornaTipo = true);
    // A K_Flt constant when `costanteFloat`, else the register rule.
    bool registroOFloat(int k, int slot, bool costanteFloat);
    // A K_Long constant when the chosen type of k is K_Long, else the register rule.
    bool registroOLong(int k, int slot);
    // One byte of a slot: the value rounded, 0..255; from field k, which it refuses.
    bool byteDi(int slot, int j, double valore);
    bool byteCampo(int slot, int j, int k);
    // Two bytes of a slot from j, low byte first unless altoPrima: field k as a word the
    // block takes as typed (constants, masks, times, counts, register words), -65536 to
    // 65535, a negative value counting from 65536.
    bool parola(int slot, int j, int k, bool altoPrima = false);
    // A whole slot holding field k as such a word: two bytes, low first, and two zeros.
    bool parolaSlot(int slot, int k);

    // The row's argument captions: the editor's caption of k followed by its value type.
    void etichettaConTipo(int k);
    // The row summary "[ a , b ]" of the listed fields' texts; with soloVisibili only
    // the fields the editor shows.
    void sommario(std::initializer_list<int> campi, bool soloVisibili);
};

// Classe 1, 2 and 4: the reads and writes of remote devices and I/O modules.
bool CodificaComunicazione(Assemblaggio& a);

// Classe 3: the local operations, by Funzione; an operation without an encoder writes
// nothing and succeeds.
bool CodificaLocale(Assemblaggio& a);

// The data-area length of a local operation: 2 header bytes and the argument bytes the
// controller reads. Nothing for an operation that leaves it as it was.
std::optional<std::int16_t> LungDatiDi(int funzione, int subOp);

} // namespace ludra
