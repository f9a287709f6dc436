#include "display/CompilaPagine.h"

#include "display/TipiOggetto.h"
#include "link/Conversioni.h"
#include "platform/Cp1252.h"
#include "project/Progetto.h"

#include <algorithm>

namespace ludra {

namespace {

using Descrittore = std::array<std::uint8_t, 32>;

// The text's characters from byte `da`, then a 0 byte, never past byte `ultimo`.
void scriviTesto(Descrittore& d, int da, int ultimo, const QString& testo)
{
    const QByteArray byte = platform::toCp1252(testo);
    int i = da;
    for (char c : byte) {
        if (i >= ultimo || c == '\0')
            break;
        d[std::size_t(i++)] = std::uint8_t(c);
    }
    d[std::size_t(i)] = 0;
}

void scriviRegistro(Descrittore& d, int da, std::int16_t registro)
{
    const CoppiaByte b = WordInBytes(registro).value_or(CoppiaByte{0, 0});
    d[std::size_t(da)] = b[0];
    d[std::size_t(da + 1)] = b[1];
}

// The mask of the tested bit, high byte first; a bit outside 0..15 tests nothing.
void scriviMaschera(Descrittore& d, int da, std::int16_t bit)
{
    const unsigned maschera = (bit >= 0 && bit <= 15) ? (1u << bit) : 0u;
    d[std::size_t(da)] = std::uint8_t(maschera >> 8);
    d[std::size_t(da + 1)] = std::uint8_t(maschera & 0xFF);
}

// IEEE single, least significant byte first.
void scriviFloat(Descrittore& d, int da, double valore)
{
    const QuartettoByte f = FloatInBytes(valore);
    for (int k = 0; k < 4; ++k)
        d[std::size_t(da + k)] = f[std::size_t(3 - k)];
}

} // namespace

Descrittore DescrittoreOggetto(const OggettoDisplay& o)
{
    Descrittore d{};
    d[0] = o.Codice;
    d[1] = o.PosX;
    d[2] = o.PosY;
    d[3] = std::uint8_t((o.Negato ? 1 : 0) + (o.Flag2 ? 2 : 0) + (o.Flag4 ? 4 : 0)
                        + (o.Direzione ? 8 : 0));
    switch (TipoDaCodice(o.Codice)) {
    case TipoOggetto::Label:
        scriviTesto(d, 8, 19, o.Testo[0]);
        scriviTesto(d, 20, 31, o.Testo[1]);
        scriviRegistro(d, 4, o.Registro);
        scriviMaschera(d, 6, o.Bit);
        break;
    case TipoOggetto::Number:
        scriviTesto(d, 4, 11, o.Testo[0]);
        d[12] = o.TipoRegistro;
        scriviRegistro(d, 16, o.Registro);
        break;
    case TipoOggetto::Image:
        d[4] = o.DimX;
        d[5] = o.DimY;
        break;
    case TipoOggetto::Date:
    case TipoOggetto::Time:
        scriviTesto(d, 4, 31, o.Testo[0]);
        break;
    case TipoOggetto::Picture:
        d[4] = o.DimX;
        d[5] = o.DimY;
        d[12] = o.TipoRegistro;
        scriviRegistro(d, 16, o.Registro);
        scriviMaschera(d, 20, o.Bit);
        d[8] = o.IdPicture1;
        d[9] = o.IdPicture0;
        break;
    case TipoOggetto::ProgressBar:
        d[4] = o.DimX;
        d[5] = o.DimY;
        d[12] = o.TipoRegistro;
        scriviRegistro(d, 16, o.Registro);
        scriviFloat(d, 24, o.Max);
        scriviFloat(d, 28, o.Min);
        break;
    case TipoOggetto::Rectangle:
        d[4] = o.DimX;
        d[5] = o.DimY;
        d[6] = o.Spessore;
        break;
    case TipoOggetto::Sconosciuto:
        break;
    }
    return d;
}

void CompilaOggetti()
{
    const int pagine = std::clamp(int(PagineDisplay.NumPagine), 0, kMaxPagine);
    for (int p = 0; p < pagine; ++p) {
        const PaginaDisplay& pagina = PagineDisplay.Pagine[std::size_t(p)];
        Sezione& unita = Sezioni[std::size_t(p + 1)];
        const int oggetti = std::min(int(pagina.NumOggetti), kMaxOggettiPagina);
        const QString etichetta = QStringLiteral("PAG%1").arg(p + 1);
        // The unit already holds this page's lines (its first line carries the page's
        // label): the breakpoints the user set on them stay on their lines.
        const int conBreak = unita.Rung[1].Etichetta == etichetta
                                 ? std::clamp(int(unita.NumRung), 0, oggetti + 1)
                                 : 0;
        for (int i = 1; i <= oggetti + 1; ++i) {
            // Every other field is written: a sub-operation, breakpoint or label left on
            // the line by earlier work in this unit would make the compile read the
            // object as a display refresh or a page list, stop on it, or send jumps
            // into it.
            Rung riga = RungVuoto();
            riga.Break = i <= conBreak && unita.Rung[std::size_t(i)].Break;
            if (i == 1)
                riga.Etichetta = etichetta;
            riga.Classe = 3;
            if (i <= oggetti) {
                riga.Funzione = 3;
                riga.LungDati = 34;
                riga.ArgByte = DescrittoreOggetto(pagina.Oggetti[std::size_t(i)]);
            } else {
                riga.Funzione = 132;
                riga.LungDati = 2;
            }
            unita.Rung[std::size_t(i)] = riga;
        }
        unita.NumRung = std::int16_t(oggetti + 1);
    }
    SubCorrente = 0;
}

} // namespace ludra
