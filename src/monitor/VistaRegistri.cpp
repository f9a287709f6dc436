#include "monitor/VistaRegistri.h"

#include "app/Testi.h"
#include "link/Conversioni.h"
#include "platform/Cp1252.h"
#include "project/Registri.h"

namespace ludra {
namespace {

constexpr std::uint32_t kNero = 0x000000;
constexpr std::uint32_t kRosso = 0x0000FF;
constexpr std::uint32_t kBlu = 0xFF0000;
constexpr std::uint32_t kCambiato = 0x0000C0;    // RGB 192, 0, 0
constexpr std::uint32_t kInvariato = 0x00C000;   // RGB 0, 192, 0

std::optional<CoppiaByte> parola(int r) { return WordInBytes(TabellaRegistri[std::size_t(r)].Valore); }

QString decimale(double v) { return QString::number(v, 'f', 0); }

} // namespace

bool TipoDoppio(int formato) { return formato == 2 || formato == 3 || formato == 4 || formato == 6; }

QString TestoValoreRegistro(int r)
{
    if (r < 0 || r > NumRegistri || r >= kRigheRegistri)
        return {};
    const Registro& reg = TabellaRegistri[std::size_t(r)];
    const std::int32_t v = reg.Valore;
    const bool haSeguente = r + 1 <= NumRegistri && r + 1 < kRigheRegistri;
    switch (reg.Formato) {
    case 1:
        return QString::number(v > 32767 ? v - 65536 : v);
    case 2:
    case 3:
    case 6:
    case 4: {
        const auto basso = parola(r);
        const auto alto = haSeguente ? parola(r + 1) : std::nullopt;
        if (!basso || !alto)
            return {};
        if (reg.Formato == 4) {
            // "." in every locale: the same text the set-register dialog reads back.
            return QString::number(
                BytesInFloat((*alto)[1], (*alto)[0], (*basso)[1], (*basso)[0]), 'f', 5);
        }
        const bool conSegno = reg.Formato != 2;   // uLong pairs are unsigned
        return decimale(BytesInLong((*alto)[1], (*alto)[0], (*basso)[1], (*basso)[0], conSegno));
    }
    case 7:
        return WordInHex(v).value_or(QString());
    case 8: {
        auto s = WordInStringa(v);
        if (!s)
            return {};
        // A 0 byte or another control code has no glyph and would show as a box.
        for (char& c : *s)
            if (std::uint8_t(c) < 32 || std::uint8_t(c) == 127)
                c = ' ';
        // The characters of the code page every text of the system is in.
        return platform::fromCp1252(*s);
    }
    case 9:
        return WordInBinario(v, true).value_or(QString());
    case 0:
    default:
        // uInt, and the types that have no text of their own (K_Flt, Table).
        return QString::number(v < 0 ? v + 65536 : v);
    }
}

RigaRegistro DescriviRegistro(int r)
{
    RigaRegistro riga;
    if (r < 0 || r > NumRegistri || r >= kRigheRegistri)
        return riga;
    const Registro& reg = TabellaRegistri[std::size_t(r)];
    riga.etichetta = reg.Etichetta;
    riga.nome = reg.Nome;
    riga.tipo = reg.Formato < NomiTipi.size() ? NomiTipi[reg.Formato] : QString();
    riga.coloreNome = reg.Classe == 0 ? kNero : reg.Classe == 3 ? kBlu : kRosso;
    riga.coloreValore = reg.Cambiato ? kCambiato : kInvariato;
    if (r > 0 && TipoDoppio(TabellaRegistri[std::size_t(r - 1)].Formato)) {
        riga.valore = QStringLiteral("---");
        riga.tipo.clear();
    } else {
        riga.valore = TestoValoreRegistro(r);
    }
    return riga;
}

} // namespace ludra
