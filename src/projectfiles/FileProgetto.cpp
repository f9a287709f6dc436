#include "projectfiles/FileProgetto.h"

#include "base/BarraStato.h"
#include "base/Finestre.h"
#include "base/Log.h"
#include "base/Notifiche.h"
#include "display/EditorPagine.h"
#include "display/Pannello.h"
#include "fbeditor/Ricodifica.h"
#include "ladder/VistaLadder.h"
#include "ladder/OperazioniRung.h"
#include "platform/Dialogs.h"
#include "platform/InsiemeFile.h"
#include "platform/LetturaFile.h"
#include "platform/LimiteNomi.h"
#include "platform/LocaleSistema.h"
#include "base/FormatoFile.h"
#include "projectfiles/NuovoProgetto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <limits>

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

QByteArray testoScritto(const ScrittoreRighe& w, QString* errore)
{
    if (errore)
        *errore = w.errore();
    return w.byte();
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

QByteArray TestoPrj(const ContenutoProgetto& c, QString* errore)
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
    return testoScritto(w, errore);
}

QByteArray TestoLst(const ContenutoProgetto& c, QString* errore)
{
    ScrittoreRighe w;
    const int ultimo = std::clamp<int>(NumRegistri, 0, kRigheRegistri - 1);
    for (int r = 0; r <= ultimo; ++r) {
        w.testo(c.nomi[std::size_t(r)]);
        w.intero(c.formati[std::size_t(r)]);
    }
    return testoScritto(w, errore);
}

QByteArray TestoPtb(const ContenutoProgetto& c, QString* errore)
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
    return testoScritto(w, errore);
}

QByteArray TestoDsp(const ContenutoProgetto& c, QString* errore)
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
    return testoScritto(w, errore);
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
            for (const QString& n : EntroIlPannello(d))
                c.note << QStringLiteral(".dsp, page %1, object %2: %3")
                              .arg(p + 1)
                              .arg(VoceOggetto(o, d), n);
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

constexpr std::array<const char*, 4> kEstensioni = {".prj", ".lst", ".ptb", ".dsp"};

// Where the symbolic links of `nome` lead: a save replaces that file, so a link stays a
// link. A link that leads to no file goes into `interrotti`: a save would make that file,
// wherever the link points.
QString fileFinale(const QString& nome, QStringList* interrotti)
{
    QFileInfo info(nome);
    if (interrotti && info.isSymLink() && !info.exists())
        *interrotti << nome;
    for (int passi = 0; passi < 128 && info.isSymLink(); ++passi)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? nome : info.filePath();
}

// The companion `nome` of the project file `prj` as it is in their folder: that name when
// it is there, else the name that differs from it only in case, as a file system that
// ignores case leaves them (the first in code order when several do, and `note` says so).
// Beside another project whose name differs only in case, which of them such a file
// belongs to cannot be told: each takes only its own names.
QString compagno(const QString& nome, const QString& prj, QStringList* note)
{
    const QFileInfo info(nome);
    if (info.exists() || info.isSymLink())
        return nome;
    const QStringList presenti = info.dir().entryList(QDir::Files | QDir::Hidden);
    const QString proprio = QFileInfo(prj).fileName();
    QStringList simili;
    for (const QString& f : presenti) {
        if (f != proprio && f.compare(proprio, Qt::CaseInsensitive) == 0)
            return nome;
        if (f.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            simili << f;
    }
    if (simili.isEmpty())
        return nome;
    std::sort(simili.begin(), simili.end());
    if (simili.size() > 1 && note)
        *note << QStringLiteral("%1: %2 differ from it only in case; %3 was taken")
                     .arg(nome, simili.join(u", "), simili[0]);
    return info.dir().filePath(simili[0]);
}

// The status-bar panel that names what runs; no sequence of the link runs while a save or
// an open waits, as neither waits inside another wait.
constexpr int kPannelloAttesa = 5;

// A save or an open that waits for another Ludra process says so in the Log, and in the
// status bar while it waits.
void attesaAltri(const QString& testo)
{
    if (!testo.isEmpty()) {
        LogStart();
        LogWrite(testo);
    }
    BarraStato::istanza().setPannello(kPannelloAttesa, testo);
}

// The project's four files, where their links lead: the .prj, and the others beside the
// file it leads to, named after it (after the link when that file is otherwise named),
// found as `compagno` finds them. Open and save take the same names, so a save writes
// back to the files the open read. The markers and the lock of a save go beside the
// .prj, named after its whole name, so "Plant.prj" and "Plant.PRJ" share none.
platform::InsiemeFile fileDelProgetto(const QString& prj, QStringList* note,
                                      QStringList* interrotti = nullptr)
{
    const QString proprio = nomeFile(prj, kEstensioni[0]);
    const QString finale = fileFinale(proprio, interrotti);
    const QString base = finale.endsWith(QLatin1String(".prj"), Qt::CaseInsensitive)
                             ? finale
                             : QFileInfo(finale).dir().filePath(QFileInfo(proprio).fileName());
    platform::InsiemeFile file{base, base.chopped(kLungFinale), {finale}, attesaAltri, {finale}};
    for (std::size_t i = 1; i < kEstensioni.size(); ++i) {
        file.nomi.push_back(compagno(nomeFile(base, kEstensioni[i]), base, note));
        file.file.push_back(fileFinale(file.nomi.back(), interrotti));
    }
    return file;
}

// The links that lead to no file, each with where it points.
QString linkInterrotti(const QStringList& interrotti)
{
    QStringList righe;
    for (const QString& l : interrotti)
        righe << QStringLiteral("%1: a symbolic link to %2, which does not exist")
                     .arg(l, QFileInfo(l).symLinkTarget());
    return righe.join(u'\n')
           + QStringLiteral("\nA save makes no file through a link: make it lead to the "
                            "project's file, or remove it, then save again.");
}

} // namespace

bool ScriviFileProgetto(const QString& prj, const ContenutoProgetto& c, QString& errore,
                        QStringList* note, const std::function<bool(const QStringList&)>& altrui,
                        int* codice)
{
    QStringList proprie, interrotti;
    const platform::InsiemeFile file = fileDelProgetto(prj, nullptr, &interrotti);
    if (!interrotti.isEmpty()) {
        errore = linkInterrotti(interrotti);
        return false;
    }
    if (!platform::NomiEntroLimite(file, errore))
        return false;
    // A character the code page lacks would be written as "?": the save writes nothing.
    std::vector<QByteArray> testi;
    for (const auto testo : {TestoPrj, TestoLst, TestoPtb, TestoDsp}) {
        QString fuori;
        testi.push_back(testo(c, &fuori));
        if (!fuori.isEmpty()) {
            const std::size_t i = testi.size() - 1;
            errore = (i == 0 || i >= file.nomi.size() ? prj : file.nomi[i]) + QStringLiteral(", ")
                     + fuori;
            return false;
        }
    }
    // Without their .prj the other files of the name are no project's that can be told:
    // another program's, or left over.
    QStringList presenti;
    if (altrui && !QFileInfo::exists(file.file[0]))
        for (std::size_t i = 1; i < file.file.size(); ++i)
            if (QFileInfo::exists(file.file[i]))
                presenti << file.file[i];
    if (!presenti.isEmpty() && !altrui(presenti))
        return false;
    return platform::SostituisciInsieme(file, testi, errore, note ? *note : proprie, codice);
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

std::optional<ContenutoProgetto> LeggiFileProgetto(const QString& prj, QString& errore,
                                                   QStringList* note, QString* avviso)
{
    QStringList proprie, lette;
    QStringList& dette = note ? *note : proprie;
    const platform::InsiemeFile file = fileDelProgetto(prj, &dette);
    ContenutoProgetto c;
    // Read again whole should a save of another process begin meanwhile.
    const auto leggi = [&](const std::vector<QString>& nomi, QString& guasto) {
        c = ContenutoProgetto{};
        lette.clear();
        // Parts of the model a file does not hold read as empty: no user register names,
        // registers of type Int, no tables, one page without objects.
        c.formati.fill(1);
        c.pagine.NumPagine = 1;
        using Lettore = bool (*)(const QByteArray&, ContenutoProgetto&, QString&);
        constexpr std::array<Lettore, 4> lettori = {LeggiPrj, LeggiLst, LeggiPtb, LeggiDsp};
        for (std::size_t i = 0; i < lettori.size(); ++i) {
            // A file the project the disk proves does not have reads as missing.
            const QString& nome = nomi[i].isEmpty() ? file.file[i] : nomi[i];
            QByteArray dati;
            switch (nomi[i].isEmpty() ? Lettura::Manca : leggiFile(nome, dati, guasto)) {
            case Lettura::Errore:
                return false;
            case Lettura::Manca:
                if (i == 0) {
                    guasto = QStringLiteral("%1: the file does not exist").arg(nome);
                    return false;
                }
                lette << QStringLiteral("%1: the file does not exist, read as empty").arg(nome);
                continue;
            case Lettura::Letto:
                break;
            }
            QString perche;
            if (!lettori[i](dati, c, perche)) {
                guasto = QFileInfo(BaseProgetto(prj)).fileName() + perche;
                return false;
            }
        }
        return true;
    };
    QString proprio;
    const bool letto =
        platform::LeggiInsieme(file, leggi, errore, dette, avviso ? *avviso : proprio);
    dette << lette << c.note;
    if (!letto)
        return std::nullopt;
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

// One report in the Log of what a save or an open found, and of its failure.
void scriviNote(const QStringList& note, const QString& fallito)
{
    if (note.isEmpty() && fallito.isEmpty())
        return;
    LogStart();
    for (const QString& n : note)
        LogWrite(n);
    if (!fallito.isEmpty())
        LogWrite(fallito);
}

// A save the system refused, in the user's words: the project's folder and file as
// chosen, the cause, and what to do. The names of the files a save makes beside them and
// the system's own text are for the Log. Empty where the cause is not the folder's.
QString parolePerUtente(const QString& prj, int codice)
{
    const QFileInfo info(prj);
    QString causa, fare = QStringLiteral("Choose a folder you can write to, then save again.");
    switch (codice) {
    case ENOENT:
    case ENOTDIR:
        if (info.dir().exists())
            return {};
        causa = QStringLiteral("the folder does not exist");
        break;
    case EROFS:
        causa = QStringLiteral("the folder is read-only");
        break;
    case EACCES:
    case EPERM:
        causa = QStringLiteral("permission denied: you may not write there");
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        causa = codice == EFBIG ? QStringLiteral("the file is too large for the disk")
                                : QStringLiteral("the disk is full");
        fare = QStringLiteral("Make room on the disk, or choose another folder, then save again.");
        break;
    default:
        causa = platform::TestoErrore(codice);
        fare = QStringLiteral("Check the disk, or choose another folder, then save again.");
    }
    return QStringLiteral("The project was not saved: %1.\nFolder: %2\nFile: %3\n\n%4\nThe "
                          "files on the disk are as they were; the Log tells what the system "
                          "refused.")
        .arg(causa, QDir::toNativeSeparators(info.path()), info.fileName(), fare);
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
    const bool dialogo = percorso.isEmpty() || ask;
    if (dialogo) {
        const QString scelto = sceltaFile(true);
        if (scelto.isEmpty())
            return false;   // cancelled: nothing written, FileProgetto kept
        percorso = scelto;
    }
    const QString prj = PercorsoPrj(percorso);
    // A name chosen anew may be that of files of another program, or of a project whose
    // .prj has gone: they are replaced only when the user says so.
    bool rinuncia = false;
    std::function<bool(const QStringList&)> altrui;
    if (dialogo)
        altrui = [&](const QStringList& presenti) {
            rinuncia = platform::msgBox(
                           QStringLiteral("%1 does not exist, but these files of its name do, "
                                          "and the save would replace them:\n%2\n\nReplace them?")
                               .arg(prj, presenti.join(u'\n')),
                           platform::MsgButtons::YesNo, platform::MsgIcon::Question)
                       != platform::MsgResult::Yes;
            return !rinuncia;
        };
    QString errore;
    QStringList note;
    int codice = 0;
    const bool salvato =
        ScriviFileProgetto(prj, ContenutoCorrente(), errore, &note, altrui, &codice);
    if (rinuncia)
        return false;
    scriviNote(note, salvato ? QString() : QStringLiteral("Project not saved: ") + errore);
    if (!salvato) {
        const QString parole = codice ? parolePerUtente(prj, codice) : QString();
        platform::msgBox(parole.isEmpty() ? QStringLiteral("The project was not saved.\n") + errore
                                          : parole,
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return false;
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
    // Then the save question, and only then the files: a save of the project being
    // edited under the name chosen is what the open reads.
    if (!OffriSalvataggio())
        return;
    const QString prj = PercorsoPrj(scelto);
    QString errore, avviso;
    QStringList note;
    const std::optional<ContenutoProgetto> letto = LeggiFileProgetto(prj, errore, &note, &avviso);
    scriviNote(note, QString());
    if (!letto) {
        platform::msgBox(QStringLiteral("The project cannot be opened.\n") + errore
                             + (avviso.isEmpty() ? QString() : QStringLiteral("\n\n") + avviso),
                         platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return;
    }
    // The lines are read in with the window's updates held back: it redraws once, and
    // the window stays, from the project closed to the one opened.
    const AggiornamentoInBlocco blocco;
    ChiudiProgetto(true);
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
    if (!avviso.isEmpty())
        platform::msgBox(QStringLiteral("The project was opened; what a save cut off left "
                                        "is not all tidied.\n") + avviso,
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

} // namespace ludra
