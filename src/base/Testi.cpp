#include "base/Testi.h"

#include "base/Finestre.h"
#include "base/Menu.h"
#include "platform/Resources.h"

namespace ludra {

std::uint8_t Lingua = 0;
TestiLingua Testi;
std::array<QString, 11> NomiTipi;
std::array<QString, 4> PrefissiRegistro;
std::array<QString, 51> NomiFunzioni;

const QString& TestiLingua::t(int k) const
{
    static const QString vuoto;
    return k >= 0 && k < int(testo.size()) ? testo[std::size_t(k)] : vuoto;
}

namespace {

// A missing id leaves the destination as it was.
void carica(QString& destinazione, int id)
{
    if (const std::optional<QString> s = platform::resources().string(id))
        destinazione = *s;
}

} // namespace

void ImpostaLingua(std::uint8_t lang)
{
    Lingua = lang;
    const int base = 2000 + 1000 * lang;

    NomiTipi = {QStringLiteral("uInt"),  QStringLiteral("Int"),    QStringLiteral("uLong"),
                QStringLiteral("Long"),  QStringLiteral("Float"),  QStringLiteral("K_Flt"),
                QStringLiteral("K_Long"), QStringLiteral("Hex"),   QStringLiteral("ASCII"),
                QStringLiteral("Bin"),   QStringLiteral("Table")};
    PrefissiRegistro = {QStringLiteral("%R"), QStringLiteral("%S"), QStringLiteral("%S"),
                        QStringLiteral("%R")};

    carica(Testi.testo[172], base + 172);
    carica(Testi.ParolaLingua, 900 + Lingua);
    for (int i = 0; i <= 1; ++i)
        carica(Testi.NomiLingue[std::size_t(i)], 902 + i);
    for (int i = 1; i <= 7; ++i)
        carica(Testi.Giorni[std::size_t(i)], base + i - 1);
    for (int i = 1; i <= 12; ++i)
        carica(Testi.Mesi[std::size_t(i)], base + 7 + i - 1);

    MenuPrincipale& menu = MenuPrincipale::istanza();
    for (const VoceMenu& voce : menu.voci()) {
        if (voce.chiave < 0)
            continue;
        QString caption = voce.caption;
        carica(caption, base + voce.chiave);
        menu.setCaption(voce.nome, caption);
    }

    for (int k = 44; k <= 170; ++k)
        carica(Testi.testo[std::size_t(k)], base + k);

    for (int code = 0; code <= 46; ++code)
        carica(NomiFunzioni[std::size_t(code)], 1200 + code);
}

bool CambiaLingua(int lang)
{
    if (lang != kItaliano && lang != kInglese)
        return false;
    ImpostaLingua(std::uint8_t(lang));
    FinestreCaricate::istanza().perOgni([](Localizzabile& f) { f.SetRes(); });
    return true;
}

void AzzeraTesti()
{
    Lingua = 0;
    Testi = TestiLingua{};
    NomiTipi = {};
    PrefissiRegistro = {};
    NomiFunzioni = {};
}

} // namespace ludra
