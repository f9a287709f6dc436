#pragma once
// The commit of the function-block editor: the block as the user filled it becomes the
// current program line (Sezioni(SubCorrente).Rung(RungCorrente)) and its row.
#include <QString>
#include <cstdint>

namespace ludra {

inline constexpr std::uint16_t kComandoScritto = 65535;
// What the editor says of a block that does not encode.
inline const QString kErroreValori = QStringLiteral("Error: Check Values");

// Validates and encodes the edited block into the current line: its label, texts,
// block triple, argument bytes, delay and data length, the value types of the
// registers it uses, and its row's picture, captions and summary; then redraws the
// register window from the table. Returns kComandoScritto when the line was written,
// 0 when the block does not encode, and then nothing at all has changed.
std::uint16_t CompilaComando();

// The editor's OK button and Enter: commits the block and closes the editor, or shows
// "Error: Check Values" and leaves both the editor and the line as they were.
bool ConfermaComando();

} // namespace ludra
