#include "fbeditor/StatoComandi.h"

#include "base/Numeri.h"
#include "base/Testi.h"
#include "fbeditor/Assemblaggio.h"
#include "fbeditor/LayoutBlocchi.h"
#include "fbeditor/ModuliIO.h"
#include "fbeditor/TabellaFunzioni.h"
#include "ladder/OperazioniRung.h"
#include "monitor/DialogoValori.h"
#include "monitor/InputBox.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "tables/InputTab.h"
#include "tables/Tabelle.h"

#include <algorithm>

namespace ludra {

int RigaArgomento::tipoSelezionato() const
{
    return tipoScelto >= 0 && tipoScelto < tipi.size() ? tipi[tipoScelto].dato : -1;
}

QString RigaArgomento::testoTipo() const
{
    return tipoScelto >= 0 && tipoScelto < tipi.size() ? tipi[tipoScelto].testo : QString();
}

std::optional<int> RigaArgomento::datoSelezionato() const
{
    if (selezione >= 0 && selezione < elenco.size())
        return elenco[selezione].dato;
    return std::nullopt;
}

// Groups the changes of one operation into one notice to the window.
class StatoComandi::Modifica {
public:
    explicit Modifica(StatoComandi& s) : s_(s) { ++s_.annidamento_; }
    ~Modifica()
    {
        s_.sporco_ = true;
        if (--s_.annidamento_ == 0)
            s_.notifica();
    }
    Modifica(const Modifica&) = delete;
    Modifica& operator=(const Modifica&) = delete;

private:
    StatoComandi& s_;
};

namespace {

bool valida(int i) { return i >= 0 && i < kNumArgomenti; }

bool ammesso(const Argomento& a, int t) { return t >= 0 && t < kNumTipi && a.TipoAmmesso[std::size_t(t)]; }

// The line the editor is on, while it has one.
const Rung* rigaCorrente()
{
    const std::optional<LineaEditor> l = LineaDellEditor();
    if (!l)
        return nullptr;
    return &Sezioni[std::size_t(l->sezione)].Rung[std::size_t(l->riga)];
}

// Selects the entry of that exact text (the first), or none.
void selezionaTesto(RigaArgomento& r)
{
    r.selezione = -1;
    for (int k = 0; k < r.elenco.size(); ++k) {
        if (r.elenco[k].testo == r.testo) {
            r.selezione = k;
            break;
        }
    }
}

void seleziona(RigaArgomento& r, int voce)
{
    if (voce >= 0 && voce < r.elenco.size()) {
        r.selezione = voce;
        r.testo = r.elenco[voce].testo;
    } else {
        r.selezione = -1;
    }
}

} // namespace

StatoComandi& StatoComandi::istanza()
{
    static StatoComandi s;
    return s;
}

void StatoComandi::notifica()
{
    if (sporco_) {
        sporco_ = false;
        emit cambiato();
    }
}

void StatoComandi::Carica()
{
    Modifica m(*this);
    Loaded = true;
    // The tab strip starts on its first tab.
    Scheda = 1;
}

void StatoComandi::Scarica()
{
    Modifica m(*this);
    Loaded = false;
}

void StatoComandi::ClickScheda(int scheda)
{
    if (scheda < 1 || scheda > kNumSchede)
        return;
    Modifica m(*this);
    Scheda = scheda;
}

void StatoComandi::ClickFunzione(int codice)
{
    Modifica m(*this);
    FunzioneCorrente = std::int16_t(codice);
    ImpostaFunzione(codice);
}

void StatoComandi::ImpostaFunzione(int codice)
{
    Modifica m(*this);
    ++generazione_;

    // 1. The tab of the block's category.
    if (codice >= 0 && codice < kVociTabellaFunzioni) {
        const int categoria = TabellaFunzioni[std::size_t(codice)].Categoria;
        if (categoria >= 1 && categoria <= kNumSchede)
            Scheda = categoria;
    }
    // 2. Every row and record empty and hidden.
    for (int k = 0; k < kNumArgomenti; ++k) {
        Righe[std::size_t(k)] = RigaArgomento{};
        Argomenti[std::size_t(k)] = Argomento{};
    }
    // 3, 4.
    RitardoVisibile = false;
    NomeFunzione = codice >= 0 && codice < kNumCodiciFunzione ? NomiFunzioni[std::size_t(codice)]
                                                              : QString();
    DidascaliaRitardo = Testi.t(68);

    // 5. The block's own layout.
    const LayoutBlocco layout = LayoutDi(codice);
    if (layout.ritardo) {
        Ritardo = QStringLiteral("10");
        RitardoVisibile = true;
    }

    if (layout.confronto) {
        for (int k = 0; k < kNumArgomenti; ++k) {
            RigaArgomento& r = Righe[std::size_t(k)];
            r.etichetta = QString::fromLatin1(kDidascalieConfronto[k]);
            r.etichettaVisibile = true;
            r.testo = QStringLiteral("0");
            r.testoVisibile = true;
        }
        return;
    }

    // The value types packed in slot 1 of the line, for the fields that take them back.
    std::array<int, kNumArgomenti> precaricato{};
    std::array<int, kNumArgomenti> predefinito{};
    if (!layout.precarico.empty()) {
        const Rung* rung = rigaCorrente();
        const bool leggi = layout.precaricoSempre || (rung && rung->Caricato);
        for (const Precarico& p : layout.precarico) {
            int t = p.predefinito;
            if (leggi && rung) {
                const std::uint8_t b = rung->ArgByte[std::size_t(4 + p.byte)];
                t = p.nibbleAlto ? (b & 0xF0) >> 4 : b & 0x0F;
            }
            precaricato[std::size_t(p.campo)] = t;
            predefinito[std::size_t(p.campo)] = p.predefinito;
        }
    }

    const bool scrittura = codice == 9;
    for (const PassoLayout& passo : layout.passi) {
        switch (passo.azione) {
        case Azione::ElencoModuli: {
            RigaArgomento& r = Righe[0];
            for (const ModuloIO& mod : scrittura ? ModuliScrittura() : ModuliLettura())
                r.elenco.append({QString::fromLatin1(mod.modello), mod.tipo});
            if (scrittura) {
                // No device chosen yet: the field stays empty rather than showing the
                // record's number as if it were a device.
                r.selezione = -1;
                r.testo.clear();
            } else {
                seleziona(r, 0);
            }
            break;
        }
        case Azione::ClickDispositivo:
            txt_Var_Click(0);
            break;
        case Azione::Campo: {
            const int k = passo.campo;
            Argomento& a = Argomenti[std::size_t(k)];
            a.Nome = passo.didascalia.testo();
            a.Valore = passo.primoRegistro ? double(PrimoRegUtente) : passo.valore;
            a.Registro = passo.registro;
            const bool daRiga = passo.tipo == kTipoPrecaricato;
            a.Tipo = std::uint8_t(daRiga ? precaricato[std::size_t(k)] : passo.tipo);
            for (int t = 0; t < kNumTipi; ++t)
                a.TipoAmmesso[std::size_t(t)] = (passo.ammessi >> t) & 1;
            Righe[std::size_t(k)].tipoPredefinito =
                std::uint8_t(daRiga ? predefinito[std::size_t(k)] : passo.tipo);
            ShowArg(k);
            if (passo.dopo != Dopo::Nulla) {
                Righe[std::size_t(k)].tipiVisibili = false;
                Righe[std::size_t(k)].setVisibile = false;
            }
            if (passo.dopo == Dopo::ElencoEtichette)
                RiempiEtichette(k);
            break;
        }
        }
    }
}

void StatoComandi::ShowArg(int i)
{
    if (!valida(i))
        return;
    Modifica m(*this);
    ArgomentoAttivo = std::uint8_t(i);
    Argomento& a = Argomenti[std::size_t(i)];
    RigaArgomento& r = Righe[std::size_t(i)];
    if (a.Nome.isEmpty()) {
        r.etichettaVisibile = r.testoVisibile = r.tipiVisibili = r.setVisibile = false;
        return;
    }

    r.tipi.clear();
    r.tipoScelto = -1;
    for (int t = 0; t < kNumTipi; ++t) {
        if (!a.TipoAmmesso[std::size_t(t)])
            continue;
        r.tipi.append({t < int(NomiTipi.size()) ? NomiTipi[std::size_t(t)] : QString(), t});
        if (t == kTable) {
            a.Tipo = kTable;
            const QStringList nomi = NomiTabelle();
            for (int n = 0; n < nomi.size(); ++n)
                r.elenco.append({nomi[n], n});
        }
    }
    r.etichetta = a.Nome;

    // A type the field does not offer (taken from another block's bytes, or a dropped
    // register's) would leave the type list without a choice: the field's own default
    // type stands instead.
    if (!ammesso(a, a.Tipo) && ammesso(a, r.tipoPredefinito))
        a.Tipo = r.tipoPredefinito;
    int voce = -1;
    for (int k = 0; k < r.tipi.size(); ++k)
        if (r.tipi[k].dato == a.Tipo)
            voce = k;
    if (voce >= 0)
        sceltaTipo(i, voce);

    switch (a.Tipo) {
    case kKFlt:
    case kKLong:
        r.testo = TestoNumero(a.Valore);
        selezionaTesto(r);
        break;
    case kTable:
        seleziona(r, 0);
        break;
    default:
        r.testo = (a.Registro ? QStringLiteral("%R") : QString()) + TestoNumero(a.Valore);
        selezionaTesto(r);
        break;
    }

    r.etichettaVisibile = r.testoVisibile = r.tipiVisibili = true;
    // The set button belongs to the fields whose types have a dialog.
    r.setVisibile = ammesso(a, kKLong) || ammesso(a, kTable);
}

void StatoComandi::sceltaTipo(int i, int voce)
{
    RigaArgomento& r = Righe[std::size_t(i)];
    if (voce < 0 || voce >= r.tipi.size())
        return;
    r.tipoScelto = voce;
    const int tipo = r.tipi[voce].dato;
    // The row shown or focused last is the active one, so the record and the row are
    // always the same.
    Argomenti[std::size_t(i)].Tipo = std::uint8_t(tipo);
    r.setAbilitato = tipo == kKLong || tipo == kTable;
}

void StatoComandi::ClickTipo(int i, int voce)
{
    if (!valida(i))
        return;
    Modifica m(*this);
    ArgomentoAttivo = std::uint8_t(i);
    sceltaTipo(i, voce);
}

void StatoComandi::RiempiEtichette(int i)
{
    // The labels a jump may reach are those of the editor's own unit.
    const std::optional<LineaEditor> l = LineaDellEditor();
    if (!valida(i) || !l)
        return;
    Modifica m(*this);
    RigaArgomento& r = Righe[std::size_t(i)];
    const Sezione& sezione = Sezioni[std::size_t(l->sezione)];
    const int ultima = std::clamp<int>(sezione.NumRung, 0, kMaxRung);
    for (int riga = 1; riga <= ultima; ++riga) {
        const QString& etichetta = sezione.Rung[std::size_t(riga)].Etichetta;
        if (!etichetta.isEmpty())
            r.elenco.append({etichetta, riga});
    }
    if (!r.elenco.isEmpty())
        seleziona(r, 0);
}

void StatoComandi::mostraCanali(int campo, bool visibile)
{
    RigaArgomento& r = Righe[std::size_t(campo)];
    r.etichettaVisibile = r.testoVisibile = visibile;
    // The type list goes with its field; a field without a record has none to show.
    const Argomento& a = Argomenti[std::size_t(campo)];
    r.tipiVisibili = visibile && !a.Nome.isEmpty();
}

void StatoComandi::txt_Var_Click(int i)
{
    if (i != 0)
        return;
    if (FunzioneCorrente < 0 || FunzioneCorrente >= kVociTabellaFunzioni)
        return;
    const VoceFunzione& v = TabellaFunzioni[std::size_t(FunzioneCorrente)];
    const bool scrittura = v.Classe == 1 && v.Funzione == 1;
    const bool lettura = (v.Classe == 2 || v.Classe == 4) && v.Funzione == 1;
    if (!scrittura && !lettura)
        return;

    Modifica m(*this);
    RigaArgomento& risorse = Righe[4];
    risorse.elenco.clear();
    risorse.selezione = -1;
    risorse.testo.clear();
    RigaArgomento& dispositivo = Righe[0];
    selezionaTesto(dispositivo);
    mostraCanali(5, true);
    mostraCanali(6, true);
    CanaleMin = 0;
    CanaleMax = 7;
    NumCanali = 8;

    const std::optional<int> tipo = dispositivo.datoSelezionato();
    if (!tipo)
        return;
    const RisorseModulo r = RisorseDi(scrittura, *tipo);
    for (const RisorsaModulo& ris : r.risorse)
        risorse.elenco.append({QString::fromLatin1(ris.nome), ris.registroBase});
    if (risorse.elenco.isEmpty())
        return;
    seleziona(risorse, 0);
    if (r.canaliNascosti) {
        mostraCanali(5, false);
        mostraCanali(6, false);
        Righe[5].testo = QStringLiteral("0");
        Righe[6].testo = QStringLiteral("0");
        selezionaTesto(Righe[5]);
        selezionaTesto(Righe[6]);
    }
    CanaleMin = r.canaleMin;
    CanaleMax = r.canaleMax;
    NumCanali = r.numCanali;
}

void StatoComandi::SelezionaVoce(int i, int voce)
{
    if (!valida(i))
        return;
    Modifica m(*this);
    ArgomentoAttivo = std::uint8_t(i);
    seleziona(Righe[std::size_t(i)], voce);
    txt_Var_Click(i);
}

void StatoComandi::ImpostaTesto(int i, const QString& testo)
{
    if (!valida(i))
        return;
    RigaArgomento& r = Righe[std::size_t(i)];
    if (r.testo == testo && (r.selezione < 0 || r.elenco[r.selezione].testo == testo))
        return;
    Modifica m(*this);
    r.testo = testo;
    selezionaTesto(r);
}

void StatoComandi::ImpostaEtichetta(const QString& testo)
{
    if (Etichetta == testo)
        return;
    Modifica m(*this);
    Etichetta = testo;
}

void StatoComandi::ImpostaRitardo(const QString& testo)
{
    if (Ritardo == testo)
        return;
    Modifica m(*this);
    Ritardo = testo;
}

void StatoComandi::Focus(int i)
{
    if (!valida(i) || ArgomentoAttivo == i)
        return;
    Modifica m(*this);
    ArgomentoAttivo = std::uint8_t(i);
}

bool StatoComandi::cmd_Set_Click(int i)
{
    if (!valida(i))
        return false;
    // The dialog's answer comes when it closes; nothing waits for it meanwhile, so a
    // Run, a Stop or a download under the click goes on while it stands. Once the user
    // has chosen another block the rows are not the ones the answer belongs to.
    const unsigned generazione = generazione_;
    const std::uint8_t tipo = Argomenti[std::size_t(i)].Tipo;
    if (tipo == kKLong) {
        return MostraDialogoValori(
            Finestra::Input_Box,
            [this, i] {
                TestoDialogo = Righe[std::size_t(i)].testo;
                InputBox.Tipo = kInputBoxTesto;
            },
            [this, i, generazione] {
                if (generazione == generazione_)
                    ImpostaTesto(i, TestoDialogo);
            });
    }
    if (tipo == kTable) {
        return MostraDialogoValori(
            Finestra::Input_Tab,
            [this, i] { InputTab.TabAttiva = std::int16_t(Righe[std::size_t(i)].selezione); },
            [this, i, generazione] {
                if (generazione != generazione_)
                    return;
                Modifica m(*this);
                RigaArgomento& r = Righe[std::size_t(i)];
                r.elenco.clear();
                r.testo.clear();
                const QStringList nomi = NomiTabelle();
                for (int n = 0; n < nomi.size(); ++n)
                    r.elenco.append({nomi[n], n});
                seleziona(r, InputTab.TabAttiva);
            });
    }
    return false;
}

void StatoComandi::CaricaRiga(int riga)
{
    if (riga < 0 || riga > kMaxRung || SubCorrente < 0 || SubCorrente >= kNumSezioni)
        return;
    Modifica m(*this);
    RungCorrente = std::int16_t(riga);
    LegaEditor(SubCorrente, riga);
    // A copy: the layout reads the line, and nothing here may change it.
    const Rung rung = Sezioni[std::size_t(SubCorrente)].Rung[std::size_t(riga)];
    Etichetta = rung.Etichetta;
    ClickFunzione(FunzToOpt(rung.Classe, rung.Funzione, rung.SubOp));
    if (rung.Caricato) {
        ImpostaTesto(0, rung.ArgTesto[0]);
        txt_Var_Click(0);
        for (int k = 1; k < kNumArgomenti; ++k)
            ImpostaTesto(k, rung.ArgTesto[std::size_t(k)]);
        ripristinaDaRiga(rung);
    }
}

void StatoComandi::ripristinaDaRiga(const Rung& rung)
{
    const LayoutBlocco layout = LayoutDi(FunzioneCorrente);
    // The delay lives in byte 0 of slots 4 (low) and 5 (high) of every communication
    // line; without it the block would fall back to the layout's 10.
    if (layout.ritardo)
        Ritardo = QString::number(rung.ArgByte[16] + 256 * rung.ArgByte[20]);
    // A register field whose type the line's bytes do not keep takes the type its
    // register shows, which the confirmation of the line set.
    for (const PassoLayout& passo : layout.passi) {
        if (passo.azione != Azione::Campo || !passo.registro || passo.tipo == kTipoPrecaricato)
            continue;
        const int k = passo.campo;
        RigaArgomento& r = Righe[std::size_t(k)];
        if (r.tipi.size() < 2)
            continue;
        const std::optional<double> v = ValoreCampo(r.testo);
        const std::optional<int> n = v ? NumeroRegistro(*v) : std::nullopt;
        if (!n)
            continue;
        const int tipo = TabellaRegistri[std::size_t(*n)].Formato;
        for (int voce = 0; voce < r.tipi.size(); ++voce)
            if (r.tipi[voce].dato == tipo)
                sceltaTipo(k, voce);
    }
}

void StatoComandi::RegistroCliccato(int registro)
{
    if (!Loaded || registro < 0 || registro >= kRigheRegistri)
        return;
    const int k = ArgomentoAttivo;
    Argomento& a = Argomenti[std::size_t(k)];
    if (!valida(k) || !a.Registro)
        return;
    Modifica m(*this);
    a.Valore = registro;
    a.Tipo = TabellaRegistri[std::size_t(registro)].Formato;
    ShowArg(k);
}

void StatoComandi::Azzera()
{
    Modifica m(*this);
    Loaded = false;
    ArgomentoAttivo = 0;
    FunzioneCorrente = 0;
    Scheda = 1;
    NomeFunzione.clear();
    Etichetta.clear();
    Ritardo.clear();
    RitardoVisibile = false;
    DidascaliaRitardo.clear();
    Righe = {};
    CanaleMin = CanaleMax = NumCanali = 0;
    Argomenti = {};
    ++generazione_;
}

} // namespace ludra
