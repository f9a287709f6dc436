#include "project/Registri.h"

#include "app/Menu.h"
#include "app/Notifiche.h"
#include "app/Testi.h"
#include "link/StatoLink.h"

#include <QStringList>
#include <algorithm>
#include <optional>

namespace ludra {

std::array<Registro, kRigheRegistri> TabellaRegistri;
std::int16_t NumRegistri = 0;
std::int16_t PrimoRegUtente = 0;
std::int16_t PrimoRegBlocco = 0;
std::int16_t NumRegBlocco = 0;
std::int16_t TopTabelle = 0;
std::int16_t PuntProg = 0;
std::int16_t DimProg = 0;
std::int16_t DimRegEprom = 0;
std::int16_t PuntWebPages = 0;

namespace {

enum class Famiglia { Base, DataLogger, IO, DataLoggerIO, Display };

struct RigaSistema {
    std::uint8_t classe;
    std::uint8_t formato;
    const char* nome;
};

constexpr RigaSistema kRiservata{1, 0, "--Reserved--"};

constexpr RigaSistema kRigheComuni[26] = {
    {1, 0, "--Reserved--"},      {2, 7, "Firmware[0]"},     {2, 7, "Firmware[1]"},
    {2, 8, "Name[0]"},           {2, 8, "Name[1]"},         {2, 7, "Port 1 Settings"},
    {2, 0, "Address"},           {2, 0, "Port 1 Timeout"},  kRiservata,
    kRiservata,                  {1, 9, "System Flags"},    kRiservata,
    {2, 0, "WatchDog"},          {1, 7, "PC"},              {1, 9, "Status[0]"},
    {1, 0, "Status[1]"},         {1, 0, "COM Errors"},      {1, 7, "Gateway Mask[L-H]"},
    {1, 0, "Port 0 Settings"},   {1, 0, "port 0 Settings"}, {1, 9, "Timers Enable"},
    {1, 9, "Time Base Flags"},   kRiservata,                kRiservata,
    kRiservata,                  kRiservata,
};

constexpr RigaSistema kOrologio[4] = {
    {1, 7, "RTC[Sec]"}, {1, 7, "RTC[Min/Hours]"}, {1, 7, "RTC[Day/Date]"},
    {1, 7, "RTC[Month/Year]"}};

std::optional<Famiglia> famiglia(const QString& modello)
{
    if (modello == QLatin1String("KVR5200")) return Famiglia::Base;
    if (modello == QLatin1String("KVR5200-DL")) return Famiglia::DataLogger;
    if (modello == QLatin1String("KVR5200-IO")) return Famiglia::IO;
    if (modello == QLatin1String("KVR5200-DL-IO")) return Famiglia::DataLoggerIO;
    if (modello == QLatin1String("KVR5460")) return Famiglia::Display;
    return std::nullopt;
}

void scriviRiga(int r, const RigaSistema& riga)
{
    TabellaRegistri[r].Classe = riga.classe;
    TabellaRegistri[r].Formato = riga.formato;
    TabellaRegistri[r].Nome = QString::fromLatin1(riga.nome);
}

void righeDiSistema(Famiglia f)
{
    for (int r = 0; r < 26; ++r)
        scriviRiga(r, kRigheComuni[r]);
    if (f == Famiglia::IO || f == Famiglia::DataLoggerIO) {
        scriviRiga(8, {1, 9, "Digital Inputs"});
        scriviRiga(9, {1, 9, "Digital Outputs"});
    } else if (f == Famiglia::Display) {
        scriviRiga(8, {1, 9, "Function Keys"});
        scriviRiga(9, {1, 0, "View Page"});
        scriviRiga(11, {1, 9, "Display Options"});
    }
    if (f == Famiglia::DataLogger || f == Famiglia::DataLoggerIO || f == Famiglia::Display) {
        for (int i = 0; i < 4; ++i)
            scriviRiga(22 + i, kOrologio[i]);
    }
}

// The user and block rows as the model sets them up: classes, and type Int.
void righeUtente()
{
    for (int r = PrimoRegUtente; r <= NumRegistri - 1 && r < kRigheRegistri; ++r) {
        TabellaRegistri[r].Classe = 0;
        TabellaRegistri[r].Formato = 1;
    }
    for (int r = PrimoRegBlocco; r <= PrimoRegBlocco + NumRegBlocco - 1 && r < kRigheRegistri; ++r) {
        TabellaRegistri[r].Classe = 3;
        TabellaRegistri[r].Formato = 1;
    }
}

} // namespace

bool ModelloControllore(const QString& modello) { return famiglia(modello).has_value(); }

void ImpostaModello()
{
    const std::optional<Famiglia> f = famiglia(Controllore.Modello);

    // 1. Display menu: only the KVR5460 has display pages.
    if (f)
        MenuPrincipale::istanza().setVisibile("mnu_display", *f == Famiglia::Display);

    if (f) {
        // 2. Limits. They are the same for every model today, so a change of model
        // normally leaves them as they were.
        const std::array<std::int16_t, 9> prima{NumRegistri, PrimoRegUtente, PrimoRegBlocco,
                                               NumRegBlocco, TopTabelle,     PuntProg,
                                               DimProg,      DimRegEprom,    PuntWebPages};
        NumRegistri = 1024;
        PrimoRegUtente = 26;
        PrimoRegBlocco = 960;
        NumRegBlocco = 64;
        TopTabelle = 128;
        PuntProg = 512;
        DimProg = 5634;
        DimRegEprom = 32;
        PuntWebPages = 8192;
        const std::array<std::int16_t, 9> dopo{NumRegistri, PrimoRegUtente, PrimoRegBlocco,
                                              NumRegBlocco, TopTabelle,     PuntProg,
                                              DimProg,      DimRegEprom,    PuntWebPages};

        // 3. System rows by model. The value types of the user and block rows are
        // reset only when the limits move: otherwise every OK of the settings window
        // would throw away the types the user set or the project loaded.
        righeDiSistema(*f);
        if (prima != dopo)
            righeUtente();
    }

    // 4. Labels, for every model.
    for (int r = 0; r <= NumRegistri && r < kRigheRegistri; ++r) {
        const int classe = TabellaRegistri[r].Classe <= 3 ? TabellaRegistri[r].Classe : 0;
        TabellaRegistri[r].Etichetta = PrefissiRegistro[classe] + QString::number(r);
    }
    emit Notifiche::istanza().registriCambiati();
}

void AzzeraNomiRegistri()
{
    const Registro nuovo;
    for (int r = std::max<int>(PrimoRegUtente, 0); r <= NumRegistri && r < kRigheRegistri; ++r) {
        TabellaRegistri[r].Nome = nuovo.Nome;
        TabellaRegistri[r].Formato = nuovo.Formato;
    }
    righeUtente();
    emit Notifiche::istanza().registriCambiati();
}

void AzzeraRegistri()
{
    TabellaRegistri.fill(Registro{});
    NumRegistri = PrimoRegUtente = PrimoRegBlocco = NumRegBlocco = 0;
    TopTabelle = PuntProg = DimProg = DimRegEprom = PuntWebPages = 0;
}

} // namespace ludra
