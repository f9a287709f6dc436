#pragma once
// What every fuzz target shares: the process set up once (a Qt application, message
// boxes and file dialogs that only record), the input as bytes or cut into pieces, and
// checks that stop the run with a message, so the fuzzer keeps the input that broke them.
#include "support/Banco.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ludra::fuzz {

// Sets the process up on the first call; every later call only empties the Log and the
// recorded messages, so a long run does not grow.
test::Banco& Avvia();

inline QByteArray Byte(const std::uint8_t* dati, std::size_t n)
{
    return QByteArray(reinterpret_cast<const char*>(dati), qsizetype(n));
}

// The pieces between separators ("\n@@\n"), for inputs that stand for several replies or
// files; the seeds use the same form.
inline constexpr char kSeparatore[] = "\n@@\n";
std::vector<QByteArray> Pezzi(const QByteArray& dati);
QByteArray Unisci(const std::vector<QByteArray>& pezzi);

// A private folder for the process's files (in memory when it can be), removed at exit.
QString Cartella();
// Writes the bytes to a file of that folder and returns its path.
QString Scrivi(const QString& nome, const QByteArray& dati);

[[noreturn]] void Fallito(const char* condizione, const char* file, int riga, const QString& dettaglio);

} // namespace ludra::fuzz

// An oracle: when it does not hold the run stops, the detail saying what differed.
#define FUZZ_CHECK(condizione, dettaglio)                                                    \
    do {                                                                                     \
        if (!(condizione))                                                                   \
            ::ludra::fuzz::Fallito(#condizione, __FILE__, __LINE__, (dettaglio));            \
    } while (0)
