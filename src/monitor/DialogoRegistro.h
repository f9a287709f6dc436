#pragma once
// The set-register dialog on one register: what it shows when it opens, how the type
// list drives the bit editor, and what OK checks, writes and stores.
#include "monitor/InputBox.h"

#include <QString>
#include <optional>

namespace ludra {

// Opens the set-register dialog on register r and returns; the register window redraws
// when it closes. While a value dialog is open, that one comes to the front instead.
void ModificaRegistro(int r);

// The value field when the dialog opens: the register as an unsigned 16-bit number; a
// "uLong" or "Long" pair as one 32-bit number (r the low word; "uLong" unsigned); a
// "Float" pair as a number with "." as the decimal point. Empty when the register is not
// in the table.
QString TestoValoreIniziale(int r);

// The 32 bit buttons: register r and register r + 1 (zero beyond the table).
ParoleBit ParoleRegistro(int r);

// The names of the system registers, below the first user register, are not edited
// here.
bool NomeModificabile(int r);

// Which bit rows a type entry shows once it becomes selected: "Bin" both, any other none.
struct RigheBit {
    bool riga0 = false;
    bool riga1 = false;
};
RigheBit RigheBitPerTipo(int voce);

// The rows shown when the dialog opens on register r (the type's own rule, then row 1
// only for the 32-bit integer pairs).
RigheBit RigheBitIniziali(int r);

// Why the value cannot be written in the type of entry `voce`, or nothing when it can
// (or when the type writes nothing): one register takes -32768..65535, a pair
// -2^31..2^32-1, a Float a finite single.
std::optional<QString> ValoreNonValido(int voce, double valore);

// OK on register r with the fields as typed: voce is the selected type entry, -1 when
// none is (the register keeps its type). A dialog opened (`apertura`, without one: now)
// on another project or another device than the link's now writes and stores nothing:
// a box says so, and it closes (true). A name holding a character the project file's
// code page lacks is refused, the box naming it: nothing is written or stored, the focus
// goes to the name (false). When connected, the value is checked and
// written by type first; a value field that is not wholly a number, or a value out of
// range, shows why, the focus goes to the value field and nothing is written or stored
// (false: the dialog stays open); so does a write refused because a long operation
// holds the link, with the reason. Otherwise the name and the type are stored (true),
// whatever the write's outcome; while a command or a loop holds the link the write goes
// out in its turn.
bool ConfermaRegistro(int r, const QString& nome, int voce, const QString& valore);
bool ConfermaRegistro(int r, const QString& nome, int voce, const QString& valore,
                      const Bersaglio& apertura);

} // namespace ludra
