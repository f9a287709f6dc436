#include "projectfiles/FileProgetto.h"

#include "base/Finestre.h"
#include "base/Log.h"
#include "base/Notifiche.h"
#include "fbeditor/Ricodifica.h"
#include "ladder/VistaLadder.h"
#include "ladder/OperazioniRung.h"
#include "platform/Dialogs.h"
#include "platform/LetturaFile.h"
#include "base/FormatoFile.h"
#include "projectfiles/NuovoProgetto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <limits>
#include <span>

namespace ludra {

std::function<QString(int riga)> RicodificaRungHook = RicodificaRiga;

namespace {

constexpr qint64 kMaxDimensioneFile = 16 * 1024 * 1024;
constexpr long kMin16 = std::numeric_limits<std::int16_t>::min();
constexpr long kMax16 = std::numeric_limits<std::int16_t>::max();

constexpr qsizetype kLungFinale = 4;   // ".prj"

// The file of the project whose .prj file is `prj` that ends in `estensione`: the base
// name and the ending, each letter of the ending in the case of the .prj ending's
// letter, so "PLANT.PRJ" goes with "PLANT.LST" and "plant.prj" with "plant.lst".
QString nomeFile(const QString& prj, const char* estensione)
{
    QString finale = QString::fromLatin1(estensione);
    const QStringView proprio = QStringView(prj).right(kLungFinale);
    for (qsizetype i = 0; i < finale.size() && i < proprio.size(); ++i)
        if (proprio[i].isUpper())
            finale[i] = finale[i].toUpper();
    return prj.left(prj.size() - kLungFinale) + finale;
}

// The same for reading: the file written so when there is one, else a file of the
// project's base name with that ending in any case, as other tools and other systems
// write them.
QString fileDaLeggere(const QString& prj, const char* estensione)
{
    const QString nome = nomeFile(prj, estensione);
    const QFileInfo info(nome);
    if (info.exists())
        return nome;
    const QString base = info.fileName().chopped(kLungFinale);
    const QStringList presenti = info.dir().entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& f : presenti)
        if (f.size() == info.fileName().size() && f.startsWith(base)
            && f.endsWith(QLatin1String(estensione), Qt::CaseInsensitive))
            return info.dir().filePath(f);
    return nome;
}

} // namespace

ContenutoProgetto ContenutoCorrente()
{
    ContenutoProgetto c;
    if (SubCorrente >= 0 && SubCorrente < kNumSezioni) {
        const Sezione& s = Sezioni[std::size_t(SubCorrente)];
        for (int i = 1; i <= std::clamp<int>(s.NumRung, 0, kMaxRung); ++i)
            c.righe.push_back(s.Rung[std::size_t(i)]);
    }
    for (std::size_t r = 0; r < TabellaRegistri.size(); ++r) {
        c.nomi[r] = TabellaRegistri[r].Nome;
        c.formati[r] = TabellaRegistri[r].Formato;
    }
    c.numTabelle = std::min<std::uint8_t>(NumTabelle, kMaxTabelle);
    c.tabelle = Tabelle;
    c.pagine = PagineDisplay;
    return c;
}

QByteArray TestoPrj(const ContenutoProgetto& c)
{
    ScrittoreRighe w;
    w.intero(long(c.righe.size()));
    for (const Rung& r : c.righe) {
        w.testo(r.Descrizione);
        w.testo(r.Etichetta);
        w.intero(r.Classe);
        w.intero(r.SubOp);
        w.intero(r.Funzione);
        for (std::size_t k = 0; k < 8; ++k) {
            w.testo(r.ArgTesto[k]);
            for (std::size_t j = 0; j < 4; ++j)
                w.intero(r.ArgByte[4 * k + j]);
        }
    }
    return w.byte();
}

QByteArray TestoLst(const ContenutoProgetto& c)
{
    ScrittoreRighe w;
    const int ultimo = std::clamp<int>(NumRegistri, 0, kRigheRegistri - 1);
    for (int r = 0; r <= ultimo; ++r) {
        w.testo(c.nomi[std::size_t(r)]);
        w.intero(c.formati[std::size_t(r)]);
    }
    return w.byte();
}

QByteArray TestoPtb(const ContenutoProgetto& c)
{
    ScrittoreRighe w;
    w.intero(c.numTabelle);
    for (int t = 0; t < c.numTabelle; ++t) {
        const Tabella& tab = c.tabelle[std::size_t(t)];
        w.testo(tab.Nome);
        w.intero(tab.NumPunti);
        for (int p = 0; p < tab.NumPunti; ++p)
            w.valore(tab.Ingresso[std::size_t(p)]);
        for (int p = 0; p < tab.NumPunti; ++p)
            w.valore(tab.Uscita[std::size_t(p)]);
    }
    return w.byte();
}

QByteArray TestoDsp(const ContenutoProgetto& c)
{
    ScrittoreRighe w;
    const int pagine = std::min<int>(c.pagine.NumPagine, kMaxPagine);
    w.intero(pagine);
    for (int p = 0; p < pagine; ++p) {
        const PaginaDisplay& pagina = c.pagine.Pagine[std::size_t(p)];
        const int oggetti = std::min<int>(pagina.NumOggetti, kMaxOggettiPagina);
        w.intero(oggetti);
        for (int o = 1; o <= oggetti; ++o) {
            const OggettoDisplay& d = pagina.Oggetti[std::size_t(o)];
            w.intero(d.Codice);
            w.intero(d.PosX);
            w.intero(d.PosY);
            w.intero(d.DimX);
            w.intero(d.DimY);
            w.intero(d.Spessore);
            w.testo(d.Testo[0]);
            w.testo(d.Testo[1]);
            w.intero(d.Registro);
            w.intero(d.TipoRegistro);
            w.intero(d.Bit);
            w.doppio(d.Max);
            w.doppio(d.Min);
            w.intero(d.IdPicture1);
            w.intero(d.IdPicture0);
            w.booleano(d.Negato);
            w.booleano(d.Flag2);
            w.booleano(d.Flag4);
            w.booleano(d.Direzione);
        }
    }
    return w.byte();
}

bool LeggiPrj(const QByteArray& dati, ContenutoProgetto& c, QString& errore)
{
    LettoreRighe l(dati, QStringLiteral(".prj"));
    const long n = l.intero(0, kMaxRung);
    std::vector<Rung> righe;
    for (long i = 0; i < n && l.ok(); ++i) {
        // Every record starts blank: nothing of an earlier line comes back.
        Rung r = RungVuoto();
        r.Descrizione = l.testo();
        r.Etichetta = l.testo();
        r.Classe = std::int16_t(l.intero(0, 4));
        r.SubOp = std::uint8_t(l.intero(0, 255));
        r.Funzione = std::int16_t(l.intero(kMin16, kMax16));
        for (std::size_t k = 0; k < 8; ++k) {
            r.ArgTesto[k] = l.testo();
            for (std::size_t j = 0; j < 4; ++j)
                r.ArgByte[4 * k + j] = std::uint8_t(l.intero(0, 255));
        }
        r.Caricato = true;
        righe.push_back(r);
    }
    if (!l.ok()) {
        errore = l.errore();
        return false;
    }
    c.righe = std::move(righe);
    return true;
}

bool LeggiLst(const QByteArray& dati, ContenutoProgetto& c, QString& errore)
{
    LettoreRighe l(dati, QStringLiteral(".lst"));
    ContenutoProgetto letto;
    const int ultimo = std::clamp<int>(NumRegistri, 0, kRigheRegistri - 1);
    for (int r = 0; r <= ultimo && l.ok(); ++r) {
        letto.nomi[std::size_t(r)] = l.testo();
        letto.formati[std::size_t(r)] = std::uint8_t(l.intero(0, 10));
    }
    if (!l.ok()) {
        errore = l.errore();
        return false;
    }
    c.nomi = letto.nomi;
    c.formati = letto.formati;
    return true;
}

bool LeggiPtb(const QByteArray& dati, ContenutoProgetto& c, QString& errore)
{
    LettoreRighe l(dati, QStringLiteral(".ptb"));
    ContenutoProgetto letto;
    letto.numTabelle = std::uint8_t(l.intero(0, kMaxTabelle));
    for (int t = 0; t < letto.numTabelle && l.ok(); ++t) {
        Tabella& tab = letto.tabelle[std::size_t(t)];
        tab.Nome = l.testo();
        tab.NumPunti = std::uint8_t(l.intero(2, kMaxPunti));
        for (int p = 0; p < tab.NumPunti && l.ok(); ++p)
            tab.Ingresso[std::size_t(p)] = l.reale();
        for (int p = 0; p < tab.NumPunti && l.ok(); ++p)
            tab.Uscita[std::size_t(p)] = l.reale();
    }
    if (!l.ok()) {
        errore = l.errore();
        return false;
    }
    c.numTabelle = letto.numTabelle;
    c.tabelle = letto.tabelle;
    return true;
}

bool LeggiDsp(const QByteArray& dati, ContenutoProgetto& c, QString& errore)
{
    LettoreRighe l(dati, QStringLiteral(".dsp"));
    ListaPagine pagine;
    pagine.NumPagine = std::uint8_t(l.intero(1, kMaxPagine));
    for (int p = 0; p < pagine.NumPagine && l.ok(); ++p) {
        PaginaDisplay& pagina = pagine.Pagine[std::size_t(p)];
        pagina.NumOggetti = std::uint8_t(l.intero(0, kMaxOggettiPagina));
        for (int o = 1; o <= pagina.NumOggetti && l.ok(); ++o) {
            OggettoDisplay& d = pagina.Oggetti[std::size_t(o)];
            d.Codice = std::uint8_t(l.intero(0, 255));
            d.PosX = std::uint8_t(l.intero(0, 255));
            d.PosY = std::uint8_t(l.intero(0, 255));
            d.DimX = std::uint8_t(l.intero(0, 255));
            d.DimY = std::uint8_t(l.intero(0, 255));
            d.Spessore = std::uint8_t(l.intero(0, 255));
            d.Testo[0] = l.testo();
            d.Testo[1] = l.testo();
            d.Registro = std::int16_t(l.intero(kMin16, kMax16));
            d.TipoRegistro = std::uint8_t(l.intero(0, 255));
            d.Bit = std::int16_t(l.intero(kMin16, kMax16));
            d.Max = l.reale();
            d.Min = l.reale();
            d.IdPicture1 = std::uint8_t(l.intero(0, 255));
            d.IdPicture0 = std::uint8_t(l.intero(0, 255));
            d.Negato = l.booleano();
            d.Flag2 = l.booleano();
            d.Flag4 = l.booleano();
            d.Direzione = l.booleano();
        }
    }
    if (!l.ok()) {
        errore = l.errore();
        return false;
    }
    c.pagine = pagine;
    return true;
}

namespace {

// The file a save of `nome` writes: where its symbolic links lead, as QSaveFile follows
// them, so that a link stays a link.
QString fileFinale(const QString& nome)
{
    QFileInfo info(nome);
    for (int passi = 0; passi < 128 && info.isSymLink(); ++passi)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? nome : info.filePath();
}

// A file being replaced: the new one's place, and the name its old one waits under.
struct Sostituzione {
    QString finale;
    QString accanto;   // empty: there was no old file, or it has not moved yet
    bool scritto = false;
};

// Puts the old files back in their places and takes away the new ones that had none.
void rimetti(std::span<const Sostituzione> fatte, QString& errore)
{
    for (const Sostituzione& s : fatte) {
        bool rimesso = true;
        if (!s.accanto.isEmpty()) {
            // Over the new file, if it is there, in one step.
            rimesso = std::rename(QFile::encodeName(s.accanto).constData(),
                                  QFile::encodeName(s.finale).constData())
                      == 0;
        } else if (s.scritto) {
            rimesso = QFile::remove(s.finale);
        }
        if (!rimesso)
            errore += QStringLiteral("; %1 could not be put back as it was").arg(s.finale);
    }
}

} // namespace

bool ScriviFileProgetto(const QString& prj, const ContenutoProgetto& c, QString& errore)
{
    const std::array<std::pair<const char*, QByteArray>, 4> file = {{
        {".prj", TestoPrj(c)},
        {".lst", TestoLst(c)},
        {".ptb", TestoPtb(c)},
        {".dsp", TestoDsp(c)},
    }};
    // All four are written aside first; only when every new one is complete does each
    // old one move aside (renamed in its folder, never read: it may be larger than
    // memory) for the new one to take its place. Should a step still fail, the old files
    // go back and the new ones that had none go: a failure leaves the previous project
    // whole. The old files are removed once all four new ones are in place.
    std::array<std::unique_ptr<QSaveFile>, 4> salvati;
    const auto annulla = [&salvati] {
        for (auto& s : salvati)
            if (s)
                s->cancelWriting();
    };
    for (std::size_t i = 0; i < file.size(); ++i) {
        const QString nome = nomeFile(prj, file[i].first);
        if (QFile vecchio(nome); vecchio.exists()) {
            QString perche;
            if (!platform::ApriFileRegolare(vecchio, perche)) {
                errore = QStringLiteral("%1: %2").arg(nome, perche);
                annulla();
                return false;
            }
        }
        salvati[i] = std::make_unique<QSaveFile>(nome);
        QSaveFile& f = *salvati[i];
        // A full disk shows on the flush; the commit would report it as saved.
        if (!f.open(QIODevice::WriteOnly) || f.write(file[i].second) != file[i].second.size()
            || !f.flush()) {
            errore = QStringLiteral("%1: %2").arg(f.fileName(), f.errorString());
            annulla();
            return false;
        }
    }
    std::array<Sostituzione, 4> sostituzioni;
    for (std::size_t i = 0; i < salvati.size(); ++i) {
        Sostituzione& s = sostituzioni[i];
        s.finale = fileFinale(salvati[i]->fileName());
        if (QFile vecchio(s.finale); vecchio.exists()) {
            QString accanto = s.finale + QStringLiteral(".old");
            for (int n = 1; QFileInfo::exists(accanto) || QFileInfo(accanto).isSymLink(); ++n)
                accanto = s.finale + QStringLiteral(".old%1").arg(n);
            // A rename that never replaces: nothing already there is lost.
            if (!vecchio.rename(accanto)) {
                errore = QStringLiteral("%1: %2").arg(s.finale, vecchio.errorString());
                annulla();
                rimetti(std::span(sostituzioni).first(i), errore);
                return false;
            }
            s.accanto = accanto;
        }
        s.scritto = salvati[i]->commit();
        if (!s.scritto) {
            errore = QStringLiteral("%1: %2").arg(salvati[i]->fileName(), salvati[i]->errorString());
            annulla();
            rimetti(std::span(sostituzioni).first(i + 1), errore);
            return false;
        }
    }
    QStringList rimasti;
    for (const Sostituzione& s : sostituzioni)
        if (!s.accanto.isEmpty() && !QFile::remove(s.accanto))
            rimasti << s.accanto;
    if (!rimasti.isEmpty())
        errore = QStringLiteral("the old files could not be removed: ") + rimasti.join(u", ");
    return true;
}

namespace {

enum class Lettura { Letto, Manca, Errore };

Lettura leggiFile(const QString& nome, QByteArray& dati, QString& errore)
{
    QFile f(nome);
    if (!f.exists())
        return Lettura::Manca;
    QString perche;
    if (!platform::ApriFileRegolare(f, perche)) {
        errore = QStringLiteral("%1: %2").arg(nome, perche);
        return Lettura::Errore;
    }
    if (f.size() > kMaxDimensioneFile) {
        errore = QStringLiteral("%1: the file is too large").arg(nome);
        return Lettura::Errore;
    }
    dati = f.read(kMaxDimensioneFile + 1);
    if (dati.size() > kMaxDimensioneFile) {
        errore = QStringLiteral("%1: the file is too large").arg(nome);
        return Lettura::Errore;
    }
    return Lettura::Letto;
}

} // namespace

std::optional<ContenutoProgetto> LeggiFileProgetto(const QString& prj, QString& errore)
{
    ContenutoProgetto c;
    // Parts of the model a file does not hold read as empty: no user register names,
    // registers of type Int, no tables, one page without objects.
    c.formati.fill(1);
    c.pagine.NumPagine = 1;
    using Lettore = bool (*)(const QByteArray&, ContenutoProgetto&, QString&);
    const std::array<std::pair<const char*, Lettore>, 4> file = {{
        {".prj", LeggiPrj},
        {".lst", LeggiLst},
        {".ptb", LeggiPtb},
        {".dsp", LeggiDsp},
    }};
    for (const auto& [estensione, leggi] : file) {
        const QString nome = fileDaLeggere(prj, estensione);
        QByteArray dati;
        switch (leggiFile(nome, dati, errore)) {
        case Lettura::Errore:
            return std::nullopt;
        case Lettura::Manca:
            if (QLatin1String(estensione) == QLatin1String(".prj")) {
                errore = QStringLiteral("%1: the file does not exist").arg(nome);
                return std::nullopt;
            }
            continue;
        case Lettura::Letto:
            break;
        }
        QString perche;
        if (!leggi(dati, c, perche)) {
            errore = QFileInfo(BaseProgetto(prj)).fileName() + perche;
            return std::nullopt;
        }
    }
    return c;
}

QString BaseProgetto(const QString& percorso)
{
    if (percorso.endsWith(QLatin1String(".prj"), Qt::CaseInsensitive))
        return percorso.left(percorso.size() - kLungFinale);
    return percorso;
}

QString PercorsoPrj(const QString& percorso)
{
    if (percorso.endsWith(QLatin1String(".prj"), Qt::CaseInsensitive))
        return percorso;
    return percorso + QStringLiteral(".prj");
}

namespace {

void impostaCaption(const QString& testo)
{
    if (HostFinestre* host = hostFinestre())
        host->impostaCaption(testo);
}

QString sceltaFile(bool salva)
{
    platform::FileDialogRequest richiesta;
    richiesta.filter = QString::fromLatin1(kFiltroProgetto);
    richiesta.defaultExt = QStringLiteral("prj");
    return salva ? platform::dialogs().saveFile(richiesta)
                 : platform::dialogs().openFile(richiesta);
}

} // namespace

bool SalvaProgetto(bool ask)
{
    QString percorso = FileProgetto;
    if (percorso.isEmpty() || ask) {
        const QString scelto = sceltaFile(true);
        if (scelto.isEmpty())
            return false;   // cancelled: nothing written, FileProgetto kept
        percorso = scelto;
    }
    const QString prj = PercorsoPrj(percorso);
    QString errore;
    if (!ScriviFileProgetto(prj, ContenutoCorrente(), errore)) {
        LogStart();
        LogWrite(QStringLiteral("Project not saved: ") + errore);
        platform::msgBox(QStringLiteral("The project was not saved.\n") + errore,
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return false;
    }
    if (!errore.isEmpty()) {
        LogStart();
        LogWrite(QStringLiteral("Project saved; ") + errore);
    }
    NomeProgetto = BaseProgetto(prj);
    FileProgetto = prj;
    impostaCaption(NomeProgetto);
    return true;
}

void ApriProgetto()
{
    // The file first: a cancelled dialog leaves the open project as it is.
    const QString scelto = sceltaFile(false);
    if (scelto.isEmpty())
        return;
    const QString prj = PercorsoPrj(scelto);
    QString errore;
    const std::optional<ContenutoProgetto> letto = LeggiFileProgetto(prj, errore);
    if (!letto) {
        platform::msgBox(QStringLiteral("The project cannot be opened.\n") + errore,
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return;
    }
    // The lines are read in with the window's updates held back: it redraws once, and
    // the window stays, from the project closed to the one opened.
    const AggiornamentoInBlocco blocco;
    if (!NuovoProgetto(true))
        return;
    // The editor may hold a line of the project just closed.
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::comandi);
    InitProgetto();
    NomeProgetto = BaseProgetto(prj);
    impostaCaption(NomeProgetto);

    // Register names and types of the user rows.
    for (int r = std::max<int>(PrimoRegUtente, 0); r <= NumRegistri && r < kRigheRegistri; ++r) {
        TabellaRegistri[std::size_t(r)].Nome = letto->nomi[std::size_t(r)];
        TabellaRegistri[std::size_t(r)].Formato = letto->formati[std::size_t(r)];
    }
    emit Notifiche::istanza().registriCambiati();

    NumTabelle = letto->numTabelle;
    Tabelle = letto->tabelle;
    AllocaTabelle();

    // The blank line of the empty project makes room for the lines read. Its removal
    // is no edit of the user's: nothing is left to restore.
    CancellaRung(RungCorrente);
    AzzeraUndo();
    Sezione& sezione = Sezioni[std::size_t(SubCorrente)];
    QStringList nonRicodificate;
    for (std::size_t i = 0; i < letto->righe.size(); ++i) {
        if (!AggiungiRung())
            break;
        RungCorrente = sezione.NumRung;
        const int riga = RungCorrente;
        sezione.Rung[std::size_t(riga)] = letto->righe[i];
        ImpostaDescrizione(SubCorrente, riga, letto->righe[i].Descrizione);
        AggiornaRiga(riga, [&](RigaLadder& r) { r.txt_Label.caption = letto->righe[i].Etichetta; });
        // A blank line stays blank: rebuilding it would make it a read of register 0.
        if (letto->righe[i].Classe == 0 || !RicodificaRungHook)
            continue;
        const QString rifiuto = RicodificaRungHook(riga);
        if (!rifiuto.isEmpty()) {
            // Kept whole for the user to mend; the compile refuses it meanwhile.
            Rung& linea = sezione.Rung[std::size_t(riga)];
            linea = letto->righe[i];
            linea.Rifiuto = rifiuto;
            nonRicodificate << QString::number(riga);
        }
    }
    if (!nonRicodificate.isEmpty()) {
        LogStart();
        LogWrite(QStringLiteral("Lines kept as read from the file: ") + nonRicodificate.join(
                                                                            QStringLiteral(", ")));
    }

    PagineDisplay = letto->pagine;
    RungCorrente = sezione.NumRung;
    ImpostaScroll(0);
    FileProgetto = prj;
}

} // namespace ludra
