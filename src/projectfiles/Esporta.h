#pragma once
// The program listing: every line of the main program with its label, description,
// block name and, on request, its arguments as the ladder shows them.
#include <QByteArray>
#include <QString>

namespace ludra {

inline constexpr const char* kFileEsportazione = "export.txt";

// The listing's text (CR LF lines). The project is not changed.
QString TestoEsportazione(bool legenda, bool argomenti);

// Writes the listing to "export.txt" in the working directory (or `percorso` when
// given); false, with the reason in `errore`, when it could not be written.
bool EsportaProgramma(bool legenda, bool argomenti, QString& errore,
                      const QString& percorso = QString());

// The Export menu command: writes the listing and opens it with the desktop's handler;
// a listing that could not be written is reported and not opened.
void EsportaEApri();

} // namespace ludra
