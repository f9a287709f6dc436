#pragma once
// The controller's own operations under downloading, debugging and the memory tools:
// its memory-access request (function 20), the run commands of register 0, the
// debug-mode byte and the one-register read of the run-to-break loop. Each operation
// makes one request with message boxes on; a failed one writes "Error" to the Log
// after the link layer's own report and changes no state of its own.
#include <array>
#include <cstdint>
#include <span>

namespace ludra {

// The data of one ScriviMemoria or LeggiMemoria.
inline constexpr int kDimBuffMemoria = 17;
extern std::array<std::uint8_t, kDimBuffMemoria> BuffMemoria;
void AzzeraMemoriaControllore();

// Function 20 sub-codes.
inline constexpr std::uint8_t kLeggiImmagine = 1;   // by offset in the program image
inline constexpr std::uint8_t kLeggiMemoria = 2;
inline constexpr std::uint8_t kScriviMemoria = 4;
inline constexpr std::uint8_t kFunzioneMemoria = 20;

// Commands of register 0.
inline constexpr std::uint8_t kComandoRun = 255;
inline constexpr std::uint8_t kComandoRunBreak = 90;
inline constexpr std::uint8_t kComandoPausa = 100;   // halt, or one step while halted
inline constexpr std::uint8_t kComandoStop = 252;

inline constexpr int kRegistroComando = 0;
inline constexpr int kRegistroContatore = 13;
inline constexpr int kIndirizzoModoDebug = 19;
inline constexpr std::uint8_t kByteDebug = 'V';
inline constexpr std::uint8_t kByteRelease = 'U';

// The debug flag's "true", as the toolbar passes it; any other value means release.
inline constexpr int kVero = -1;

// Fills BuffTx/LenTx with a function 20 request; the data only for a write. False (and
// nothing filled) when the address or the count does not fit the frame.
bool AccessoMemoria(std::uint8_t sottocodice, std::int32_t indirizzo, int quanti,
                    std::span<const std::uint8_t> dati = {});

// Writes the command into register 0; on success Controllore.StatoRun := comando.
// Redraws the status bar in every case.
bool InviaComandoDebug(std::uint8_t comando);

// Writes "V" (flag kVero) or "U" (anything else) into the debug-mode byte.
bool ImpostaModoDebug(int flag);

// Reads the debug-mode byte: "V" sets debug mode and enables the download and debug
// buttons, "U" sets release mode and disables them, any other byte changes nothing.
// True only for "V". `letto`, when given, tells whether the controller answered "U" or
// "V", so a caller can tell release mode from no answer.
bool LeggiModoDebug(bool* letto = nullptr);

// BuffMemoria(0 .. quanti - 1) to controller memory at `indirizzo`, and back. The count
// is 0..17, the address 0..65535; anything else fails without a request.
bool ScriviMemoria(std::int32_t indirizzo, int quanti);
bool LeggiMemoria(std::int32_t indirizzo, int quanti);

// Reads one register, 0..255 (function 4), and keeps its low byte as the table's value.
bool LeggiRegistroByte(int registro);

} // namespace ludra
