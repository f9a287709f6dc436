#pragma once
// The C library's locale, which the application object takes from the environment, and
// the texts the C library gives in it.
#include <QString>

namespace ludra::platform {

// Settles the C library's locale once the application object has taken it from the
// environment: numbers in the C form whatever LC_NUMERIC or LANG say, so that no C call
// reads "3.75" as 3 under a decimal comma; and, under a character set other than
// UTF-8, the same language in UTF-8, the one Qt reads every system text in (the system's
// error texts that Qt passes on among them).
void FissaLocale();

// A text of the C library (an error text, a group name) decoded in the character set of
// its current locale, whatever that is: "Erişim engellendi" under tr_TR.ISO-8859-9 too.
QString TestoDiSistema(const char* testo);

// The system's text for the error number `numero` (errno).
QString TestoErrore(int numero);

} // namespace ludra::platform
