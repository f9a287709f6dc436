#include "fbeditor/Assemblaggio.h"

#include "app/Numeri.h"
#include "fbeditor/Trasf.h"
#include "project/Registri.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace ludra {

std::optional<double> ValoreCampo(const QString& testo)
{
    qsizetype i = 0;
    while (i < testo.size() && (testo[i] == QLatin1Char(' ') || testo[i] == QLatin1Char('\t')))
        ++i;
    if (i < testo.size() && testo[i] == QLatin1Char('%')) {
        // "%" and a register letter; a lone "%" names no register.
        if (i + 1 >= testo.size())
            return std::nullopt;
        return LeggiNumero(testo.mid(i + 2));
    }
    return LeggiNumero(testo);
}

std::optional<int> InteroIn(double valore, int min, int max)
{
    const double n = std::nearbyint(valore);
    if (!(n >= min && n <= max))
        return std::nullopt;
    return int(n);
}

std::optional<int> NumeroRegistro(double valore)
{
    return InteroIn(valore, 0, std::min<int>(NumRegistri, kRigheRegistri - 1));
}

bool Assemblaggio::codifica(double valore, std::uint8_t formato, int slot)
{
    SlotArgomento b;
    for (int j = 0; j < 4; ++j)
        b[std::size_t(j)] = byte(slot, j);
    if (!CodificaArgomento(valore, formato, b))
        return false;
    for (int j = 0; j < 4; ++j)
        byte(slot, j) = b[std::size_t(j)];
    return true;
}

bool Assemblaggio::zeri(int da, int a)
{
    for (int k = da; k <= a; ++k)
        if (!zero(k))
            return false;
    return true;
}

bool Assemblaggio::registro(int k, int slot, bool aggiornaTipo)
{
    const std::optional<int> n = NumeroRegistro(arg[std::size_t(k)].Valore);
    if (!n || !codifica(*n, kUInt, slot))
        return false;
    if (aggiornaTipo)
        formati.emplace_back(*n, arg[std::size_t(k)].Tipo);
    return true;
}

bool Assemblaggio::registroOFloat(int k, int slot, bool costante)
{
    if (costante)
        return codifica(arg[std::size_t(k)].Valore, kKFlt, slot);
    return registro(k, slot);
}

bool Assemblaggio::registroOLong(int k, int slot)
{
    if (tipo(k) == kKLong)
        return codifica(arg[std::size_t(k)].Valore, kKLong, slot);
    return registro(k, slot);
}

bool Assemblaggio::byteDi(int slot, int j, double valore)
{
    const std::optional<int> n = InteroIn(valore, 0, 255);
    if (!n)
        return false;
    byte(slot, j) = std::uint8_t(*n);
    return true;
}

namespace {

void scriviParola(std::uint8_t& primo, std::uint8_t& secondo, int n, bool altoPrima)
{
    const auto basso = std::uint8_t(n & 0xFF);
    const auto alto = std::uint8_t((n >> 8) & 0xFF);
    primo = altoPrima ? alto : basso;
    secondo = altoPrima ? basso : alto;
}

} // namespace

bool Assemblaggio::parola(int slot, int j, double valore, Parola genere, bool altoPrima)
{
    const bool conSegno = genere == Parola::ConSegno;
    std::optional<int> n = InteroIn(valore, conSegno ? -65536 : 0, 65535);
    if (!n)
        return false;
    if (*n < 0)
        *n += 65536;
    scriviParola(byte(slot, j), byte(slot, j + 1), *n, altoPrima);
    return true;
}

void Assemblaggio::etichettaConTipo(int k)
{
    const RigaArgomento& r = s.Righe[std::size_t(k)];
    riga.lbl_VarN[std::size_t(k)].caption =
        r.etichetta + QStringLiteral(" (") + r.testoTipo() + QLatin1Char(')');
}

void Assemblaggio::sommario(std::initializer_list<int> campi, bool soloVisibili)
{
    QStringList testi;
    for (int k : campi)
        if (!soloVisibili || s.Righe[std::size_t(k)].testoVisibile)
            testi << testo(k);
    riga.txt_Var.caption = testi.isEmpty()
                               ? QString()
                               : QStringLiteral("[ ") + testi.join(QStringLiteral(" , "))
                                     + QStringLiteral(" ]");
}

} // namespace ludra
