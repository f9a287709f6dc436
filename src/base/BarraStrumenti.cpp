#include "base/BarraStrumenti.h"

#include "base/Notifiche.h"


namespace ludra {

bool AggiornaAuto = false;
std::int16_t TempoAnimazione = 0;

namespace {

struct Voce {
    const char* chiave;
    const char* immagine;
    const char* tooltip;
    bool abilitato;
    // What the key does to a running controller sequence: D the device, P the project.
    Effetto effetto = Effetto::Nessuno;
};

constexpr Effetto D = Effetto::Dispositivo;
constexpr Effetto P = Effetto::Progetto;

constexpr Voce kSeparatore{nullptr, nullptr, nullptr, true};

constexpr Voce kToolbar[] = {
    {"proj_new", "file_new", "New Project", true, P},
    {"proj_open", "file_open", "Open Project", true, P},
    {"proj_save", "file_save", "Save Project", true},
    kSeparatore,
    {"connect", "connect", "Connect Controller", true, D},
    {"disconnect", "disconnect", "Disconnect Controller", true, D},
    kSeparatore,
    {"download", "download", "Download", false, D},
    {"upload", "upload", "Upload", false, D},
    kSeparatore,
    {"debug", "debug", "Set Debug Mode", false, D},
    {"release", "release", "Set Release Mode", false, D},
    kSeparatore,
    {"run", "prog_run", "Run", false, D},
    {"runBr", "prog_runBr", "Run to Break", false, D},
    {"pause", "prog_halt", "Halt/Step", false, D},
    {"step", "prog_step", "Animate", false, D},
    {"stop", "prog_stop", "Stop", false, D},
    kSeparatore,
    {"rung_add_before", "rung_new_before", "Insert Before", false, P},
    {"rung_add_after", "rung_new_after", "Insert After", false, P},
    {"rung_move_up", "rung_move_up", "Move Up", false, P},
    {"rung_move_down", "rung_move_down", "Move Down", false, P},
    {"rung_copy", "rung_copy", "Copy", false, P},
    {"rung_paste", "rung_paste", "Paste", false, P},
    {"rung_mod", "rung_modifica", "Modify", false, P},
    {"rung_del", "rung_delete", "Delete", false, P},
    {"rung_redo", "rung_redo", "Redo", false, P},
    {"new_sub", "new_sub", "New Subroutine", false, P},
    {"rung_break", "rung_break", "Toggle Break", false, P},
    kSeparatore,
    {"proj_comp", "proj_comp", "Compile Project", false, P},
    {"view_log", "view_log", "View Log", true},
    kSeparatore,
    {"view_reg", "view_reg", "View Registers", true},
    {"view_http", "http", "View Web Pages", true},
};

struct Gruppo {
    const char* nome;
    std::vector<const char*> chiavi;
};

const std::vector<Gruppo>& gruppi()
{
    static const std::vector<Gruppo> g = {
        {"Puls_DebugRelease", {"debug", "release"}},
        {"Puls_Download", {"download"}},
        {"Puls_Debug", {"run", "runBr", "pause", "step", "stop"}},
        {"Puls_FunctionBlock",
         {"rung_add_before", "rung_add_after", "rung_move_up", "rung_move_down", "rung_copy",
          "rung_mod", "rung_del", "rung_break"}},
        {"Puls_Compila", {"proj_comp"}},
    };
    return g;
}

} // namespace

BarraStrumenti& BarraStrumenti::istanza()
{
    static BarraStrumenti b;
    return b;
}

void BarraStrumenti::crea()
{
    pulsanti_.clear();
    for (const Voce& v : kToolbar) {
        Pulsante p;
        if (v.chiave) {
            p.chiave = QString::fromLatin1(v.chiave);
            p.immagine = QString::fromLatin1(v.immagine);
            p.tooltip = QString::fromLatin1(v.tooltip);
            p.abilitato = v.abilitato;
        } else {
            p.separatore = true;
        }
        pulsanti_.push_back(p);
    }
    emit Notifiche::istanza().toolbarRicostruita();
}

const Pulsante* BarraStrumenti::trova(const QString& chiave) const
{
    for (const Pulsante& p : pulsanti_)
        if (!p.separatore && p.chiave == chiave)
            return &p;
    return nullptr;
}

bool BarraStrumenti::abilitato(const QString& chiave) const
{
    const Pulsante* p = trova(chiave);
    return p && p->abilitato;
}

void BarraStrumenti::setAbilitato(const QString& chiave, bool abil)
{
    for (Pulsante& p : pulsanti_) {
        if (!p.separatore && p.chiave == chiave && p.abilitato != abil) {
            p.abilitato = abil;
            emit Notifiche::istanza().toolbarCambiata(chiave);
        }
    }
}

void BarraStrumenti::blocca(bool progetto)
{
    for (Pulsante& p : pulsanti_) {
        const Effetto e = p.separatore ? Effetto::Nessuno : EffettoPulsante(p.chiave);
        const bool b = e == Effetto::Dispositivo || (progetto && e == Effetto::Progetto);
        if (p.bloccato != b) {
            p.bloccato = b;
            emit Notifiche::istanza().toolbarCambiata(p.chiave);
        }
    }
}

void BarraStrumenti::sblocca()
{
    for (Pulsante& p : pulsanti_) {
        if (p.bloccato) {
            p.bloccato = false;
            emit Notifiche::istanza().toolbarCambiata(p.chiave);
        }
    }
}

Effetto EffettoPulsante(const QString& chiave)
{
    for (const Voce& v : kToolbar)
        if (v.chiave && chiave == QLatin1String(v.chiave))
            return v.effetto;
    return Effetto::Nessuno;
}

void CreaToolBar() { BarraStrumenti::istanza().crea(); }

std::vector<QString> PulsantiDelGruppo(const QString& blocco)
{
    std::vector<QString> out;
    for (const Gruppo& g : gruppi()) {
        if (blocco == QLatin1String(g.nome)) {
            for (const char* c : g.chiavi)
                out.push_back(QString::fromLatin1(c));
        }
    }
    return out;
}

void AbilitaPulsanti(const QString& blocco, bool abil)
{
    for (const QString& chiave : PulsantiDelGruppo(blocco))
        BarraStrumenti::istanza().setAbilitato(chiave, abil);
}

} // namespace ludra
