#pragma once
// Block transfers between the system and the controller's memory, 32 bytes a request
// (function 20): the compiled program image down into the program area and back, and
// a range of memory between the controller and a memory-image file through BuffHex.
// Each writes its progress and its outcome to the Log and shows the hourglass while it
// runs.
#include <array>
#include <cstdint>

namespace ludra {

inline constexpr int kDimBloccoTrasferimento = 32;
// The read-back covers at least this many blocks, whatever the image size.
inline constexpr int kBlocchiRilettura = 132;
// BuffHex covers the whole 16-bit address space (and one byte more).
inline constexpr int kDimBuffHex = 65537;
inline constexpr int kMaxBlocchiHex = 65536 / kDimBloccoTrasferimento;

// The memory image of the file transfers; kept between transfers (zeros at start).
extern std::array<std::uint8_t, kDimBuffHex> BuffHex;
// The image size of the last compile, the byte count handed to the download.
extern std::int32_t DimCompilata;
// The progress of the running download, 1..101 (the download dialog draws it).
extern std::int16_t Barra;
// The blocks of the program image the last download wrote.
extern int BlocchiProgramma;

// Writes image bytes 0 to nBytes, in Int(nBytes / 32) + 1 blocks from PuntProg, with a
// 0.1 s pause before each block. True when every block was written; a failed block
// ends the transfer and leaves the blocks before it written.
bool DownloadProgramma(std::int32_t nBytes);

// Reads the program image back into CodiceProgramma: 132 blocks, or every block the
// last download wrote, or blocchiMinimi, whichever is most. True when every block was
// read.
bool UploadProgramma(int blocchiMinimi = 0);

// Blocks primo .. quanti - 1 (block i at address 32i) from BuffHex to the controller.
// With `chiedi` the file chosen in an open dialog is read first (its first quanti x 32
// lines, line k into BuffHex(k)): a cancelled dialog or a file that does not give a
// byte for every line of the blocks to send sends nothing and leaves BuffHex as it
// was. True when every block was written.
bool DownloadFileHex(int primo, int quanti, bool chiedi);

// Blocks primo .. quanti - 1 from the controller into BuffHex; with `chiedi` and when
// every block was read, then writes BuffHex(0 .. quanti x 32 - 1) to the file chosen in
// a save dialog; after a failed read no file is offered, since part of it would not
// come from the controller. True when every block was read and the file, if one was
// chosen, written.
bool UploadFileHex(int primo, int quanti, bool chiedi);

// Back to the state of a fresh process.
void AzzeraTrasferimenti();

} // namespace ludra
