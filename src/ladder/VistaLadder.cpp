#include "ladder/VistaLadder.h"

#include "base/Finestre.h"
#include "ladder/Interno.h"
#include "ladder/OperazioniRung.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"

#include <algorithm>
#include <bitset>
#include <utility>

namespace ludra {

using namespace ladder;

namespace {

RigaLadder rigaDiProgetto()
{
    // Row 0 is the design row: it exists so that lines can pass through it, and it is
    // never shown or laid out.
    RigaLadder r = RigaNuova(0);
    r.pannelloVisibile = false;
    r.topPannello = geo::kTopPannelloRiga0;
    r.topBordo = geo::kTopBordoRiga0;
    return r;
}

const RigaLadder& rigaVuota()
{
    static const RigaLadder r;
    return r;
}

// What changed while the window's updates were held back.
struct Trattenute {
    int livello = 0;
    bool vista = false;
    std::array<std::bitset<kMaxRung + 1>, kNumSezioni> righe{};
};

Trattenute& trattenute()
{
    static Trattenute t;
    return t;
}

} // namespace

AggiornamentoInBlocco::AggiornamentoInBlocco() { ++trattenute().livello; }

AggiornamentoInBlocco::~AggiornamentoInBlocco()
{
    Trattenute& t = trattenute();
    if (--t.livello > 0)
        return;
    // The rows first (a row new to the window is built and drawn), then one layout.
    for (int u = 0; u < kNumSezioni; ++u) {
        auto& righe = t.righe[std::size_t(u)];
        for (int i = 0; righe.any() && i <= kMaxRung; ++i) {
            if (righe.test(std::size_t(i))) {
                righe.reset(std::size_t(i));
                emit Notifiche::istanza().rungCambiato(u, i);
            }
        }
    }
    if (std::exchange(t.vista, false))
        emit Notifiche::istanza().ladderCambiato();
}

namespace ladder {

void notificaRiga(int sezione, int riga)
{
    Trattenute& t = trattenute();
    if (t.livello > 0 && sezioneValida(sezione) && riga >= 0 && riga <= kMaxRung)
        t.righe[std::size_t(sezione)].set(std::size_t(riga));
    else
        emit Notifiche::istanza().rungCambiato(sezione, riga);
}

void notificaVista()
{
    Trattenute& t = trattenute();
    if (t.livello > 0)
        t.vista = true;
    else
        emit Notifiche::istanza().ladderCambiato();
}

bool lineaValida(int riga)
{
    return subValido() && riga >= 1 && riga <= sezioneCorrente().NumRung
           && riga <= kMaxRung && Vista().righe[std::size_t(SubCorrente)][std::size_t(riga)].caricata;
}
} // namespace ladder

RigheUnita::Righe& RigheUnita::operator[](std::size_t unita)
{
    std::unique_ptr<Righe>& righe = unita_[unita];
    if (!righe) {
        righe = std::make_unique<Righe>();
        (*righe)[0] = rigaDiProgetto();
    }
    return *righe;
}

VistaProgram& Vista()
{
    static VistaProgram v;
    return v;
}

void AzzeraVista()
{
    Vista() = VistaProgram{};
    SciogliEditor();
    notificaVista();
}

void Program_Load()
{
    VistaProgram& v = Vista();
    v.Loaded = true;
    if (subValido()) {
        // The rows outlived the window; the scroll bar did not.
        const int n = sezioneCorrente().NumRung;
        v.VScroll = {n, 0, n >= 4};
        DisegnaProgramma(0);
    }
    notificaVista();
}

void Program_Unload()
{
    if (!Vista().Loaded)
        return;
    Vista().Loaded = false;
    notificaVista();
}

void CaricaProgram()
{
    if (Vista().Loaded)
        return;
    if (HostFinestre* host = hostFinestre())
        host->mostra(Finestra::Program);
    // Without a window to show (no main window, or none registered) the view still
    // holds its rows.
    if (!Vista().Loaded)
        Program_Load();
}

void ScaricaProgram()
{
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::Program);
    Program_Unload();
}

const RigaLadder& Riga(int sezione, int riga)
{
    if (!sezioneValida(sezione) || riga < 0 || riga > kMaxRung)
        return rigaVuota();
    return Vista().righe[std::size_t(sezione)][std::size_t(riga)];
}

bool RigaEsiste(int sezione, int riga) { return Riga(sezione, riga).caricata; }

void AggiornaRiga(int riga, const std::function<void(RigaLadder&)>& modifica)
{
    AggiornaRiga(SubCorrente, riga, modifica);
}

void AggiornaRiga(int sezione, int riga, const std::function<void(RigaLadder&)>& modifica)
{
    if (!sezioneValida(sezione) || !RigaEsiste(sezione, riga))
        return;
    modifica(Vista().righe[std::size_t(sezione)][std::size_t(riga)]);
    notificaRiga(sezione, riga);
}

void RimuoviRiga(int sezione, int riga)
{
    // Row 0 is the design row and is never destroyed.
    if (!sezioneValida(sezione) || riga < 1 || riga > kMaxRung)
        return;
    VistaProgram& v = Vista();
    RigaLadder& r = v.righe[std::size_t(sezione)][std::size_t(riga)];
    if (!r.caricata)
        return;
    r = RigaLadder{};
    if (v.rigaRossa[std::size_t(sezione)] == riga)
        v.rigaRossa[std::size_t(sezione)] = 0;
    notificaRiga(sezione, riga);
}

void RimuoviRighe(int sezione)
{
    for (int i = 1; i <= kMaxRung; ++i)
        RimuoviRiga(sezione, i);
}

void MostraRiga0(bool visibile)
{
    if (subValido())
        Vista().righe[std::size_t(SubCorrente)][0].pannelloVisibile = visibile;
}

void ImpostaDescrizione(int sezione, int riga, const QString& testo)
{
    // The description box writes its text into the line on every change; a row that
    // does not exist has no box.
    if (!sezioneValida(sezione) || !RigaEsiste(sezione, riga))
        return;
    Vista().righe[std::size_t(sezione)][std::size_t(riga)].txt_desc = testo;
    Sezioni[std::size_t(sezione)].Rung[std::size_t(riga)].Descrizione = testo;
    notificaRiga(sezione, riga);
}

void ColoraNumero(int riga, quint32 colore)
{
    AggiornaRiga(riga, [colore](RigaLadder& r) { r.sfondoNumero = colore; });
}

void ColoraNumero(int sezione, int riga, quint32 colore)
{
    if (!RigaEsiste(sezione, riga))
        return;
    Vista().righe[std::size_t(sezione)][std::size_t(riga)].sfondoNumero = colore;
    notificaRiga(sezione, riga);
}

void AggiornaMarcaBreak(int riga)
{
    if (!lineaValida(riga))
        return;
    const bool marca = sezioneCorrente().Rung[std::size_t(riga)].Break;
    AggiornaRiga(riga, [marca](RigaLadder& r) { r.img_Break = marca; });
}

bool txt_desc_Change(int riga, const QString& testo)
{
    if (const QString fuori = platform::primoFuoriCp1252(testo); !fuori.isEmpty()) {
        // The box shows the line's text again under the refusal.
        if (RigaEsiste(SubCorrente, riga))
            notificaRiga(SubCorrente, riga);
        platform::msgBox(platform::rifiutoFuoriCp1252(QStringLiteral("Description"), fuori),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    ImpostaDescrizione(SubCorrente, riga, testo);
    return true;
}

void txt_desc_GotFocus(int riga)
{
    if (!lineaValida(riga))
        return;
    SelezionaRung(riga);
    if (Riga(SubCorrente, riga).txt_desc == kDescrizioneVuota)
        ImpostaDescrizione(SubCorrente, riga, QString());
}

void Riga_Click(int riga) { SelezionaRung(riga); }

void Riga_DblClick(int riga)
{
    SelezionaRung(riga);
    ModificaRung(RungCorrente);
}

bool Riga_MouseDown(int riga, int pulsante)
{
    SelezionaRung(riga);
    return pulsante == kTastoDestro && lineaValida(riga);
}

void Tab_Prog_Click(int posizione)
{
    const int u = posizione - 1;
    if (u < 0 || u > NumSub || !sezioneValida(u))
        return;
    SubCorrente = std::int16_t(u);
    AggiornaPulsantiRung();
    notificaVista();
}

int ImmagineFormato()
{
    return subValido() && sezioneCorrente().Formato == 1 ? 129 : 130;
}

int NumeroTab() { return 1 + std::clamp<int>(NumSub, 0, kNumSezioni - 1); }

QString CaptionTab(int posizione)
{
    return posizione <= 1 ? QStringLiteral("Main") : QStringLiteral("Sub%1").arg(posizione - 1);
}

} // namespace ludra
