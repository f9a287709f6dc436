#include "display/Pannello.h"

#include "app/Numeri.h"
#include "display/TipiOggetto.h"
#include "fbeditor/Argomenti.h"
#include "fbeditor/Trasf.h"
#include "images/Immagini.h"
#include "platform/Cp1252.h"

#include <QRegularExpression>
#include <cmath>

namespace ludra {

namespace {

// The number a field holds when the whole text is one, as the number rule reads it
// (blanks, tabs and line feeds apart); nothing for a text with anything else in it,
// the empty text included: "abc" or "3O" would be stored as 0 or 3 unseen.
std::optional<double> numero(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral(
        "^(?:[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[EeDd][+-]?[0-9]+)?|&[Hh][0-9A-Fa-f]+|&[Oo][0-7]+)$"));
    QString compatto = testo;
    compatto.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'));
    if (!forma.match(compatto).hasMatch())
        return std::nullopt;
    return LeggiNumero(compatto);
}

// A typed whole number within lo..hi (rounded to the nearest), or nothing.
std::optional<int> intero(const QString& testo, int lo, int hi)
{
    const std::optional<double> n = numero(testo);
    if (!n)
        return std::nullopt;
    const double v = std::round(*n);
    if (!std::isfinite(v) || v < lo || v > hi)
        return std::nullopt;
    return int(v);
}

// A bar's limit: a number the single the controller reads can hold, as for a K_Flt
// argument of the editor.
std::optional<double> singolo(const QString& testo)
{
    std::optional<double> n = numero(testo);
    SlotArgomento byte{};
    if (!n || !CodificaArgomento(*n, kKFlt, byte))
        return std::nullopt;
    return n;
}

QString fuoriCampo(const QString& campo, int lo, int hi)
{
    return QStringLiteral("%1: a number from %2 to %3").arg(campo).arg(lo).arg(hi);
}

std::optional<QString> testoTroppoLungo(const QString& testo, int massimo)
{
    if (platform::toCp1252(testo).size() <= massimo)
        return std::nullopt;
    return QStringLiteral("Text too long: \"%1\" (%2 characters at most)").arg(testo).arg(massimo);
}

} // namespace

CampiPannello CampiDaOggetto(const OggettoDisplay& o)
{
    CampiPannello c;
    c.formato = o.Testo;
    c.posX = QString::number(o.PosX);
    c.posY = QString::number(o.PosY);
    c.dimX = QString::number(o.DimX);
    c.dimY = QString::number(o.DimY);
    c.spessore = QString::number(o.Spessore);
    c.registro = QString::number(o.Registro);
    c.bit = QString::number(o.Bit);
    c.max = TestoNumero(o.Max).trimmed();
    c.min = TestoNumero(o.Min).trimmed();
    c.tipoRegistro = o.TipoRegistro <= 4 ? o.TipoRegistro : -1;
    c.taglia = TipoDaCodice(o.Codice) == TipoOggetto::Image ? -1 : int(TagliaDaCodice(o.Codice));
    c.idPicture0 = o.IdPicture0;
    c.idPicture1 = o.IdPicture1;
    c.negato = o.Negato;
    c.direzione = o.Direzione;
    return c;
}

std::optional<QString> ApplicaPannello(const CampiPannello& c, OggettoDisplay& oggetto)
{
    OggettoDisplay o = oggetto;
    const TipoOggetto tipo = TipoDaCodice(o.Codice);
    o.Testo = c.formato;
    o.IdPicture0 = std::uint8_t(PassoFigura(c.idPicture0, 0));
    o.IdPicture1 = std::uint8_t(PassoFigura(c.idPicture1, 0));
    o.Direzione = c.direzione;
    o.Negato = c.negato;

    // The object must lie on the 132 x 32 display.
    const auto x = intero(c.posX, 0, kLarghezzaDisplay - 1);
    if (!x)
        return fuoriCampo(QStringLiteral("X"), 0, kLarghezzaDisplay - 1);
    const auto y = intero(c.posY, 0, kAltezzaDisplay - 1);
    if (!y)
        return fuoriCampo(QStringLiteral("Y"), 0, kAltezzaDisplay - 1);
    o.PosX = std::uint8_t(*x);
    o.PosY = std::uint8_t(*y);

    const Taglia taglia = c.taglia >= 0 && c.taglia <= 2 ? Taglia(c.taglia) : Taglia::Nessuna;
    // An Image takes its size from the image chosen and a Picture from its size entry.
    // Only a bar and a rectangle show their size boxes; the other kinds carry back the
    // bytes the boxes were filled with, whatever a project file put there.
    const bool dimDaTaglia = tipo == TipoOggetto::Picture && taglia != Taglia::Nessuna;
    if (tipo != TipoOggetto::Image && !dimDaTaglia) {
        const bool dimVisibili = tipo == TipoOggetto::ProgressBar || tipo == TipoOggetto::Rectangle;
        const int maxX = dimVisibili ? kLarghezzaDisplay : 255;
        const int maxY = dimVisibili ? kAltezzaDisplay : 255;
        const auto dx = intero(c.dimX, 0, maxX);
        if (!dx)
            return fuoriCampo(QStringLiteral("Width"), 0, maxX);
        const auto dy = intero(c.dimY, 0, maxY);
        if (!dy)
            return fuoriCampo(QStringLiteral("Height"), 0, maxY);
        o.DimX = std::uint8_t(*dx);
        o.DimY = std::uint8_t(*dy);
    }

    auto registro = [&]() -> std::optional<QString> {
        const auto r = intero(c.registro, -32768, 32767);
        if (!r)
            return fuoriCampo(QStringLiteral("Reg"), -32768, 32767);
        o.Registro = std::int16_t(*r);
        return std::nullopt;
    };
    auto bit = [&]() -> std::optional<QString> {
        const auto b = intero(c.bit, 0, 15);
        if (!b)
            return fuoriCampo(QStringLiteral("Bit"), 0, 15);
        o.Bit = std::int16_t(*b);
        return std::nullopt;
    };
    auto tipoRegistro = [&] {
        if (c.tipoRegistro >= 0 && c.tipoRegistro <= 4)
            o.TipoRegistro = std::uint8_t(c.tipoRegistro);
    };
    auto codice = [&] {
        if (taglia != Taglia::Nessuna)
            o.Codice = CodiceDa(tipo, taglia);
    };

    switch (tipo) {
    case TipoOggetto::Label:
        if (auto e = testoTroppoLungo(o.Testo[0], 11))
            return e;
        if (auto e = testoTroppoLungo(o.Testo[1], 11))
            return e;
        if (auto e = registro())
            return e;
        if (auto e = bit())
            return e;
        codice();
        o.TipoRegistro = 0;
        break;
    case TipoOggetto::Number:
        if (auto e = testoTroppoLungo(o.Testo[0], 7))
            return e;
        if (auto e = registro())
            return e;
        codice();
        tipoRegistro();
        break;
    case TipoOggetto::Date:
    case TipoOggetto::Time:
        if (auto e = testoTroppoLungo(o.Testo[0], 27))
            return e;
        codice();
        break;
    case TipoOggetto::Picture:
        if (auto e = registro())
            return e;
        if (auto e = bit())
            return e;
        if (taglia != Taglia::Nessuna) {
            codice();
            o.DimX = o.DimY = std::uint8_t(PixelTaglia(taglia));
        }
        o.TipoRegistro = 0;
        break;
    case TipoOggetto::ProgressBar: {
        if (auto e = registro())
            return e;
        tipoRegistro();
        const std::optional<double> mx = singolo(c.max);
        if (!mx)
            return QStringLiteral("Max: a number from -3.4E+38 to 3.4E+38");
        const std::optional<double> mn = singolo(c.min);
        if (!mn)
            return QStringLiteral("Min: a number from -3.4E+38 to 3.4E+38");
        o.Max = *mx;
        o.Min = *mn;
        break;
    }
    case TipoOggetto::Rectangle: {
        const auto s = intero(c.spessore, 0, 255);
        if (!s)
            return fuoriCampo(QStringLiteral("Thickness"), 0, 255);
        o.Spessore = std::uint8_t(*s);
        break;
    }
    case TipoOggetto::Image:
        if (c.taglia >= 0 && c.taglia < NumImmagini && c.taglia < kMaxImmagini) {
            const Img& img = Immagini[std::size_t(c.taglia)];
            o.DimX = img.Larghezza;
            o.DimY = img.Altezza;
            o.Testo[0] = img.Percorso;
            o.Registro = img.Indirizzo;
        } else {
            o.Testo[0] = oggetto.Testo[0];
        }
        break;
    case TipoOggetto::Sconosciuto:
        break;
    }
    oggetto = o;
    return std::nullopt;
}

int PassoFigura(int numero, int passo)
{
    const int n = numero + passo;
    return n < 0 ? 0 : (n > 1 ? 1 : n);
}

} // namespace ludra
