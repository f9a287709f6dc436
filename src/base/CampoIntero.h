#pragma once
// Numbers typed into the fields whose values are written to a device or stored in the
// project. Unlike the general number reader (LeggiNumero), which takes the leading
// number of any text as the project files are read, these take a text only when the
// whole of it is a number, so that nothing the user did not mean reaches a device or a
// project: "12a" is no 12 and "abc" no 0.
#include <QString>
#include <optional>

namespace ludra {

// The number the whole text is, white space (SpazioNumero) anywhere apart: an optional
// sign, digits with at most one ".", an optional exponent (E or D, an optional sign and
// digits), or "&H" or "&O" and hexadecimal or octal digits, as LeggiNumero reads them
// ("1e3" is 1000, "&H1F" 31). Nothing for any other text, the empty text included. A
// number beyond the range of a double is an infinity, which every range refuses.
std::optional<double> NumeroDigitato(const QString& testo);

// A whole number typed into a field that takes one: NumeroDigitato without a fraction
// ("1e3" is 1000, "12.5" nothing), within [minimo, massimo]; nothing otherwise.
std::optional<long long> CampoIntero(const QString& testo, long long minimo, long long massimo);

// The message of a number field refused: "Port: a number from 1 to 65535".
QString FuoriCampo(const QString& campo, long long minimo, long long massimo);

// Tells the window named `finestra` that its check refused what its control
// `controllo` holds (both by object name): the window puts the focus there.
void CampoRifiutato(const QString& finestra, const QString& controllo);

} // namespace ludra
