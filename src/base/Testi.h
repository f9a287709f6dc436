#pragma once
// The language-dependent texts of the running language, loaded from the string table.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

struct TestiLingua {
    std::array<QString, 8> Giorni;      // 1..7 Sunday first; 0 stays empty
    std::array<QString, 13> Mesi;       // 1..12 January first; 0 stays empty
    QString ParolaLingua;
    std::array<QString, 2> NomiLingue;
    QString Vuoto101;                   // the one text no key fills (follows key 101)

    // Text with key k (44..170 and 172; 101). Keys 0..43 and 171 are not kept here.
    const QString& t(int k) const;
    std::array<QString, 173> testo;
};

extern std::uint8_t Lingua;              // 0 Italian, 1 English
extern TestiLingua Testi;
extern std::array<QString, 11> NomiTipi;
extern std::array<QString, 4> PrefissiRegistro;
extern std::array<QString, 51> NomiFunzioni;

inline constexpr std::uint8_t kItaliano = 0;
inline constexpr std::uint8_t kInglese = 1;

void ImpostaLingua(std::uint8_t lang);
// Switches the language while the system runs and re-captions every loaded window.
// Only 0 and 1 are languages; anything else is refused and changes nothing.
bool CambiaLingua(int lang);

// Clears every text (as before the first start).
void AzzeraTesti();

} // namespace ludra
