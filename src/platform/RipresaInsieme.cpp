#include "platform/RipresaInsieme.h"

#include "platform/PassiFile.h"
#include "platform/VerbaleInsieme.h"

#include <QFileInfo>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace ludra::platform::passi {

namespace {

// What finishing or undoing a save takes, every name proven against its record first.
struct Piano {
    std::vector<std::pair<QString, QString>> rinomine;   // each from, to
    QStringList tolti;    // removed with the renames: new texts, files that had no old one
    QStringList poi;      // removed once the renames are on disk: the old files kept aside
    QStringList note;     // files that cannot be put back, names left as they were
};

// Proves, file by file, that the disk holds what the save recorded in `verbale` left,
// and plans completing it (`avanti`) or undoing it; false with `perche` at the first name
// that does not match. A name that matches nothing of the record is no part of the plan.
bool pianifica(const InsiemeFile& insieme, const Verbale& verbale, bool avanti, Piano& piano,
               QString& perche)
{
    if (verbale.size() != insieme.file.size()) {
        perche = QStringLiteral("it records %1 files, the project has %2")
                     .arg(verbale.size()).arg(insieme.file.size());
        return false;
    }
    for (std::size_t i = 0; i < verbale.size(); ++i) {
        const VoceVerbale& v = verbale[i];
        const QString& f = insieme.file[i];
        if (v.file != f) {
            perche = QStringLiteral("it names %1, where the project's file is now %2")
                         .arg(v.file, f);
            return false;
        }
        const Trovato file = Trova(f, v), nuovo = Trova(f + kNuovo, v);
        const bool legato = Trova(f + kVecchio, v) == Trovato::Vecchio;
        const bool intatto = file == (v.vecchio ? Trovato::Vecchio : Trovato::Assente);
        if (!intatto && file != Trovato::Nuovo) {
            perche =
                QStringLiteral("%1 is neither the file it replaces nor the text it wrote").arg(f);
            return false;
        }
        if (avanti && intatto && nuovo != Trovato::Nuovo) {
            perche = QStringLiteral("%1 does not hold the text it wrote").arg(f + kNuovo);
            return false;
        }
        if (avanti && intatto)
            piano.rinomine.emplace_back(f + kNuovo, f);
        else if (nuovo == Trovato::Nuovo || nuovo == Trovato::Vuoto)
            piano.tolti << f + kNuovo;
        else if (nuovo == Trovato::Altro)
            piano.note << QStringLiteral("%1: not the text the save wrote, left as it is")
                              .arg(f + kNuovo);
        if (!avanti && file == Trovato::Nuovo) {
            if (legato)
                piano.rinomine.emplace_back(f + kVecchio, f);
            else if (!v.vecchio)
                piano.tolti << f;
            else
                piano.note << QStringLiteral("%1: replaced, and with no hard link it cannot "
                                             "be put back").arg(f);
        } else if (legato) {
            piano.poi << f + kVecchio;
        }
    }
    return true;
}

// Carries out a plan, then removes the marker; false with `perche` naming each file it
// could not move or remove: the marker then stays, for the next try.
bool esegui(const InsiemeFile& insieme, const Piano& piano, const QString& marcatore,
            QString& perche, QStringList& note)
{
    QStringList mancati;
    for (const auto& [da, a] : piano.rinomine)
        if (!rinomina(da, a))
            mancati << guasto(a);
    for (const QString& t : piano.tolti)
        if (!rimuovi(t))
            mancati << guasto(t);
    if (!mancati.isEmpty()) {
        perche = mancati.join(u"; ");
        return false;
    }
    if (!scaricaCartelle(insieme, perche))
        return false;
    note << piano.note;
    // An old file kept aside that cannot go keeps the marker that proves it a save's, so
    // the next try removes it; a second name of a file loses nothing where it stays.
    bool tieni = false;
    for (const QString& t : piano.poi)
        if (!rimuovi(t)) {
            note << QStringLiteral("%1; it could not be removed").arg(guasto(t));
            tieni = tieni || !stessoFile(t, t.chopped(kVecchio.size()));
        }
    if (tieni || !rimuovi(marcatore))
        note << QStringLiteral("%1: kept, to finish removing what the save left").arg(marcatore);
    scaricaCartella(QFileInfo(marcatore).absolutePath());
    return true;
}

} // namespace

bool chiudi(const InsiemeFile& insieme, const QString& marcatore, bool avanti, QString& perche,
            QStringList& note)
{
    Verbale verbale;
    Piano piano;
    return LeggiVerbale(marcatore, verbale, perche)
           && pianifica(insieme, verbale, avanti, piano, perche)
           && esegui(insieme, piano, marcatore, perche, note);
}

bool segniPrecedenti(const InsiemeFile& insieme, QStringList& lasciati)
{
    bool trovati = false;
    for (const QString& m : {insieme.segnoPrecedente + kSalva, insieme.segnoPrecedente + kRimetti})
        if (esiste(m)) {
            trovati = true;
            lasciati << QStringLiteral("%1: left as it is: an earlier version of Ludra wrote it, "
                                       "and it does not record what its save wrote; remove it "
                                       "once you have checked the project")
                            .arg(m);
        }
    return trovati;
}

void riprendi(const InsiemeFile& insieme, QStringList& note, QStringList& lasciati)
{
    const QString salva = insieme.segno + kSalva, rimetti = insieme.segno + kRimetti;
    bool segnato = segniPrecedenti(insieme, lasciati);
    const bool entrambi = esiste(salva) && esiste(rimetti);
    for (const bool avanti : {true, false}) {
        const QString m = avanti ? salva : rimetti;
        if (!esiste(m))
            continue;
        segnato = true;
        QString perche = QStringLiteral("beside %1: which of them is the save's cannot be told")
                             .arg(avanti ? rimetti : salva);
        struct stat st {};
        // A save cut off as it made its first marker had written nothing else.
        if (!avanti && ::lstat(nativo(m).constData(), &st) == 0 && S_ISREG(st.st_mode)
            && st.st_size == 0 && !entrambi && rimuovi(m)) {
            note << QStringLiteral("%1: a save cut off before it wrote anything, removed").arg(m);
        } else if (!entrambi && chiudi(insieme, m, avanti, perche, note)) {
            note << (avanti ? QStringLiteral("%1: a save cut off after writing its files has "
                                             "been completed")
                            : QStringLiteral("%1: a save that failed part way has been undone"))
                        .arg(m);
        } else {
            lasciati << QStringLiteral("%1: left as it is: %2").arg(m, perche);
        }
    }
    if (segnato)
        return;
    // Without a marker no save's work is on the disk: only second names of a file go.
    for (const QString& f : insieme.file) {
        if (stessoFile(f + kVecchio, f))
            note << (rimuovi(f + kVecchio)
                         ? QStringLiteral("%1: a second name of %2, removed").arg(f + kVecchio, f)
                         : QStringLiteral("%1; it could not be removed").arg(guasto(f + kVecchio)));
        if (esiste(f + kNuovo))
            note << QStringLiteral("%1: no save of this project is known to have left it; "
                                   "left as it is").arg(f + kNuovo);
    }
}

} // namespace ludra::platform::passi
