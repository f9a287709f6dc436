#include "display/Pannello.h"

#include "base/CampoIntero.h"
#include "base/Numeri.h"
#include "display/TipiOggetto.h"
#include "fbeditor/Argomenti.h"
#include "fbeditor/Trasf.h"
#include "images/Immagini.h"
#include "platform/Cp1252.h"

#include <algorithm>
#include <cmath>

namespace ludra {

namespace {

// A typed whole number within lo..hi, or nothing.
std::optional<int> intero(const QString& testo, int lo, int hi)
{
    const std::optional<long long> v = CampoIntero(testo, lo, hi);
    return v ? std::optional<int>(int(*v)) : std::nullopt;
}

// A number the single the controller reads can hold, as for a K_Flt argument of the
// editor; `v` is rounded as the encoding rounds it.
bool entroSingolo(double& v)
{
    SlotArgomento byte{};
    return CodificaArgomento(v, kKFlt, byte);
}

// A bar's limit, typed.
std::optional<double> singolo(const QString& testo)
{
    std::optional<double> n = NumeroDigitato(testo);
    if (!n || !entroSingolo(*n))
        return std::nullopt;
    return n;
}

// The panel's message for a field refused; the panel's control gets the focus.
QString rifiuta(const char* controllo, const QString& messaggio)
{
    CampoRifiutato(QStringLiteral("frm_display"), QString::fromLatin1(controllo));
    return messaggio;
}

QString fuoriCampo(const char* controllo, const QString& campo, int lo, int hi)
{
    return rifiuta(controllo, FuoriCampo(campo, lo, hi));
}

// A text the page's bytes cannot carry: a character outside the code page (the
// controller would show "?") or more characters than its space holds.
std::optional<QString> testoRifiutato(const QString& testo, int massimo, const char* controllo)
{
    const QString fuori = platform::primoFuoriCp1252(testo);
    if (!fuori.isEmpty())
        return rifiuta(controllo, platform::rifiutoFuoriCp1252(QStringLiteral("Text"), fuori));
    if (platform::toCp1252(testo).size() <= massimo)
        return std::nullopt;
    return rifiuta(controllo, QStringLiteral("Text too long: \"%1\" (%2 characters at most)")
                                  .arg(testo)
                                  .arg(massimo));
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
        return fuoriCampo("txt_PosX", QStringLiteral("X"), 0, kLarghezzaDisplay - 1);
    const auto y = intero(c.posY, 0, kAltezzaDisplay - 1);
    if (!y)
        return fuoriCampo("txt_PosY", QStringLiteral("Y"), 0, kAltezzaDisplay - 1);
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
            return fuoriCampo("txt_DimX", QStringLiteral("Width"), 0, maxX);
        const auto dy = intero(c.dimY, 0, maxY);
        if (!dy)
            return fuoriCampo("txt_dimY", QStringLiteral("Height"), 0, maxY);
        o.DimX = std::uint8_t(*dx);
        o.DimY = std::uint8_t(*dy);
    }

    auto registro = [&]() -> std::optional<QString> {
        const auto r = intero(c.registro, -32768, 32767);
        if (!r)
            return fuoriCampo("txt_reg", QStringLiteral("Reg"), -32768, 32767);
        o.Registro = std::int16_t(*r);
        return std::nullopt;
    };
    auto bit = [&]() -> std::optional<QString> {
        const auto b = intero(c.bit, 0, 15);
        if (!b)
            return fuoriCampo("txt_bit", QStringLiteral("Bit"), 0, 15);
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
        if (auto e = testoRifiutato(o.Testo[0], 11, "txt_format_0"))
            return e;
        if (auto e = testoRifiutato(o.Testo[1], 11, "txt_format_1"))
            return e;
        if (auto e = registro())
            return e;
        if (auto e = bit())
            return e;
        codice();
        o.TipoRegistro = 0;
        break;
    case TipoOggetto::Number:
        if (auto e = testoRifiutato(o.Testo[0], 7, "txt_format_0"))
            return e;
        if (auto e = registro())
            return e;
        codice();
        tipoRegistro();
        break;
    case TipoOggetto::Date:
    case TipoOggetto::Time:
        if (auto e = testoRifiutato(o.Testo[0], 27, "txt_format_0"))
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
            return rifiuta("txt_max", QStringLiteral("Max: a number from -3.4E+38 to 3.4E+38"));
        const std::optional<double> mn = singolo(c.min);
        if (!mn)
            return rifiuta("txt_min", QStringLiteral("Min: a number from -3.4E+38 to 3.4E+38"));
        o.Max = *mx;
        o.Min = *mn;
        break;
    }
    case TipoOggetto::Rectangle: {
        const auto s = intero(c.spessore, 0, 255);
        if (!s)
            return fuoriCampo("txt_Spess", QStringLiteral("Thickness"), 0, 255);
        o.Spessore = std::uint8_t(*s);
        break;
    }
    case TipoOggetto::Image:
        if (c.taglia >= 0 && c.taglia < NumImmagini && c.taglia < kMaxImmagini) {
            const Img& img = Immagini[std::size_t(c.taglia)];
            // The page file keeps the picture's path, which it would hold as "?".
            if (const QString fuori = platform::primoFuoriCp1252(img.Percorso); !fuori.isEmpty())
                return rifiuta("cmb_Type",
                               platform::rifiutoFuoriCp1252(QStringLiteral("Image path"), fuori));
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

// The single's largest value as a file's 15 significant digits write it (rounded down, so
// it reads back as itself and within the range).
constexpr double kFineSingolo = 3.40282346638528e38;

QStringList EntroIlPannello(OggettoDisplay& o)
{
    QStringList cambiati;
    const auto riporta = [&](const char* campo, const QString& prima, const QString& dopo) {
        cambiati << QStringLiteral("%1 %2 is out of range, read as %3")
                        .arg(QString::fromLatin1(campo), prima, dopo);
    };
    const TipoOggetto tipo = TipoDaCodice(o.Codice);
    if (tipo == TipoOggetto::ProgressBar) {
        const auto limite = [&](const char* campo, double& valore) {
            const double prima = valore;
            if (double v = prima; entroSingolo(v))
                return;
            valore = std::isnan(prima) ? 0.0 : std::copysign(kFineSingolo, prima);
            riporta(campo, TestoNumero(prima).trimmed(), TestoNumero(valore).trimmed());
        };
        limite("Max", o.Max);
        limite("Min", o.Min);
    }
    if ((tipo == TipoOggetto::Label || tipo == TipoOggetto::Picture) && (o.Bit < 0 || o.Bit > 15)) {
        const std::int16_t prima = o.Bit;
        o.Bit = std::clamp<std::int16_t>(o.Bit, 0, 15);
        riporta("Bit", QString::number(prima), QString::number(o.Bit));
    }
    return cambiati;
}

int PassoFigura(int numero, int passo)
{
    const int n = numero + passo;
    return n < 0 ? 0 : (n > 1 ? 1 : n);
}

} // namespace ludra
