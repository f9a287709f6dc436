#pragma once
// The controller's program image and the state of the last compile.
//
// Layout, by image offset: a 4-byte header (program records, 0, scheduler records, 0);
// one 10-byte command record slot per reserved line from offset 4; the data area from
// InizioDati, one data block per local-operation record in record order; on the
// KVR5460 the display images downward from the top of the image region. Data
// addresses are 32-bit, low byte first.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

inline constexpr int kDimCodice = 6401;             // offsets 0..6400
inline constexpr int kUltimoByte = kDimCodice - 1;
inline constexpr int kDimIntestazione = 4;
inline constexpr int kDimRecord = 10;
// A local-operation block is written whole (Funzione, 0 and eight 4-byte arguments)
// whatever its length; the next block overwrites what lies beyond its length.
inline constexpr int kDimScritturaBlocco = 34;
inline constexpr int kLungDatiMinima = 2;             // Funzione and a 0 byte
// A scheduler block is the Blocco line's Funzione, 0, then LungDati + 42 code bytes.
inline constexpr int kExtraScheduler = 44;
inline constexpr int kMaxRecord = 255;
inline constexpr int kMaxPagineLista = 7;           // the eight arguments hold 7 pages
inline constexpr int kMaxErrori = 256;

// Record classes.
inline constexpr int kClasseScrivi = 1;
inline constexpr int kClasseLeggiHolding = 2;
inline constexpr int kClasseLocale = 3;
inline constexpr int kClasseLeggiInput = 4;

// Local-operation codes the compiler itself looks at.
inline constexpr int kFunzioneDisplay = 3;          // with SubOp 253 or 254
inline constexpr int kSubOpListaPagine = 253;
inline constexpr int kSubOpAggiornaDisplay = 254;
inline constexpr int kFunzioneIfGoto = 129;
inline constexpr int kFunzioneGoto = 130;
inline constexpr int kFunzioneCall = 131;
inline constexpr int kFunzioneIfCall = 139;

inline constexpr int kSezioneProgetto = -1;   // a fault of the project as a whole

struct ErroreCompilazione {
    std::int16_t Rung = 0;   // line number within its unit, from 1, or scheduler object
    QString Messaggio;
    std::int16_t Sezione = 0;   // the line's unit, or kSezioneProgetto
};

extern std::array<std::uint8_t, kDimCodice> CodiceProgramma;
extern std::int32_t InizioDati;     // where the data area begins
extern std::int32_t PuntDati;       // data cursor; at the end, the bytes in use
extern std::uint8_t NumComandi;     // reserved slots, then records written
extern std::uint8_t NumBlocchi;     // local-operation records written
extern std::array<ErroreCompilazione, kMaxErrori> Errori;
extern std::int16_t NumErrori;

// Where the bytes in use end after a local-operation record whose block begins at
// `indirizzo` with data length `lunghezza`: the length rounded up to whole 4-byte
// arguments after the two leading bytes.
std::int32_t FineBloccoInUso(std::int32_t indirizzo, int lunghezza);

// Clears the image and the compile state (as before the first start).
void AzzeraCompilazione();

} // namespace ludra
