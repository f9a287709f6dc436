#include "fbeditor/CompilaComando.h"

#include "base/CampoIntero.h"
#include "base/Finestre.h"
#include "base/Notifiche.h"
#include "base/Testi.h"
#include "fbeditor/Assemblaggio.h"
#include "fbeditor/TabellaFunzioni.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "link/Sequenza.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "project/Registri.h"

namespace ludra {

namespace {

// Everything but the label, the texts, the triple, the row and the block's own bytes
// comes from the line as it is: its description, its breakpoint, the bytes a block
// leaves alone.
void leggiEditor(Assemblaggio& a, int codice)
{
    const StatoComandi& s = a.s;
    for (int k = 0; k < kNumArgomenti; ++k) {
        const RigaArgomento& r = s.Righe[std::size_t(k)];
        a.riga.txt_VarN[std::size_t(k)] = {r.testo, r.testoVisibile};
        // A block that sets no caption of its own shows the editor's, never the
        // caption a former block of the line left there.
        a.riga.lbl_VarN[std::size_t(k)] = {r.etichetta, r.etichettaVisibile};
        a.rung.ArgTesto[std::size_t(k)] = r.testo;
    }
    a.riga.txt_Var.caption.clear();

    a.rung.Etichetta = s.Etichetta;
    a.riga.txt_Label.caption = s.Etichetta;

    const bool noto = codice >= 0 && codice < kVociTabellaFunzioni;
    const VoceFunzione v = noto ? TabellaFunzioni[std::size_t(codice)] : VoceFunzione{};
    a.rung.Classe = std::int16_t(v.Classe);
    a.rung.Funzione = std::int16_t(v.Funzione);
    a.rung.SubOp = std::uint8_t(v.SubOp);

    a.riga.immagine = v.IdImmagine;
    a.riga.immagineVisibile = v.IdImmagine != 0;
    a.riga.txt_Func.caption =
        codice >= 0 && codice < kNumCodiciFunzione ? NomiFunzioni[std::size_t(codice)] : QString();
    a.riga.sfondoFunzione =
        HaPulsanteFunzione(codice) ? ColoreFunzione(codice) : colore::kGrigioChiaro;
}

// The first text the line would store (its label, then its fields in order) holding a
// character the project file's code page lacks, which the file would hold as "?": a
// label so saved could no longer tell its jumps from another's. The refusal names the
// field by its caption; the focus goes to it.
bool testiScrivibili(const StatoComandi& s)
{
    const bool italiano = Lingua == kItaliano;
    const auto rifiuta = [&](const QString& campo, const QString& fuori, const QString& controllo) {
        platform::msgBox(platform::rifiutoFuoriCp1252(campo, fuori, italiano),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        CampoRifiutato(QStringLiteral("comandi"), controllo);
        return false;
    };
    if (const QString fuori = platform::primoFuoriCp1252(s.Etichetta); !fuori.isEmpty())
        return rifiuta(Testi.t(161), fuori, QStringLiteral("txt_Label"));
    for (int k = 0; k < kNumArgomenti; ++k) {
        const RigaArgomento& r = s.Righe[std::size_t(k)];
        if (const QString fuori = platform::primoFuoriCp1252(r.testo); !fuori.isEmpty())
            return rifiuta(r.etichetta.isEmpty() ? QString::number(k + 1) : r.etichetta, fuori,
                           QStringLiteral("txt_Var_%1").arg(k));
    }
    return true;
}

void applicaRiga(RigaLadder& r, const RigaLadder& nuova)
{
    r.txt_VarN = nuova.txt_VarN;
    r.lbl_VarN = nuova.lbl_VarN;
    r.txt_Label.caption = nuova.txt_Label.caption;
    r.immagine = nuova.immagine;
    r.immagineVisibile = nuova.immagineVisibile;
    r.txt_Func.caption = nuova.txt_Func.caption;
    r.sfondoFunzione = nuova.sfondoFunzione;
    r.txt_Var.caption = nuova.txt_Var.caption;
}

} // namespace

std::uint16_t CompilaComando(Lettura lettura, int* rifiutato)
{
    if (rifiutato)
        *rifiutato = -1;
    const std::optional<LineaEditor> dove = LineaDellEditor();
    if (!dove)
        return 0;
    const StatoComandi& s = StatoComandi::istanza();
    const int sezione = dove->sezione;
    const int riga = dove->riga;
    Rung& linea = Sezioni[std::size_t(sezione)].Rung[std::size_t(riga)];

    Assemblaggio a(s);
    a.lettura = lettura;
    a.rung = linea;
    a.riga = Riga(sezione, riga);
    a.arg = Argomenti;
    // Every field is read the way a file reads it, so that those the block takes no
    // number from (labels, devices, tables) and those the editor hides stand for 0 as
    // they always have; a field shown that the block does take a number from is refused
    // unless it is one as read.
    for (int k = 0; k < kNumArgomenti; ++k) {
        const RigaArgomento& r = s.Righe[std::size_t(k)];
        const std::optional<double> v = ValoreCampo(r.testo);
        if (!v) {
            if (rifiutato)
                *rifiutato = k;
            return 0;
        }
        a.arg[std::size_t(k)].Valore = *v;
        a.numero[std::size_t(k)] = !r.testoVisibile || ValoreCampo(r.testo, lettura).has_value();
    }
    leggiEditor(a, s.FunzioneCorrente);

    bool ok = true;
    switch (a.rung.Classe) {
    case 1:
    case 2:
    case 4:
        ok = CodificaComunicazione(a);
        break;
    case 3:
        ok = CodificaLocale(a);
        break;
    default:
        break;
    }
    if (!ok) {
        if (rifiutato)
            *rifiutato = a.rifiutato;
        return 0;
    }

    a.rung.Caricato = true;
    a.rung.Rifiuto.clear();
    // What the user confirms can be undone; a line the project reader rebuilds cannot.
    if (lettura == Lettura::Digitata)
        SalvaRungUndo(sezione, riga);
    linea = a.rung;
    for (const auto& [registro, tipo] : a.formati)
        TabellaRegistri[std::size_t(registro)].Formato = tipo;
    Argomenti = a.arg;
    AggiornaRiga(sezione, riga, [&a](RigaLadder& r) { applicaRiga(r, a.riga); });
    emit Notifiche::istanza().registriCambiati();
    return kComandoScritto;
}

bool ConfermaComando()
{
    // The editor stays open with what the user typed: OK works again once it is over.
    if (ComandoRifiutato(QStringLiteral("Function block OK"), Effetto::Progetto))
        return false;
    // The block stays in the editor, to be copied to another line.
    if (!LineaDellEditor()) {
        platform::msgBox(kRigaPersa, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    if (!testiScrivibili(StatoComandi::istanza()))
        return false;
    int rifiutato = -1;
    if (CompilaComando(Lettura::Digitata, &rifiutato) != kComandoScritto) {
        platform::msgBox(kErroreValori);
        const QString campo = rifiutato == kCampoRitardo
                                  ? QStringLiteral("txt_delay")
                                  : QStringLiteral("txt_Var_%1").arg(rifiutato);
        if (rifiutato >= 0)
            CampoRifiutato(QStringLiteral("comandi"), campo);
        return false;
    }
    SciogliEditor();
    StatoComandi::istanza().Scarica();
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::comandi);
    return true;
}

} // namespace ludra
