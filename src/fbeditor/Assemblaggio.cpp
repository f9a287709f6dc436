#include "fbeditor/Assemblaggio.h"

#include "base/CampoIntero.h"
#include "base/Numeri.h"
#include "fbeditor/Trasf.h"
#include "project/Registri.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace ludra {

std::optional<double> ValoreCampo(const QString& testo, Lettura lettura)
{
    const auto numero = [lettura](const QString& t) -> std::optional<double> {
        if (lettura == Lettura::Digitata)
            return NumeroDigitato(t);
        return LeggiNumero(t);
    };
    qsizetype i = 0;
    while (i < testo.size() && (testo[i] == QLatin1Char(' ') || testo[i] == QLatin1Char('\t')))
        ++i;
    if (i < testo.size() && testo[i] == QLatin1Char('%')) {
        // "%" and a register letter; a lone "%" names no register.
        if (i + 1 >= testo.size())
            return std::nullopt;
        return numero(testo.mid(i + 2));
    }
    return numero(testo);
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

bool Assemblaggio::rifiuta(int k)
{
    if (rifiutato < 0)
        rifiutato = k;
    return false;
}

std::optional<double> Assemblaggio::valore(int k)
{
    if (!numero[std::size_t(k)]) {
        rifiuta(k);
        return std::nullopt;
    }
    return arg[std::size_t(k)].Valore;
}

std::optional<int> Assemblaggio::intero(int k, int min, int max)
{
    const std::optional<double> v = valore(k);
    const std::optional<int> n = v ? InteroIn(*v, min, max) : std::nullopt;
    if (!n)
        rifiuta(k);
    return n;
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

bool Assemblaggio::costante(int k, std::uint8_t formato, int slot)
{
    const std::optional<double> v = valore(k);
    return (v && codifica(*v, formato, slot)) || rifiuta(k);
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
    const std::optional<double> v = valore(k);
    const std::optional<int> n = v ? NumeroRegistro(*v) : std::nullopt;
    if (!n || !codifica(*n, kUInt, slot))
        return rifiuta(k);
    if (aggiornaTipo)
        formati.emplace_back(*n, arg[std::size_t(k)].Tipo);
    return true;
}

bool Assemblaggio::registroOFloat(int k, int slot, bool costanteFloat)
{
    if (costanteFloat)
        return costante(k, kKFlt, slot);
    return registro(k, slot);
}

bool Assemblaggio::registroOLong(int k, int slot)
{
    if (tipo(k) == kKLong)
        return costante(k, kKLong, slot);
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

bool Assemblaggio::byteCampo(int slot, int j, int k)
{
    const std::optional<int> n = intero(k, 0, 255);
    if (n)
        byte(slot, j) = std::uint8_t(*n);
    return n.has_value();
}

bool Assemblaggio::parola(int slot, int j, int k, bool altoPrima)
{
    std::optional<int> n = intero(k, -65536, 65535);
    if (!n)
        return false;
    if (*n < 0)
        *n += 65536;
    const auto basso = std::uint8_t(*n & 0xFF);
    const auto alto = std::uint8_t((*n >> 8) & 0xFF);
    byte(slot, j) = altoPrima ? alto : basso;
    byte(slot, j + 1) = altoPrima ? basso : alto;
    return true;
}

bool Assemblaggio::parolaSlot(int slot, int k)
{
    if (!parola(slot, 0, k))
        return false;
    byte(slot, 2) = byte(slot, 3) = 0;
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
