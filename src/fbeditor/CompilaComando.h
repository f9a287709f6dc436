#pragma once
// The commit of the function-block editor: the block as the user filled it becomes the
// current program line (Sezioni(SubCorrente).Rung(RungCorrente)) and its row.
#include <QString>
#include <cstdint>

namespace ludra {

inline constexpr std::uint16_t kComandoScritto = 65535;
// What the editor says of a block that does not encode.
inline const QString kErroreValori = QStringLiteral("Error: Check Values");
// What OK says when the line the editor was opened on is gone.
inline const QString kRigaPersa = QStringLiteral(
    "The line this function block was opened on has been deleted or its program closed: "
    "nothing was written.");

// How the fields' texts are read. As typed, a field the block takes a number from must
// be wholly one ("12a" is refused); as a project file holds them, a field stands for
// its leading number ("12a" is 12, "abc" 0), so that every stored project compiles as
// it always has.
enum class Lettura : std::uint8_t { Digitata, File };

// The delay field, counted after the eight argument fields.
inline constexpr int kCampoRitardo = 8;

// Validates and encodes the edited block into the line the editor was opened on (the
// current line when it was opened on none): its label, texts, block triple, argument
// bytes, delay and data length, the value types of the registers it uses, and its row's
// picture, captions and summary; then redraws the register window from the table.
// Returns kComandoScritto when the line was written, 0 when the block does not encode or
// its line is gone, and then nothing at all has changed; `rifiutato` then receives the
// first field the block refused (0..7, kCampoRitardo), or -1 when the block fails for no
// one field.
std::uint16_t CompilaComando(Lettura lettura = Lettura::Digitata, int* rifiutato = nullptr);

// The editor's OK button and Enter: commits the block and closes the editor, or shows
// "Error: Check Values", puts the focus on the first field refused and leaves both the
// editor and the line as they were. A label or field text holding a character the
// project file's code page lacks is refused so too, the box naming the character.
bool ConfermaComando();

} // namespace ludra
