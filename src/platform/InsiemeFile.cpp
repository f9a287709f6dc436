#include "platform/InsiemeFile.h"

#include "platform/BloccoInsieme.h"
#include "platform/PassiFile.h"
#include "platform/RipresaInsieme.h"
#include "platform/VerbaleInsieme.h"

#include <QFileInfo>
#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace ludra::platform {

using namespace passi;

namespace {

const QLatin1String kSegni[] = {kRimetti, kSalva, kFinisci, kDisfa};

// Takes the set's lock; false with `errore` when another process held it too long.
bool blocca(BloccoInsieme& blocco, const InsiemeFile& insieme, bool crea, bool& senzaFile,
            QString& errore, QStringList& note)
{
    QString perche;
    struct stat st {};
    if (::stat(nativo(insieme.file[0]).constData(), &st) != 0)
        st.st_mode = 0666, st.st_gid = gid_t(-1);
    switch (blocco.prendi(insieme.segno + kBlocco, crea, st.st_mode & 0666, insieme.attesa,
                          perche, st.st_gid)) {
    case BloccoInsieme::Esito::Occupato:
        errore = perche;
        return false;
    case BloccoInsieme::Esito::SenzaFile:
        senzaFile = true;
        break;
    case BloccoInsieme::Esito::SenzaBlocco:
        if (!perche.isEmpty())
            note << perche;
        break;
    case BloccoInsieme::Esito::Preso:
        break;
    }
    return true;
}

// A marker left as it was gives way to this save, which writes the whole set anew, and
// so do the side files it names: each "~new" whatever it holds, each "~old" that holds
// the text it replaced. A "~new" that no marker names is in the way, and not this save's
// to remove: false with `errore`, nothing removed.
bool sgombra(const InsiemeFile& insieme, QString& errore, QStringList& note)
{
    const std::size_t n = insieme.file.size();
    QStringList vecchiSegni, daTogliere;
    std::vector<Verbale> verbali, precedenti;
    for (const QLatin1String segno : kSegni)
        if (const QString m = insieme.segno + segno; esiste(m)) {
            Verbale v, p;
            if (QString illeggibile; LeggiVerbale(m, v, illeggibile, &p) && v.size() == n)
                verbali.push_back(v);
            if (p.size() == n)
                precedenti.push_back(p);
            vecchiSegni << m;
        }
    for (std::size_t i = 0; i < n; ++i) {
        const QString& f = insieme.file[i];
        const QString nome = nomeNelVerbale(insieme, i), nuovo = f + kNuovo;
        for (const Verbale& v : verbali)
            if (StessoNome(v[i].file, nome) && Trova(f + kVecchio, v[i]).vecchio)
                daTogliere << f + kVecchio;
        if (!esiste(nuovo))
            continue;
        const bool suo = std::any_of(verbali.begin(), verbali.end(), [&](const Verbale& v) {
            return StessoNome(v[i].file, nome) && Trova(nuovo, v[i]).regolare;
        }) || std::any_of(precedenti.begin(), precedenti.end(), [&](const Verbale& v) {
            return v[i].file == f && Trova(nuovo, v[i]).nuovo;
        });
        if (!suo) {
            errore = QStringLiteral("%1: a file of that name is in the way, and no save of this "
                                    "project is known to have left it; move it away, then save "
                                    "again").arg(nuovo);
            return false;
        }
        daTogliere << nuovo;
    }
    for (const QString& t : daTogliere + vecchiSegni)
        if (!rimuovi(t)) {
            errore = guasto(t);
            return false;
        }
    for (const QString& m : vecchiSegni)
        note << QStringLiteral("%1: replaced by this save's").arg(m);
    return true;
}

// In a folder with its sticky bit set only a file's owner (or the folder's) may rename
// another file over it: the save would commit and then fail at its renames.
bool diAltri(const QString& f, const struct stat& st)
{
    const uid_t io = ::geteuid();
    struct stat cartella {};
    return io != 0 && st.st_uid != io
           && ::stat(nativo(QFileInfo(f).absolutePath()).constData(), &cartella) == 0
           && (cartella.st_mode & S_ISVTX) && cartella.st_uid != io;
}

// Whether every file holds what this save writes: a save whose marker another process
// finished (where there is no lock to keep it out) has saved all the same.
bool salvatoDaAltri(const InsiemeFile& insieme, const Verbale& verbale)
{
    for (std::size_t i = 0; i < verbale.size(); ++i)
        if (!Trova(insieme.file[i], verbale[i]).nuovo)
            return false;
    return true;
}

// This save's marker, taken by another process (no lock keeps it out) to undo it or,
// after the commit, to finish it: the save answers by what the disk holds. Once
// committed it only ever goes forward, so while the marker is taken to finish, the save
// puts its own new texts in place where they are not yet; before, it removes its side
// files the other left.
bool dopoAltri(const InsiemeFile& insieme, const Verbale& verbale, bool impegnato,
               const QString& motivo, QString& errore, QStringList& note, int& causa)
{
    causa = 0;
    const bool finisce = impegnato && esiste(insieme.segno + kFinisci);
    for (std::size_t i = 0; i < verbale.size(); ++i) {
        const QString &f = insieme.file[i], nuovo = f + kNuovo, vecchio = f + kVecchio;
        if (finisce && !Trova(f, verbale[i]).nuovo && Trova(nuovo, verbale[i]).nuovo)
            rinomina(nuovo, f);
        if (impegnato)
            continue;
        if (Trova(nuovo, verbale[i]).nuovo)
            rimuovi(nuovo);
        if (Trova(vecchio, verbale[i]).vecchio)
            rimuovi(vecchio);
    }
    if (salvatoDaAltri(insieme, verbale)) {
        note << QStringLiteral("%1: finished by another Ludra process; the files hold what this "
                               "save wrote").arg(insieme.segno + kSalva);
        return true;
    }
    // The step that failed, its side file and the system's text, are for the Log.
    note << motivo;
    if (!impegnato) {
        errore = QStringLiteral("Another Ludra process, opening or saving this project at the "
                                "same time, undid this save: its files are as they were");
        return false;
    }
    QStringList trovati;
    for (std::size_t i = 0; i < verbale.size(); ++i) {
        const QString& f = insieme.file[i];
        const Trovato t = Trova(f, verbale[i]);
        trovati << (t.nuovo     ? QStringLiteral("%1 holds this save's text").arg(f)
                    : t.vecchio ? QStringLiteral("%1 holds the text it replaced").arg(f)
                                : QStringLiteral("%1 holds neither").arg(f));
    }
    errore = QStringLiteral("Another Ludra process, opening or saving this project at the same "
                            "time, took this save over, and now ") + trovati.join(u", ");
    return false;
}

} // namespace

bool LeggiInsieme(const InsiemeFile& insieme, const LettoreInsieme& leggi, QString& errore,
                  QStringList& note, QString& avviso)
{
    for (int volta = 0;; ++volta) {
        BloccoInsieme blocco;
        bool senzaFile = false;
        const bool marcatore =
            std::any_of(std::begin(kSegni), std::end(kSegni),
                        [&](QLatin1String s) { return esiste(insieme.segno + s); });
        if (!blocca(blocco, insieme, marcatore || volta > 0, senzaFile, errore, note))
            return false;
        std::vector<Lasciato> lasciati;
        std::vector<QString> vista = insieme.file;
        bool letto = false;
        if (senzaFile) {
            // No save of this version has run here, and reading makes no lock file: the
            // files as they are, unless a save began meanwhile (it makes the file first).
            letto = leggi(vista, errore);
            if (esiste(insieme.segno + kBlocco))
                continue;
            segniPrecedenti(insieme, lasciati);
        } else {
            riprendi(insieme, note, lasciati, vista);
            letto = leggi(vista, errore);
        }
        if (lasciati.empty())
            return letto;
        QStringList testi;
        for (const Lasciato& l : lasciati)
            testi << l.testo;
        note << testi;
        const bool interi = std::all_of(lasciati.begin(), lasciati.end(),
                                        [](const Lasciato& l) { return l.intero; });
        QStringList letti;
        for (std::size_t i = 0; i < vista.size(); ++i)
            if (vista[i].isEmpty())
                letti << QStringLiteral("%1 as missing").arg(insieme.file[i]);
            else if (vista[i] != insieme.file[i])
                letti << QStringLiteral("%1 from %2").arg(insieme.file[i], vista[i]);
        testi << (!interi ? QStringLiteral("Nothing of it was finished or undone: the files were "
                                           "read as they are, and may come from two saves.")
                  : letti.isEmpty() ? QString()
                                    : QStringLiteral("The project was read whole as the disk "
                                                     "holds it: %1.").arg(letti.join(u", ")));
        testi.removeAll(QString());
        avviso = testi.join(u'\n')
                 + QStringLiteral("\nCheck the project, then save it to write all four files "
                                  "anew.");
        return letto;
    }
}

bool SostituisciInsieme(const InsiemeFile& insieme, const std::vector<QByteArray>& testi,
                        QString& errore, QStringList& note, int* codice)
{
    int scarto = 0;
    int& causa = codice ? *codice : scarto;
    causa = 0;
    // A step the system refused: its error number, for the user's words.
    const auto guasta = [&](const QString& nome) {
        causa = errno;
        return guasto(nome);
    };
    BloccoInsieme blocco;
    bool senzaFile = false;
    if (!blocca(blocco, insieme, true, senzaFile, errore, note))
        return false;
    std::vector<Lasciato> lasciati;
    std::vector<QString> vista;
    riprendi(insieme, note, lasciati, vista);
    for (const Lasciato& l : lasciati)
        note << l.testo;
    const std::size_t n = insieme.file.size();
    std::vector<std::optional<struct stat>> vecchi(n);
    Verbale verbale;
    for (std::size_t i = 0; i < n; ++i) {
        const QString& f = insieme.file[i];
        verbale.push_back(Voce(nomeNelVerbale(insieme, i), std::nullopt, testi[i]));
        struct stat st {};
        if (::stat(nativo(f).constData(), &st) != 0) {
            if (errno == ENOENT)
                continue;
            errore = guasta(f);
            return false;
        }
        // A pipe would block the save, a folder cannot be replaced by a file.
        if (!S_ISREG(st.st_mode)) {
            errore = QStringLiteral("%1: not a regular file").arg(f);
            return false;
        }
        if (::access(nativo(f).constData(), W_OK) != 0) {
            errore = guasta(f);
            return false;
        }
        if (diAltri(f, st)) {
            errore = QStringLiteral("%1: another user owns it, and in this folder (its sticky "
                                    "bit set) only a file's owner may replace it; ask them to "
                                    "save the project, or save it under another name").arg(f);
            return false;
        }
        for (std::size_t j = 0; j < i; ++j)
            if (vecchi[j] && vecchi[j]->st_dev == st.st_dev && vecchi[j]->st_ino == st.st_ino) {
                errore = QStringLiteral("%1 and %2 are the same file").arg(insieme.file[j], f);
                return false;
            }
        vecchi[i] = st;
        // What it holds, so that a recovery knows it whatever its inode is then.
        verbale.back().vecchio = ImprontaFile(f);
        if (!verbale.back().vecchio) {
            errore = guasta(f);
            return false;
        }
    }

    if (!sgombra(insieme, errore, note))
        return false;

    // The record first: from here anything cut off is undone.
    const QString rimetti = insieme.segno + kRimetti, salva = insieme.segno + kSalva;
    if (!scriviFile(rimetti, TestoVerbale(verbale), vecchi[0] ? &*vecchi[0] : nullptr)) {
        errore = guasta(rimetti);
        return false;
    }
    const QString disfa = insieme.segno + kDisfa;
    std::vector<QString> nessuna;
    // Undoes this save from its marker `da`, taken first to be put back in one rename:
    // where that fails because the marker has gone, another process took it (no lock
    // keeps it out), and the save answers by what the disk holds.
    const auto annulla = [&](const QString& motivo, const QString& da) {
        errore = motivo;
        QString preso = disfa;
        if (!rinomina(da, disfa)) {
            if (!esiste(da))
                return dopoAltri(insieme, verbale, da == salva, motivo, errore, note, causa);
            if (da == salva) {
                causa = 0;
                errore += QStringLiteral("; %1 stays to complete the save later").arg(salva);
                return false;
            }
            preso = da;   // a medium that refuses renames: what can be done is, in place
        }
        QString nonRimesso;
        QStringList rimesse;
        if (chiudi(insieme, preso, false, true, nonRimesso, rimesse, nessuna)
            != Chiusa::Fatto) {
            causa = 0;
            errore += QStringLiteral("; not put back as it was: %1; %2 stays to put it back later")
                          .arg(nonRimesso, preso);
        }
        for (const QString& r : rimesse)
            errore += QStringLiteral("; ") + r;
        return false;
    };
    if (!scaricaCartella(QFileInfo(rimetti).absolutePath()))
        return annulla(guasta(rimetti), rimetti);
    // A file new to the project takes the permissions of its first.
    for (std::size_t i = 0; i < n; ++i)
        if (!scriviFile(insieme.file[i] + kNuovo, testi[i],
                        vecchi[i] ? &*vecchi[i] : vecchi[0] ? &*vecchi[0] : nullptr))
            return annulla(guasta(insieme.file[i]), rimetti);
    QString senzaLink;
    QStringList nonRimettibili;
    for (std::size_t i = 0; i < n; ++i) {
        const QString& f = insieme.file[i];
        if (!vecchi[i] || passo("link", f + kVecchio, [&] {
                return ::link(nativo(f).constData(), nativo(f + kVecchio).constData()) == 0;
            }))
            continue;
        // A second name left before is as good as a new one; a file of the user's stays.
        if (errno == EEXIST && stessoFile(f + kVecchio, f))
            continue;
        // Another file system (a mount) is a fault; a file system without hard links is
        // saved without the way back.
        if (errno == EEXIST)
            note << QStringLiteral("%1: kept, so should the save fail part way, %2 cannot be "
                                   "put back").arg(f + kVecchio, f);
        else if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK)
            return annulla(guasta(f), rimetti);
        else
            senzaLink = perche(), nonRimettibili << f;
    }
    if (!nonRimettibili.isEmpty())
        note << QStringLiteral("No hard links here (%1): should the save fail part way, %2 "
                               "cannot be put back")
                    .arg(senzaLink, nonRimettibili.join(u", "));
    QString scarico;
    if (!scaricaCartelle(insieme, scarico)) {
        causa = errno;
        return annulla(scarico, rimetti);
    }
    // Committed: from here a cut-off save is completed by the next reader.
    if (!rinomina(rimetti, salva))
        return annulla(guasta(salva), rimetti);
    QString mancato;
    if (!scaricaCartella(QFileInfo(salva).absolutePath()))
        mancato = guasta(salva);
    else if (chiudi(insieme, salva, true, true, mancato, note, nessuna) == Chiusa::Fatto)
        return true;
    // Put back only while the marker is this save's alone: taking it fails once another
    // process has taken it to finish it.
    return annulla(mancato, salva);
}

} // namespace ludra::platform
