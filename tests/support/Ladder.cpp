#include "app/TabellaComandi.h"
#include "support/Ladder.h"

#include "app/Avvio.h"
#include "base/BarraStrumenti.h"
#include "base/Testi.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"

namespace ludra::test {

void avviaProgetto()
{
    AzzeraStatoProcesso();
    ImpostaLingua(kInglese);
    CreaToolBar();
    InitProgetto();
}

void scriviLinea(int i, const QString& t)
{
    Sezione& s = Sezioni[std::size_t(SubCorrente)];
    Rung& r = s.Rung[std::size_t(i)];
    r.Etichetta = t;
    r.Classe = 3;
    r.Funzione = 7;
    r.ArgTesto[0] = t + QStringLiteral("0");
    r.ArgByte[0] = 0x5A;
    r.Caricato = true;
    r.LungDati = 6;
    AggiornaRiga(i, [&](RigaLadder& riga) {
        riga.txt_Label.caption = t;
        riga.txt_Func.caption = QStringLiteral("Op ") + t;
        riga.sfondoFunzione = 0x00C0C0FF;
        riga.txt_Var.caption = QStringLiteral("[ ") + t + QStringLiteral(" ]");
        riga.immagine = 111;
        riga.immagineVisibile = true;
        riga.lbl_VarN[0] = {QStringLiteral("Source ") + t, true};
        riga.txt_VarN[0] = {t + QStringLiteral("0"), true};
    });
    ImpostaDescrizione(SubCorrente, i, QStringLiteral("desc ") + t);
}

void progettoDiLinee(int n, int c)
{
    avviaProgetto();
    for (int i = 2; i <= n; ++i)
        AggiungiRung();
    for (int i = 1; i <= n; ++i)
        scriviLinea(i, QString(QChar('A' + i - 1)));
    if (n == 0)
        CancellaRung(1);
    SelezionaRung(c);
}

QString etichette()
{
    const Sezione& s = Sezioni[std::size_t(SubCorrente)];
    QStringList out;
    for (int i = 1; i <= s.NumRung; ++i) {
        const QString& e = s.Rung[std::size_t(i)].Etichetta;
        out << (e.isEmpty() ? QStringLiteral("_") : e);
    }
    return out.join(QLatin1Char(','));
}

QString violazione()
{
    const int u = SubCorrente;
    const Sezione& s = Sezioni[std::size_t(u)];
    const int n = s.NumRung;
    if (n < 0 || n > kMaxRung)
        return QStringLiteral("NumRung %1 out of 0..100").arg(n);
    if (UltimaRiga != n)
        return QStringLiteral("UltimaRiga %1 != NumRung %2").arg(UltimaRiga).arg(n);
    if (RungCorrente < 0 || RungCorrente > n)
        return QStringLiteral("RungCorrente %1 outside 0..%2").arg(RungCorrente).arg(n);
    if ((RungCorrente == 0) != (n == 0))
        return QStringLiteral("RungCorrente %1 with %2 lines").arg(RungCorrente).arg(n);
    if (!RigaEsiste(u, 0))
        return QStringLiteral("row 0 gone");
    int rosse = 0;
    for (int i = 1; i <= kMaxRung; ++i) {
        const RigaLadder& r = Riga(u, i);
        if (r.caricata != (i <= n))
            return QStringLiteral("row %1 exists=%2 with %3 lines").arg(i).arg(r.caricata).arg(n);
        if (!r.caricata)
            continue;
        const Rung& l = s.Rung[std::size_t(i)];
        if (r.lbl_Rung.caption != QString::number(i))
            return QStringLiteral("row %1 numbered %2").arg(i).arg(r.lbl_Rung.caption);
        if (r.txt_desc != l.Descrizione)
            return QStringLiteral("row %1 shows '%2', line holds '%3'").arg(i).arg(r.txt_desc, l.Descrizione);
        if (r.txt_Label.caption != l.Etichetta)
            return QStringLiteral("row %1 label '%2', line '%3'").arg(i).arg(r.txt_Label.caption, l.Etichetta);
        if (r.img_Break != l.Break)
            return QStringLiteral("row %1 mark %2, line Break %3").arg(i).arg(r.img_Break).arg(l.Break);
        if (r.coloreBordo == colore::kRosso)
            ++rosse;
    }
    if (n > 0 && (rosse != 1 || Riga(u, RungCorrente).coloreBordo != colore::kRosso))
        return QStringLiteral("%1 red frames, current %2").arg(rosse).arg(RungCorrente);
    const BarraStrumenti& b = BarraStrumenti::istanza();
    if (b.abilitato(QStringLiteral("rung_paste")) != CopiaDisponibile())
        return QStringLiteral("rung_paste enabled %1, copy %2")
            .arg(b.abilitato(QStringLiteral("rung_paste")))
            .arg(CopiaDisponibile());
    if (b.abilitato(QStringLiteral("rung_redo")) != RipristinoDisponibile())
        return QStringLiteral("rung_redo enabled %1, undo %2")
            .arg(b.abilitato(QStringLiteral("rung_redo")))
            .arg(RipristinoDisponibile());
    if (RipristinoDisponibile()) {
        const int i = RungUndo[0].Indice;
        const int max = Undo().tipo == TipoUndo::Cancellazione ? n + 1 : n;
        if (i < 1 || i > max)
            return QStringLiteral("undo index %1 with %2 lines").arg(i).arg(n);
    }
    return {};
}

} // namespace ludra::test
