#include "platform/RipresaInsieme.h"

#include "platform/PassiFile.h"
#include "platform/VerbaleInsieme.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <sys/stat.h>
#include <utility>

namespace ludra::platform::passi {

namespace {

// One file of the set as a record finds it: the file, its "~new" and its "~old".
struct Stato {
    QString f;
    Trovato file, nuovo, vecchio;
    bool sostituito = false;   // the save replaced a file here (else it made one)
    // Holding neither of its texts, the file is the user's: changed or restored after the
    // save was cut off. A file gone whose "~new" or "~old" still holds its text is not: a
    // stick whose rename removes the old name first leaves it so when pulled between.
    bool fermo() const
    {
        return !file.suo()
               && (file.presente || (sostituito && !nuovo.nuovo && !vecchio.vecchio));
    }
    bool completabile() const
    {
        return file.nuovo || (nuovo.nuovo && (file.vecchio || !file.presente));
    }
    bool annullabile() const { return file.vecchio || !sostituito || vecchio.vecchio; }
    // Undoing takes away a file that holds the only copy of its text.
    bool toglie() const { return !sostituito && file.nuovo; }
};

// A rename, and what its target then holds.
struct Rinomina {
    QString da, a;
    VoceVerbale voce;
};

struct Piano {
    bool avanti = true;
    std::vector<Rinomina> rinomine;
    QStringList daParte;   // files undoing takes away
    QStringList tolti;     // the save's "~new" files, whatever they hold
    QStringList poi;       // removed once the renames are on disk: the old texts kept aside
    QStringList fermi;     // files left as the user made them
    QStringList note;      // names left as they were
    std::vector<QString> vista;
};

// Proves, file by file, what the disk holds against `verbale`, and plans completing the
// save or undoing it: the way asked (`fisso`), or the marker's way where the disk allows
// it and else the other; false with `perche` when neither is proven.
bool pianifica(const InsiemeFile& insieme, const Verbale& verbale, bool avanti, bool fisso,
               Piano& piano, QString& perche)
{
    if (verbale.size() != insieme.file.size()) {
        perche = QStringLiteral("it records %1 files, the project has %2")
                     .arg(verbale.size()).arg(insieme.file.size());
        return false;
    }
    std::vector<Stato> stati;
    for (std::size_t i = 0; i < verbale.size(); ++i) {
        const VoceVerbale& v = verbale[i];
        const QString& f = insieme.file[i];
        if (const QString nome = nomeNelVerbale(insieme, i); !StessoNome(v.file, nome)) {
            perche = QStringLiteral("it names %1, where the project's file is now %2")
                         .arg(v.file, nome);
            return false;
        }
        stati.push_back({f, Trova(f, v), Trova(f + kNuovo, v), Trova(f + kVecchio, v),
                         v.vecchio.has_value()});
    }
    const auto tutti = [&](auto prova) {
        return std::all_of(stati.begin(), stati.end(),
                           [&](const Stato& s) { return s.fermo() || (s.*prova)(); });
    };
    const bool completa = tutti(&Stato::completabile), annulla = tutti(&Stato::annullabile);
    const bool pulito = annulla && std::none_of(stati.begin(), stati.end(), [](const Stato& s) {
        return !s.fermo() && s.toglie();
    });
    if (std::all_of(stati.begin(), stati.end(), [](const Stato& s) { return s.fermo(); })) {
        perche = QStringLiteral("no file holds a text it records");
        return false;
    }
    if (fisso)
        piano.avanti = avanti;
    else
        piano.avanti = avanti ? completa || !annulla : !pulito && (completa || !annulla);
    if (!(piano.avanti ? completa : annulla)) {
        QStringList mancano;
        for (const Stato& s : stati)
            if (s.fermo())
                continue;
            else if (piano.avanti && !s.completabile())
                mancano << QStringLiteral("%1 holds the text the save replaced, and %2 not the "
                                          "one it wrote").arg(s.f, s.f + kNuovo);
            else if (!piano.avanti && !s.annullabile())
                mancano << QStringLiteral("%1 holds the text the save wrote, and no copy of the "
                                          "one it replaced is left").arg(s.f);
        perche = mancano.join(QStringLiteral("; "));
        return false;
    }
    for (std::size_t i = 0; i < stati.size(); ++i) {
        const Stato& s = stati[i];
        const QString &f = s.f, nuovo = f + kNuovo, vecchio = f + kVecchio;
        if (s.fermo()) {
            piano.fermi << f;
            piano.vista.push_back(f);
            continue;
        }
        if (piano.avanti && !s.file.nuovo)
            piano.rinomine.push_back({nuovo, f, verbale[i]});
        else if (s.nuovo.regolare)
            piano.tolti << nuovo;
        else if (s.nuovo.presente)
            piano.note << QStringLiteral("%1: not a regular file, left as it is").arg(nuovo);
        if (!piano.avanti && !s.file.vecchio && s.sostituito)
            piano.rinomine.push_back({vecchio, f, verbale[i]});
        else if (!piano.avanti && s.toglie())
            piano.daParte << f;
        else if (s.vecchio.vecchio && s.vecchio.regolare)
            piano.poi << vecchio;
        if (piano.avanti)
            piano.vista.push_back(s.file.nuovo ? f : nuovo);
        else
            piano.vista.push_back(!s.sostituito ? QString() : s.file.vecchio ? f : vecchio);
    }
    return true;
}

// A free name beside `f` to keep it under; none when every one is taken, since renaming
// over one would lose the text kept there.
QString aParte(const QString& f)
{
    QString nome = f + kDaParte;
    for (int n = 2; esiste(nome); ++n) {
        if (n == 1000)
            return {};
        nome = f + kDaParte + QString::number(n);
    }
    return nome;
}

// Carries out a plan, then removes the marker unless a file was the user's; false with
// `perche` naming what was done and each step that failed: the marker then stays, for the
// next try, and nothing is removed unless every rename was made.
bool esegui(const InsiemeFile& insieme, const Piano& piano, const QString& marcatore,
            bool proprio, QString& perche, QStringList& note)
{
    QStringList fatti, mancati;
    const auto fai = [&](bool riuscito, const QString& nome, const QString& detto) {
        riuscito ? void(fatti << detto) : void(mancati << guasto(nome));
    };
    // A file that undoing takes away goes first: cut off after that, every file left
    // still has its old text at hand, and an undoing needs to keep nothing aside.
    for (const QString& f : piano.daParte) {
        // The save itself still holds the text; a recovery keeps the only copy of it.
        if (proprio) {
            fai(rimuovi(f), f, QStringLiteral("%1 removed").arg(f));
        } else {
            const QString daParte = aParte(f);
            if (daParte.isEmpty())
                mancati << QStringLiteral("%1: no free name to keep it aside under").arg(f);
            else
                fai(rinomina(f, daParte), daParte,
                    QStringLiteral("%1 kept aside as %2").arg(f, daParte));
        }
    }
    for (const Rinomina& r : mancati.isEmpty() ? piano.rinomine : decltype(piano.rinomine)()) {
        bool fatto = rinomina(r.da, r.a);
        // Where no lock keeps them out, another process going the same way may have made
        // this very rename: its name gone, and the file holds what it was to hold.
        if (const int e = errno; !fatto && e == ENOENT) {
            const Trovato t = Trova(r.a, r.voce);
            fatto = piano.avanti ? t.nuovo : t.vecchio;
            errno = e;
        }
        fai(fatto, r.a, QStringLiteral("%1 put in place of %2").arg(r.da, r.a));
    }
    for (const QString& t : mancati.isEmpty() ? piano.tolti : QStringList())
        fai(rimuovi(t), t, QStringLiteral("%1 removed").arg(t));
    if (mancati.isEmpty() && !scaricaCartelle(insieme, perche))
        mancati << perche;
    if (!mancati.isEmpty()) {
        const QString fatto = fatti.isEmpty() ? QStringLiteral("nothing was done")
                                              : QStringLiteral("done: ") + fatti.join(u"; ");
        perche = QStringLiteral("not done: %1; %2").arg(mancati.join(u"; "), fatto);
        return false;
    }
    note << piano.note;
    for (const QString& f : fatti)
        if (f.contains(kDaParte))
            note << f + QStringLiteral(": it held the only copy of its text");
    // An old file kept aside that cannot go keeps the marker that proves it a save's, so
    // the next try removes it.
    bool tieni = !piano.fermi.isEmpty();
    for (const QString& t : piano.poi)
        if (!rimuovi(t)) {
            note << QStringLiteral("%1; it could not be removed").arg(guasto(t));
            tieni = true;
        }
    if (tieni && piano.fermi.isEmpty())
        note << QStringLiteral("%1: kept, to finish removing what the save left").arg(marcatore);
    else if (!tieni && !rimuovi(marcatore))
        note << QStringLiteral("%1; it could not be removed").arg(guasto(marcatore));
    scaricaCartella(QFileInfo(marcatore).absolutePath());
    return true;
}

// Whether the disk proves the work of the save `marcatore` records, one way or the other.
bool provato(const InsiemeFile& insieme, const QString& marcatore, bool avanti, QString& perche)
{
    Verbale verbale;
    Piano piano;
    return LeggiVerbale(marcatore, verbale, perche)
           && pianifica(insieme, verbale, avanti, false, piano, perche);
}

} // namespace

Chiusa chiudi(const InsiemeFile& insieme, const QString& marcatore, bool avanti, bool proprio,
              QString& perche, QStringList& note, std::vector<QString>& vista)
{
    vista.clear();
    Verbale verbale;
    Piano piano;
    if (!LeggiVerbale(marcatore, verbale, perche)
        || !pianifica(insieme, verbale, avanti, proprio, piano, perche))
        return Chiusa::Niente;
    const bool fatto = esegui(insieme, piano, marcatore, proprio, perche, note);
    // What each file's text is under now, the way chosen, however far it went. Done
    // whole, that is each file under its own name (none for one an undoing took away),
    // known without reading the files again; else the disk tells.
    if (fatto && piano.fermi.isEmpty()) {
        for (std::size_t i = 0; i < verbale.size(); ++i)
            vista.push_back(piano.avanti || verbale[i].vecchio ? insieme.file[i] : QString());
    } else {
        Piano dopo;
        QString ignoto;
        vista = pianifica(insieme, verbale, piano.avanti, true, dopo, ignoto) ? dopo.vista
                                                                              : insieme.file;
    }
    const QString via = piano.avanti ? QStringLiteral("completed") : QStringLiteral("undone");
    if (!fatto) {
        perche = QStringLiteral("the save it records could not be %1: %2").arg(via, perche);
        return Chiusa::Lasciato;
    }
    if (piano.fermi.isEmpty()) {
        perche = via;
        return Chiusa::Fatto;
    }
    perche = QStringLiteral("%1 held neither the text that save replaced nor the one it wrote "
                            "(changed after it was cut off), and stayed as it was; the rest of "
                            "the project has been %2")
                 .arg(piano.fermi.join(QStringLiteral(", ")), via);
    return Chiusa::Lasciato;
}

bool segniPrecedenti(const InsiemeFile& insieme, std::vector<Lasciato>& lasciati)
{
    bool trovati = false;
    for (const QString& m : {insieme.segnoPrecedente + kSalva, insieme.segnoPrecedente + kRimetti})
        if (esiste(m)) {
            trovati = true;
            lasciati.push_back({QStringLiteral("%1: left as it is: an earlier version of Ludra "
                                               "wrote it, and it does not record what its save "
                                               "wrote; remove it once you have checked the "
                                               "project").arg(m)});
        }
    return trovati;
}

void riprendi(const InsiemeFile& insieme, QStringList& note, std::vector<Lasciato>& lasciati,
              std::vector<QString>& vista)
{
    vista = insieme.file;
    // In the order a save and a recovery rename them: one renamed as they are looked at
    // is found under its new name.
    const std::array<QString, 4> segni = {insieme.segno + kRimetti, insieme.segno + kSalva,
                                          insieme.segno + kFinisci, insieme.segno + kDisfa};
    bool segnato = segniPrecedenti(insieme, lasciati);
    // Each time another process commits or takes the marker first, it is looked at again.
    for (int volta = 0; volta < 4; ++volta) {
        QStringList presenti;
        for (const QString& m : segni)
            if (esiste(m))
                presenti << m;
        if (presenti.isEmpty())
            break;
        segnato = true;
        if (presenti.size() > 1) {
            for (const QString& m : presenti) {
                QStringList altri = presenti;
                altri.removeAll(m);
                lasciati.push_back({QStringLiteral("%1: left as it is: beside %2: which of them "
                                                   "is the save's cannot be told")
                                        .arg(m, altri.join(u", "))});
            }
            break;
        }
        const QString m = presenti[0];
        // Taken, each is what it was taken as.
        const bool avanti = m == segni[1] || m == segni[2];
        struct stat st {};
        // A save cut off as it made its first marker had written nothing else.
        if (m == segni[0] && ::lstat(nativo(m).constData(), &st) == 0 && S_ISREG(st.st_mode)
            && st.st_size == 0 && rimuovi(m)) {
            note << QStringLiteral("%1: a save cut off before it wrote anything, removed").arg(m);
            break;
        }
        QString perche, dove = m;
        std::vector<QString> letti;
        Chiusa chiusa = Chiusa::Niente;
        if (provato(insieme, m, avanti, perche)) {
            // Taken first: the save's commit and its way back, and any other process, then
            // find it taken. One that cannot be proven stays as it is, under its name. The
            // plan is made again once it is taken: the disk may have moved in between.
            if ((m == segni[0] || m == segni[1])
                && !rinomina(m, dove = segni[avanti ? 2 : 3])) {
                if (!esiste(m))
                    continue;
                dove = m;   // a medium that refuses it refuses the rest, and says so below
            }
            chiusa = chiudi(insieme, dove, avanti, false, perche, note, letti);
        }
        const QString nome = dove == m ? m : QStringLiteral("%1 (now %2)").arg(m, dove);
        if (chiusa == Chiusa::Fatto)
            note << (perche != (avanti ? QStringLiteral("completed") : QStringLiteral("undone"))
                         ? QStringLiteral("%1: a save cut off has been %2, the only way the files "
                                          "allowed").arg(m, perche)
                     : avanti ? QStringLiteral("%1: a save cut off after writing its files has "
                                               "been completed").arg(m)
                              : QStringLiteral("%1: a save that failed part way has been "
                                               "undone").arg(m));
        else if (chiusa == Chiusa::Niente)
            lasciati.push_back({QStringLiteral("%1: left as it is: %2").arg(nome, perche)});
        else
            lasciati.push_back({QStringLiteral("%1: left: %2").arg(nome, perche), true});
        if (!letti.empty())
            vista = letti;
        break;
    }
    if (segnato)
        return;
    // Without a marker no save's work is on the disk: only second names of a file go,
    // and copies that hold what it holds.
    for (const QString& f : insieme.file) {
        const QString vecchio = f + kVecchio;
        // Read only where the names are not one file already.
        const auto stessoTesto = [&] {
            const std::optional<Impronta> testo =
                esiste(vecchio) ? ImprontaFile(vecchio) : std::nullopt;
            return testo && !testo->sha.isEmpty() && testo == ImprontaFile(f);
        };
        if (stessoFile(vecchio, f) || stessoTesto())
            note << (rimuovi(vecchio)
                         ? QStringLiteral("%1: a second name of %2, removed").arg(vecchio, f)
                         : QStringLiteral("%1; it could not be removed").arg(guasto(vecchio)));
        if (esiste(f + kNuovo))
            note << QStringLiteral("%1: no save of this project is known to have left it; "
                                   "left as it is").arg(f + kNuovo);
    }
}

} // namespace ludra::platform::passi
