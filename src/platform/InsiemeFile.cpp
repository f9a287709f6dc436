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

// Takes the set's lock; false with `errore` when another process held it too long.
bool blocca(BloccoInsieme& blocco, const InsiemeFile& insieme, bool crea, bool& senzaFile,
            QString& errore, QStringList& note)
{
    QString perche;
    struct stat st {};
    const mode_t modo =
        ::stat(nativo(insieme.file[0]).constData(), &st) == 0 ? st.st_mode & 0666 : 0666;
    switch (blocco.prendi(insieme.segno + kBlocco, crea, modo, insieme.attesa, perche)) {
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
// so do the new texts it recorded; any other "~new" is in the way, and not this save's to
// remove: false with `errore`, nothing removed.
bool sgombra(const InsiemeFile& insieme, QString& errore, QStringList& note)
{
    const std::size_t n = insieme.file.size();
    QStringList vecchiSegni, daTogliere;
    std::vector<Verbale> verbali;
    for (const QString& m : {insieme.segno + kSalva, insieme.segno + kRimetti})
        if (esiste(m)) {
            Verbale v;
            if (QString illeggibile; LeggiVerbale(m, v, illeggibile) && v.size() == n)
                verbali.push_back(v);
            vecchiSegni << m;
        }
    for (std::size_t i = 0; i < n; ++i) {
        const QString nuovo = insieme.file[i] + kNuovo;
        if (!esiste(nuovo))
            continue;
        const bool lasciato = std::any_of(verbali.begin(), verbali.end(), [&](const Verbale& v) {
            return v[i].file == insieme.file[i] && Trova(nuovo, v[i]) == Trovato::Nuovo;
        });
        if (!lasciato) {
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

} // namespace

bool LeggiInsieme(const InsiemeFile& insieme, const std::function<bool(QString& errore)>& leggi,
                  QString& errore, QStringList& note, QString& avviso)
{
    for (int volta = 0;; ++volta) {
        BloccoInsieme blocco;
        bool senzaFile = false;
        const bool marcatore = esiste(insieme.segno + kSalva) || esiste(insieme.segno + kRimetti);
        if (!blocca(blocco, insieme, marcatore || volta > 0, senzaFile, errore, note))
            return false;
        QStringList lasciati;
        bool letto = false;
        if (senzaFile) {
            // No save of this version has run here, and reading makes no lock file: the
            // files as they are, unless a save began meanwhile (it makes the file first).
            letto = leggi(errore);
            if (esiste(insieme.segno + kBlocco))
                continue;
            segniPrecedenti(insieme, lasciati);
        } else {
            riprendi(insieme, note, lasciati);
            letto = leggi(errore);
        }
        if (!lasciati.isEmpty()) {
            note << lasciati;
            avviso = lasciati.join(u'\n')
                     + QStringLiteral("\nNothing of it was finished or undone: the files were "
                                      "read as they are, and may come from two saves. Check the "
                                      "project, then save it to write all four files anew.");
        }
        return letto;
    }
}

bool SostituisciInsieme(const InsiemeFile& insieme, const std::vector<QByteArray>& testi,
                        QString& errore, QStringList& note)
{
    BloccoInsieme blocco;
    bool senzaFile = false;
    if (!blocca(blocco, insieme, true, senzaFile, errore, note))
        return false;
    QStringList lasciati;
    riprendi(insieme, note, lasciati);
    note << lasciati;
    const std::size_t n = insieme.file.size();
    std::vector<std::optional<struct stat>> vecchi(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QString& f = insieme.file[i];
        struct stat st {};
        if (::stat(nativo(f).constData(), &st) != 0) {
            if (errno == ENOENT)
                continue;
            errore = guasto(f);
            return false;
        }
        // A pipe would block the save, a folder cannot be replaced by a file.
        if (!S_ISREG(st.st_mode)) {
            errore = QStringLiteral("%1: not a regular file").arg(f);
            return false;
        }
        if (::access(nativo(f).constData(), W_OK) != 0) {
            errore = guasto(f);
            return false;
        }
        for (std::size_t j = 0; j < i; ++j)
            if (vecchi[j] && vecchi[j]->st_dev == st.st_dev && vecchi[j]->st_ino == st.st_ino) {
                errore = QStringLiteral("%1 and %2 are the same file").arg(insieme.file[j], f);
                return false;
            }
        vecchi[i] = st;
    }

    if (!sgombra(insieme, errore, note))
        return false;

    // The record first: from here anything cut off is undone.
    const QString rimetti = insieme.segno + kRimetti;
    Verbale verbale;
    for (std::size_t i = 0; i < n; ++i)
        verbale.push_back(Voce(insieme.file[i],
                               vecchi[i] ? std::optional<ino_t>(vecchi[i]->st_ino) : std::nullopt,
                               testi[i]));
    if (!scriviFile(rimetti, TestoVerbale(verbale), vecchi[0] ? &*vecchi[0] : nullptr)) {
        errore = guasto(rimetti);
        return false;
    }
    const auto annulla = [&](const QString& motivo) {
        errore = motivo;
        QString nonRimesso;
        QStringList rimesse;
        if (!chiudi(insieme, rimetti, false, nonRimesso, rimesse))
            errore += QStringLiteral("; not put back as it was: %1; %2 stays to put it back later")
                          .arg(nonRimesso, rimetti);
        for (const QString& r : rimesse)
            errore += QStringLiteral("; ") + r;
        return false;
    };
    if (!scaricaCartella(QFileInfo(rimetti).absolutePath()))
        return annulla(guasto(rimetti));
    // A file new to the project takes the permissions of its first.
    for (std::size_t i = 0; i < n; ++i)
        if (!scriviFile(insieme.file[i] + kNuovo, testi[i],
                        vecchi[i] ? &*vecchi[i] : vecchi[0] ? &*vecchi[0] : nullptr))
            return annulla(guasto(insieme.file[i]));
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
            return annulla(guasto(f));
        else
            senzaLink = perche(), nonRimettibili << f;
    }
    if (!nonRimettibili.isEmpty())
        note << QStringLiteral("No hard links here (%1): should the save fail part way, %2 "
                               "cannot be put back")
                    .arg(senzaLink, nonRimettibili.join(u", "));
    QString scarico;
    if (!scaricaCartelle(insieme, scarico))
        return annulla(scarico);
    // Committed: from here a cut-off save is completed by the next reader.
    const QString salva = insieme.segno + kSalva;
    if (!rinomina(rimetti, salva))
        return annulla(guasto(salva));
    QString mancato;
    if (!scaricaCartella(QFileInfo(salva).absolutePath()))
        mancato = guasto(salva);
    else if (chiudi(insieme, salva, true, mancato, note))
        return true;
    if (!rinomina(salva, rimetti)) {
        errore = mancato + QStringLiteral("; %1 stays to complete the save later").arg(salva);
        return false;
    }
    return annulla(mancato);
}

} // namespace ludra::platform
