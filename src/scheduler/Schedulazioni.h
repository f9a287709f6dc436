#pragma once
// The data-logger objects: each carries its schedule, one Log Write block and the bytes
// the scheduler window compiled from them.
#include "project/Progetto.h"

#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

inline constexpr int kMaxOggettiScheduler = 32;
inline constexpr int kDimCodiceScheduler = 101;

struct OggettoScheduler {
    std::array<std::uint8_t, 25> Par{};     // 1..24 in use
    QString Percorso;                       // log directory, 11 characters compiled
    std::uint8_t Dato1 = 0;
    std::uint8_t Dato2 = 0;
    std::int16_t Dato3 = 0;
    std::int16_t Dato4 = 0;
    ludra::Rung Blocco;                     // Classe 3, Funzione 138 (Log Write)
    std::array<std::uint8_t, kDimCodiceScheduler> Codice{};
};

struct ListaScheduler {
    std::uint8_t NumOggetti = 0;   // objects 1..NumOggetti; slot 0 is scratch
    std::array<OggettoScheduler, kMaxOggettiScheduler + 1> Oggetti{};
};

extern ListaScheduler Schedulazioni;

// Empties the store (as before the first start).
void AzzeraSchedulazioni();

} // namespace ludra
