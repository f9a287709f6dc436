#include "display/EditorPagine.h"

#include <algorithm>

namespace ludra {

namespace {

// Counts read from a project file are trusted nowhere.
int contaPagine()
{
    return std::clamp(int(PagineDisplay.NumPagine), 1, kMaxPagine);
}

int contaOggetti(const PaginaDisplay& p)
{
    return std::min(int(p.NumOggetti), kMaxOggettiPagina);
}

bool slotValido(int i)
{
    return i >= 0 && i <= kMaxOggettiPagina;
}

} // namespace

OggettoDisplay OggettoNuovo(int tipo)
{
    OggettoDisplay o;
    o.Flag2 = true;
    o.Flag4 = true;
    switch (tipo) {
    case 0:
        o.Codice = 1;
        o.Testo = {QStringLiteral("New Label 0"), QStringLiteral("New Label 1")};
        o.Registro = 21;
        o.TipoRegistro = 1;
        break;
    case 1:
        o.Codice = 4;
        o.Testo[0] = QStringLiteral("%+5.0f");
        o.Registro = 26;
        o.TipoRegistro = 1;
        break;
    case 2:
        o.Codice = 8;
        o.Testo[0] = QStringLiteral("dd/mm/yy");
        o.Registro = 24;
        break;
    case 3:
        o.Codice = 11;
        o.Testo[0] = QStringLiteral("hh/mm/ss");
        o.Registro = 22;
        break;
    case 4:
        o.Codice = 16;
        o.Testo[0] = QStringLiteral("Progress Bar");
        o.Registro = 26;
        o.DimX = 32;
        o.DimY = 8;
        break;
    case 5:
        o.Codice = 17;
        o.Testo[0] = QStringLiteral("Rectangle");
        o.DimX = 16;
        o.DimY = 16;
        o.Spessore = 1;
        break;
    case 6:
        o.Codice = 14;
        o.Testo[0] = QStringLiteral("Led");
        o.Registro = 26;
        o.Bit = 1;
        o.DimX = 8;
        o.DimY = 8;
        o.IdPicture1 = 1;
        break;
    default:
        o.Codice = 6;
        o.DimX = 16;
        o.DimY = 16;
        break;
    }
    return o;
}

QString VoceOggetto(int slot, const OggettoDisplay& o)
{
    QString testo;
    switch (TipoDaCodice(o.Codice)) {
    case TipoOggetto::Label:
    case TipoOggetto::Date:
    case TipoOggetto::Time: testo = o.Testo[0]; break;
    case TipoOggetto::Number: testo = QStringLiteral("%R") + QString::number(o.Registro); break;
    case TipoOggetto::Image: testo = QStringLiteral("Image"); break;
    case TipoOggetto::Picture: testo = QStringLiteral("Picture"); break;
    case TipoOggetto::ProgressBar: testo = QStringLiteral("ProgBar"); break;
    case TipoOggetto::Rectangle: testo = QStringLiteral("Rect"); break;
    case TipoOggetto::Sconosciuto: break;
    }
    return QStringLiteral("[%1] ").arg(slot) + testo;
}

QStringList VociPagine()
{
    QStringList voci;
    for (int p = 0; p < contaPagine(); ++p)
        voci << QStringLiteral("PAGE [%1]").arg(p + 1);
    return voci;
}

QStringList VociOggetti(int pagina)
{
    QStringList voci;
    if (pagina < 0 || pagina >= kMaxPagine)
        return voci;
    const PaginaDisplay& p = PagineDisplay.Pagine[std::size_t(pagina)];
    for (int i = 1; i <= contaOggetti(p); ++i)
        voci << VoceOggetto(i, p.Oggetti[std::size_t(i)]);
    return voci;
}

void CopiaPagina(const PaginaDisplay& src, PaginaDisplay& dst)
{
    const int n = contaOggetti(src);
    dst.NumOggetti = std::uint8_t(n);
    for (int i = 1; i <= n; ++i)
        dst.Oggetti[std::size_t(i)] = src.Oggetti[std::size_t(i)];
}

void CopiaPagina(int src, int dst)
{
    if (src < 0 || src >= kMaxPagine || dst < 0 || dst >= kMaxPagine)
        return;
    CopiaPagina(PagineDisplay.Pagine[std::size_t(src)], PagineDisplay.Pagine[std::size_t(dst)]);
}

PaginaDisplay& EditorPagine::pagina()
{
    PaginaAttiva = std::uint8_t(std::min(int(PaginaAttiva), kMaxPagine - 1));
    return PagineDisplay.Pagine[PaginaAttiva];
}

int EditorPagine::numOggetti()
{
    return contaOggetti(pagina());
}

bool EditorPagine::NuovaPagina()
{
    if (contaPagine() >= kMaxPagine)
        return false;
    PagineDisplay.NumPagine = std::uint8_t(contaPagine() + 1);
    PaginaAttiva = std::uint8_t(PagineDisplay.NumPagine - 1);
    // The slot may still hold a page an earlier delete or project left there.
    PagineDisplay.Pagine[PaginaAttiva].NumOggetti = 0;
    OggettoAttivo = 0;
    return true;
}

bool EditorPagine::EliminaPagina()
{
    const int n = contaPagine();
    if (n < 2 || PaginaAttiva >= n)
        return false;
    for (int i = PaginaAttiva; i < n - 1; ++i)
        CopiaPagina(i + 1, i);
    PagineDisplay.Pagine[std::size_t(n - 1)].NumOggetti = 0;
    PagineDisplay.NumPagine = std::uint8_t(n - 1);
    if (PaginaAttiva > n - 2)
        PaginaAttiva = std::uint8_t(n - 2);
    OggettoAttivo = 0;
    return true;
}

bool EditorPagine::PaginaSu()
{
    if (PaginaAttiva == 0 || PaginaAttiva >= contaPagine())
        return false;
    // The temporary lies outside the page table, so a ninth page is never overwritten.
    PaginaDisplay temporanea;
    CopiaPagina(PagineDisplay.Pagine[PaginaAttiva - 1u], temporanea);
    CopiaPagina(PaginaAttiva, PaginaAttiva - 1);
    CopiaPagina(temporanea, PagineDisplay.Pagine[PaginaAttiva]);
    --PaginaAttiva;
    OggettoAttivo = 0;
    return true;
}

bool EditorPagine::PaginaGiu()
{
    if (PaginaAttiva + 1 >= contaPagine())
        return false;
    PaginaDisplay temporanea;
    CopiaPagina(PagineDisplay.Pagine[PaginaAttiva + 1u], temporanea);
    CopiaPagina(PaginaAttiva, PaginaAttiva + 1);
    CopiaPagina(temporanea, PagineDisplay.Pagine[PaginaAttiva]);
    ++PaginaAttiva;
    OggettoAttivo = 0;
    return true;
}

bool EditorPagine::NuovoOggetto(int numeroPagina, const OggettoDisplay& valori)
{
    if (numeroPagina < 0 || numeroPagina >= kMaxPagine)
        return false;
    PaginaDisplay& p = PagineDisplay.Pagine[std::size_t(numeroPagina)];
    const int n = contaOggetti(p);
    if (n >= kMaxOggettiPagina)
        return false;
    p.NumOggetti = std::uint8_t(n + 1);
    p.Oggetti[p.NumOggetti] = valori;
    OggettoAttivo = p.NumOggetti;
    return true;
}

void EditorPagine::CopiaOggetto(int src, int dst)
{
    if (!slotValido(src) || !slotValido(dst))
        return;
    PaginaDisplay& p = pagina();
    p.Oggetti[std::size_t(dst)] = p.Oggetti[std::size_t(src)];
}

ListaOggetti EditorPagine::lista()
{
    return {numOggetti(), pagina().NumOggetti, OggettoAttivo};
}

bool EditorPagine::DeleteObject(int obj)
{
    return lista().elimina(obj, [this](int da, int a) { CopiaOggetto(da, a); });
}

bool EditorPagine::SendToBack()
{
    return lista().indietro([this](int da, int a) { CopiaOggetto(da, a); });
}

bool EditorPagine::BringToFront()
{
    return lista().avanti([this](int da, int a) { CopiaOggetto(da, a); });
}

bool EditorPagine::Seleziona(int obj)
{
    if (obj < 0 || obj > numOggetti())
        return false;
    OggettoAttivo = std::uint8_t(obj);
    return true;
}

} // namespace ludra
