#pragma once
// Memory-image files (".hex", not the Intel format): line k holds the decimal value of
// the byte at controller address k, from address 0. Written as " 123 " and CR LF per
// line; read leniently about blanks, line ends (CR LF or LF) and a trailing comma.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>

namespace ludra {

// The byte one line carries: blanks, decimal digits, blanks, an optional comma and
// blanks (the line end already taken off); nothing unless it reads as 0..255.
std::optional<std::uint8_t> ByteDaRigaHex(QByteArrayView riga);

// Reads the first destinazione.size() lines of the file into destinazione (line k into
// element k). Lines from `obbligatorieDa` on must each carry a byte, and must all be
// there; a line before it that carries none leaves its element as it was. Returns the
// reason, ready for the user, when the file cannot be read or breaks those rules; the
// elements may then hold part of the file, so callers read into a scratch copy.
std::optional<QString> LeggiFileHex(const QString& percorso, std::span<std::uint8_t> destinazione,
                                    std::size_t obbligatorieDa);

// Writes one line per byte, replacing the file only once every line is written.
// Returns the reason, ready for the user, when it could not.
std::optional<QString> ScriviFileHex(const QString& percorso, std::span<const std::uint8_t> byte);

} // namespace ludra
