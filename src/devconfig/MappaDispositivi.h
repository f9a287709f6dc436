#pragma once
// The configuration registers and coils of the devices: which models exist, what each
// group shows, the code tables of the port and input settings, and how the bytes of a
// register read are taken apart. One register numbering serves every function code.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace ludra {

enum class GruppoDispositivo { Nessuno, Controllore, IngressiAnalogici, UsciteAnalogiche, DigitaliIO };

struct ModelloDispositivo {
    const char* nome;
    GruppoDispositivo gruppo;
    int canali;          // analog channels, or digital outputs shown
    bool ioDigitali;     // reads inputs and outputs at registers 8 and 9
    bool orologio;       // real-time clock at registers 22..25
    bool display;        // display settings in register 11
};

// The 17 models in the order of the window's model list.
inline constexpr int kNumModelli = 17;
const std::array<ModelloDispositivo, kNumModelli>& ModelliDispositivo();
// The model with that name; nullptr for a name that is none (no model chosen).
const ModelloDispositivo* TrovaModello(const QString& nome);
GruppoDispositivo GruppoDi(const QString& nome);

// Registers of the identity and port block, and beyond.
inline constexpr int kRegSincronismo = 0;
inline constexpr int kRegNome = 3;
inline constexpr int kRegBaud = 5;
inline constexpr int kRegNodo = 6;
inline constexpr int kRegRitardo = 7;
inline constexpr int kRegWdtModuli = 8;      // host watchdog of the analog modules
inline constexpr int kRegUsciteDigitali = 9; // controllers with I/O
inline constexpr int kRegTipoIngresso = 10;
inline constexpr int kRegStatiUscite = 11;   // power-up and safe states; enables; display
inline constexpr int kRegWdt = 12;           // host watchdog of controllers and KVR1212
inline constexpr int kRegTipoUscite = 13;
inline constexpr int kRegValori = 14;        // input or output value of channel i at 14 + i
inline constexpr int kRegSicuri = 22;        // synchronised input, or safe output, at 22 + i
inline constexpr int kRegPorta1 = 18;        // second port: code and delay in 18 and 19
inline constexpr int kRegOrologio = 22;      // clock registers 22..25
inline constexpr int kNumCanali = 8;

// Coils.
inline constexpr int kCoilLatch = 4;         // 4..11
inline constexpr int kCoilUscite = 16;       // 16 + i
inline constexpr int kCoilWdt = 32;
inline constexpr int kCoilEventoWdt = 33;
inline constexpr int kCoilEventoAccensione = 34;
inline constexpr int kCoilAcceso = 255;      // high byte of the function 5 value FF00

// The register 5 write carries the baud code with bits 3..6 set.
inline constexpr int kBaudScrittura = 120;

// Baud codes 0..7 and their texts.
extern const std::array<const char*, 8> TestiBaud;
// The code of a baud text; nothing for a text not in the table.
std::optional<int> CodiceBaud(const QString& testo);

struct TipoIngresso {
    const char* testo;
    int codice;
};
// The input types of an analog-input model, in list order; empty for any other model.
std::span<const TipoIngresso> TipiIngresso(const QString& modello);

// A byte as upper-case hexadecimal digits without a leading zero (5 gives "5").
QString TestoHex(std::uint8_t b);
// The firmware text of registers 1 and 2: four characters when register 2 lo is "H",
// otherwise the four numbers run together.
QString TestoFirmware(std::uint8_t r1hi, std::uint8_t r1lo, std::uint8_t r2hi, std::uint8_t r2lo);
// The module name of registers 3 and 4: characters 1..4 are 3 lo, 3 hi, 4 lo, 4 hi.
QString TestoNome(std::uint8_t r3hi, std::uint8_t r3lo, std::uint8_t r4hi, std::uint8_t r4lo);
// Whether channel k is broken by the break bits of register 9 hi.
bool CanaleRotto(const QString& modello, std::uint8_t bitRottura, int canale);

// The registers of one function 4 reply, checked against what was asked for before
// any of its bytes is used.
class RegistriLetti {
public:
    // From BuffRx/LenRx after a read of `quanti` registers from `primo`; nothing when
    // the reply's byte count or length does not hold them.
    static std::optional<RegistriLetti> DaRisposta(int primo, int quanti);
    // Registers outside the read give 0.
    std::uint8_t hi(int r) const;
    std::uint8_t lo(int r) const;
    std::int16_t conSegno(int r) const;
    bool bit(int r, bool alto, int i) const { return ((alto ? hi(r) : lo(r)) >> i) & 1; }

private:
    int primo_ = 0;
    int quanti_ = 0;
    std::array<std::uint8_t, 2 * 16> byte_{};
};
inline constexpr int kMaxRegistriLetti = 16;

} // namespace ludra
