#pragma once
// The register table of the selected controller model and the model's memory limits.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

struct Registro {
    QString Etichetta;        // "%R26", "%S13"
    QString Nome;
    std::uint8_t Classe = 0;  // 0 user, 1 and 2 system, 3 block register
    std::uint8_t Formato = 0; // value type 0..10, named by NomiTipi
    std::int32_t Valore = 0;
    bool Cambiato = false;
};

inline constexpr int kRigheRegistri = 1025;
extern std::array<Registro, kRigheRegistri> TabellaRegistri;

// Model limits, set by ImpostaModello.
extern std::int16_t NumRegistri;
extern std::int16_t PrimoRegUtente;
extern std::int16_t PrimoRegBlocco;
extern std::int16_t NumRegBlocco;
extern std::int16_t TopTabelle;
extern std::int16_t PuntProg;
extern std::int16_t DimProg;
extern std::int16_t DimRegEprom;
extern std::int16_t PuntWebPages;

// The controller models the register table knows, exact and case-sensitive.
bool ModelloControllore(const QString& modello);

// Limits and register table for Controllore.Modello; shows the Display menu item for
// the KVR5460 only.
void ImpostaModello();

// The names and value types of the user and block rows as the model sets them up, so
// nothing of a closed project's registers remains.
void AzzeraNomiRegistri();

// Clears the table and the limits to their zero values (as before the first start).
void AzzeraRegistri();

} // namespace ludra
