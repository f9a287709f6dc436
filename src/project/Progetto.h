#pragma once
// The project model: ten program units of function-block lines, the cursor of the
// ladder view and the project's names.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace ludra {

struct Rung {
    QString Descrizione;
    QString Etichetta;
    std::int16_t Classe = 0;     // 0 blank, 1 write, 2 read holding, 3 local, 4 read input
    std::uint8_t SubOp = 0;
    std::int16_t Funzione = 0;
    std::array<std::uint8_t, 32> ArgByte{};   // argument k is bytes 4k..4k+3
    std::array<QString, 8> ArgTesto;
    std::int16_t Ritardo = 0;
    bool Break = false;
    bool Caricato = false;
    std::int16_t LungDati = 0;
    // Why the editor refused the line as read from a project file; such a line keeps
    // its bytes as read, which need not encode its block, and is a compile error
    // until it is confirmed in the editor.
    QString Rifiuto;

    bool operator==(const Rung&) const = default;
};

inline constexpr int kMaxRung = 100;   // lines 1..100; line 0 is the scratch slot
inline constexpr int kNumSezioni = 10;
inline const QString kDescrizioneVuota = QStringLiteral("<...>");

struct Sezione {
    std::int16_t NumRung = 0;
    std::array<ludra::Rung, kMaxRung + 1> Rung{};
    std::uint8_t Formato = 0;   // 0 tall rows, 1 compact rows
};

struct RungSalvato {
    std::int16_t Indice = 0;
    ludra::Rung Rung;
};

extern std::array<Sezione, kNumSezioni> Sezioni;
extern std::array<RungSalvato, 8> RungUndo;
extern std::int16_t SubCorrente;
extern std::int16_t RungCorrente;
extern std::int16_t UltimaRiga;
extern std::int16_t NumSub;
extern QString NomeProgetto;
extern QString FileProgetto;

// A blank line record, as a new or cleared line holds it.
Rung RungVuoto();

// Empties a line's record as closing a project does: everything but ArgTesto.
void SvuotaRung(Rung& rung);

} // namespace ludra
