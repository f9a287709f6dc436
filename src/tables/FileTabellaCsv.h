#pragma once
// Table files (".csv"): one table, one value a line, CR LF, Windows-1252.
//   line 1          the name
//   line 2          the point count n, " 8 "
//   lines 3..2+n    the input values, " 12.5", "-.25"
//   lines 3+n..2+2n the output values
// The reader takes fields in that order from anywhere in the text: a field ends at a
// comma or a line end, leading blanks are skipped and a field in double quotes loses
// its quotes.
#include "tables/Tabelle.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace ludra {

// No table file is anywhere near this size; a bigger one is not a table file.
inline constexpr qint64 kMaxByteTabellaCsv = 64 * 1024;

// A number held in a table file: white space (SpazioNumero) around it, an optional sign,
// digits with at most one ".", an optional exponent (E or D); nothing else. Only finite
// values count.
std::optional<double> NumeroStretto(const QString& testo);

// The bytes of the table's file, or nothing (with the reason, ready for the user, in
// errore) when the table cannot be written so that it reads back the same: a point
// count outside 2..32, a value that is not finite, a name the file form cannot carry.
std::optional<QByteArray> TestoTabellaCsv(const Tabella& tab, QString& errore);

// Reads a table file's bytes. Only a whole, well-formed table is taken: the name, a
// point count from 2 to 32 and that many finite inputs and outputs, nothing after
// them. Otherwise errore says why, naming the line, and tab is left as it was; entries
// above the point count keep what they held.
bool LeggiTabellaCsv(const QByteArray& dati, const QString& nomeFile, Tabella& tab,
                     QString& errore);

// The same on a file; the reason when it cannot be read or is no table file.
std::optional<QString> CaricaTabellaCsv(const QString& percorso, Tabella& tab);

// Writes the file, replacing an existing one only once every line is written; the
// reason when it could not.
std::optional<QString> SalvaTabellaCsv(const QString& percorso, const Tabella& tab);

} // namespace ludra
