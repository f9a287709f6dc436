#include "base/BarraStrumenti.h"

#include "base/Notifiche.h"


namespace ludra {

bool AggiornaAuto = false;
std::int16_t TempoAnimazione = 0;

namespace {

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

void BarraStrumenti::crea(std::vector<Pulsante> pulsanti)
{
    pulsanti_ = std::move(pulsanti);
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
        const Effetto e = p.effetto;
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
