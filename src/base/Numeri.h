#pragma once
// Numbers as the fields show and read them. Every field that takes a typed number
// reads it with LeggiNumero and every field that shows one writes it with TestoNumero,
// so what a field shows always reads back as the same value. Neither depends on the
// machine's locale: "." is the decimal point under a decimal comma too.
#include <QString>

namespace ludra {

// The white space of a typed number, in a field or in a table file alike: blanks, tabs
// and line feeds. Nothing else is (a form feed or a non-breaking space is a character
// like any other).
bool SpazioNumero(QChar c);

// The number a typed text stands for. White space anywhere in the text is ignored; then the longest leading part that forms a number is read: an optional
// sign, digits with at most one ".", and an optional exponent (E or D, an optional
// sign and digits). "&H" or "&O" in front reads a hexadecimal or octal integer,
// unsigned ("&HFFFF" is 65535). A text without a number, the empty text included,
// reads as 0; reading never fails. A number beyond the range of a double reads as an
// infinity, which every encoding refuses.
double LeggiNumero(const QString& testo);

// The text a field shows for a value: the decimal form with one leading blank when the
// value is not negative, "." as the decimal point, no grouping, no zero before the
// point of a value between -1 and 1 (" .5", "-.25"), at most 15 significant digits;
// values that round (to those digits) below 1E-04 or to 1E+15 and up in magnitude take
// the exponent form " 1E+20". The text always reads back as a value that shows as the
// same text; the largest doubles show a last digit lower, so that it reads back finite.
QString TestoNumero(double valore);

} // namespace ludra
