#include "tables/EditorTabelle.h"

#include "base/CampoIntero.h"
#include "base/Numeri.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "tables/FileTabellaCsv.h"

#include <algorithm>
#include <cmath>

namespace ludra {
namespace {

platform::FileDialogRequest richiestaCsv()
{
    platform::FileDialogRequest r;
    r.filter = QStringLiteral(" (*.csv)|*.csv|(*.*)|*.*|");
    r.defaultExt = QStringLiteral("csv");
    return r;
}

QString testoValore(double v) { return TestoNumero(v).trimmed(); }

} // namespace

std::optional<int> NumeroPunti(const QString& testo)
{
    const std::optional<double> v = NumeroDigitato(testo);
    if (!v)
        return std::nullopt;
    // Far beyond any point count either way; keeps the conversion defined.
    return int(std::trunc(std::clamp(*v, -1000.0, 1000.0)));
}

bool NomeTabellaValido(const QString& nome)
{
    return !nome.isEmpty() && !nome.contains(QLatin1Char('\r')) &&
           !nome.contains(QLatin1Char('\n')) &&
           platform::primoFuoriCp1252(nome).isEmpty();
}

void EditorTabelle::Carica(int tabAttiva)
{
    Lista = NomiTabelle();
    Selezione = -1;
    for (int r = 0; r < kRigheGriglia; ++r) {
        TabA[std::size_t(r)] = QStringLiteral("0");
        TabB[std::size_t(r)] = QStringLiteral("0");
    }
    Npunti = QStringLiteral("8");
    CambioNpunti();
    ClickLista(tabAttiva);
}

void EditorTabelle::ClickLista(int i)
{
    if (i < 0 || i >= Lista.size() || i >= NumTabelle) {
        Selezione = -1;
        return;
    }
    Selezione = i;
    mostraTabella(Tabelle[std::size_t(i)]);
}

void EditorTabelle::mostraTabella(const Tabella& t)
{
    NomeTab = t.Nome;
    Npunti = QString::number(t.NumPunti);
    const int n = std::min<int>(t.NumPunti, kRigheGriglia);
    for (int i = 0; i < n; ++i) {
        TabA[std::size_t(i)] = testoValore(t.Ingresso[std::size_t(i)]);
        TabB[std::size_t(i)] = testoValore(t.Uscita[std::size_t(i)]);
    }
    CambioNpunti();
}

void EditorTabelle::CambioNpunti()
{
    const std::optional<int> n = NumeroPunti(Npunti);
    if (!n)
        return;
    // Only the rows that exist can be shown, whatever count is typed.
    puntiGriglia_ = std::clamp(*n, 0, kRigheGriglia);
    ScrollMax = puntiGriglia_;
    ScrollAbilitato = puntiGriglia_ > kRigheInVista;
    ScrollValore = 0;
    layout();
}

void EditorTabelle::CambioScroll(int v)
{
    ScrollValore = std::clamp(v, 0, ScrollMax);
    layout();
}

void EditorTabelle::layout()
{
    const int n = puntiGriglia_;
    // Past n - 8 fewer than eight rows would be on view: the first row stops there, so
    // the last point is always the bottom row.
    if (n > kRigheInVista && ScrollValore > n - kRigheInVista)
        ScrollValore = n - kRigheInVista;
    const int f = std::min(ScrollValore, kRigheGriglia - 1);
    Righe.clear();
    Righe << f;
    for (int r = f + 1; r < f + kRigheInVista && r < n; ++r)
        Righe << r;
}

bool EditorTabelle::ControllaTabella()
{
    CampoErrato = Campo::Nessuno;
    RigaErrata = -1;
    if (!NomeTabellaValido(NomeTab)) {
        // The project file would hold a character the code page lacks as "?".
        const QString fuori = platform::primoFuoriCp1252(NomeTab);
        platform::msgBox(QStringLiteral("Check Table Name")
                         + (fuori.isEmpty() ? QString()
                                            : QLatin1Char('\n') + platform::rifiutoFuoriCp1252(
                                                  QStringLiteral("Table Name"), fuori)));
        return false;
    }
    const std::optional<int> m = NumeroPunti(Npunti);
    if (!m) {
        CampoErrato = Campo::Npunti;
        return false;
    }
    if (*m < 2 || *m > kMaxPunti) {
        platform::msgBox(QStringLiteral("Check N points"));
        return false;
    }
    // Filled aside: a box that stops the check leaves the table being edited whole.
    Tabella t = corrente_;
    t.Nome = NomeTab;
    t.NumPunti = std::uint8_t(*m);
    for (int i = 0; i < *m; ++i) {
        // A point the table file could not carry (beyond a double) is no point either.
        const std::optional<double> a = NumeroDigitato(TabA[std::size_t(i)]);
        const std::optional<double> b = NumeroDigitato(TabB[std::size_t(i)]);
        if (!a || !b || !std::isfinite(*a) || !std::isfinite(*b)) {
            CampoErrato = a && std::isfinite(*a) ? Campo::Uscita : Campo::Ingresso;
            RigaErrata = i;
            return false;
        }
        t.Ingresso[std::size_t(i)] = *a;
        t.Uscita[std::size_t(i)] = *b;
    }
    corrente_ = t;
    return true;
}

bool EditorTabelle::Inserisci()
{
    if (!ControllaTabella())
        return false;
    // The window stays open while a project is opened or created: the list follows the
    // store it writes into, not the store it was loaded with.
    Lista = NomiTabelle();
    if (Selezione >= Lista.size())
        Selezione = -1;
    const bool nuova = Selezione < 0 || Selezione >= NumTabelle ||
                       Tabelle[std::size_t(Selezione)].Nome != corrente_.Nome;
    int slot = Selezione;
    if (nuova) {
        if (NumTabelle >= kMaxTabelle) {
            platform::msgBox(
                QStringLiteral("A project holds at most %1 tables: select the table to "
                               "replace and give it its name")
                    .arg(kMaxTabelle),
                platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
            return false;
        }
        slot = NumTabelle;
        NumTabelle = std::uint8_t(NumTabelle + 1);
        Lista << corrente_.Nome;
        // Selected, so that a second Insert overwrites it instead of adding a copy.
        Selezione = slot;
    }
    Tabella& t = Tabelle[std::size_t(slot)];
    t.Nome = corrente_.Nome;
    t.NumPunti = corrente_.NumPunti;
    for (int i = 0; i < corrente_.NumPunti; ++i) {
        t.Ingresso[std::size_t(i)] = corrente_.Ingresso[std::size_t(i)];
        t.Uscita[std::size_t(i)] = corrente_.Uscita[std::size_t(i)];
    }
    // Placed now: a table the store holds is compiled whether or not the window is left
    // with OK, and its blocks must be where its size needs them.
    AllocaTabelle();
    return true;
}

bool EditorTabelle::CaricaDaFile()
{
    const QString percorso = platform::dialogs().openFile(richiestaCsv());
    if (percorso.isEmpty())
        return false;
    Tabella letta = corrente_;
    if (const std::optional<QString> errore = CaricaTabellaCsv(percorso, letta)) {
        platform::msgBox(*errore, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    corrente_ = letta;
    mostraTabella(corrente_);
    return true;
}

bool EditorTabelle::SalvaSuFile()
{
    const QString percorso = platform::dialogs().saveFile(richiestaCsv());
    if (percorso.isEmpty())
        return false;
    if (!ControllaTabella())
        return false;
    if (const std::optional<QString> errore = SalvaTabellaCsv(percorso, corrente_)) {
        platform::msgBox(*errore, platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return false;
    }
    return true;
}

std::int16_t EditorTabelle::Ok()
{
    AllocaTabelle();
    return std::int16_t(Selezione >= 0 && Selezione < Lista.size() ? Selezione : -1);
}

} // namespace ludra
