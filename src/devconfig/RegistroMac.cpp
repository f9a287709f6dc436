#include "devconfig/RegistroMac.h"

#include "link/Conversioni.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/SequenzaDaFinestra.h"
#include "link/StatoLink.h"
#include "platform/BloccoInsieme.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/LetturaFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <algorithm>
#include <limits>

namespace ludra {

namespace {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

const QChar kTab(9);
const QString kFiltroRegistro = QStringLiteral(" (*.csv)|*.csv|(*.*)|*.*|");
const QString kFiltroReport = QStringLiteral(" (*.txt)|*.txt|(*.*)|*.*|");
const QString kMacVuoto = QStringLiteral("FF-FF-FF-FF-FF-FF");

QString righeCrLf(const QStringList& righe)
{
    QString t;
    for (const QString& r : righe)
        t += r + QStringLiteral("\r\n");
    return t;
}

QString pfcAnno(const RecordMac& r) { return r.PFC + QLatin1Char('/') + r.Anno; }

bool selezionato(const RecordMac& r, const SceltaReport& s)
{
    switch (s.criterio) {
    case CriterioReport::PFC: return r.PFC == s.pfc && r.Anno == s.anno;
    case CriterioReport::Cliente: return r.Cliente == s.cliente;
    case CriterioReport::Anno: return r.Anno == s.anno;
    }
    return false;
}

// The register in a file, with the file's text; none with `errore` when it is not one.
std::optional<std::vector<RecordMac>> leggiFile(const QString& nome, QByteArray& dati,
                                                QString& errore)
{
    QFile f(nome);
    if (!platform::ApriFileRegolare(f, errore))
        return std::nullopt;
    if (f.size() > kMaxByteRegistroMac) {
        errore = QStringLiteral("Il file è troppo grande per un elenco MAC.");
        return std::nullopt;
    }
    dati = f.readAll();
    return LeggiRegistroMac(dati, errore);
}

} // namespace

namespace {

// What identifies each line of a register: its MAC and its ID, which no edit changes,
// and among lines holding both alike (a file edited by hand) its place among them. A MAC
// may stand on several lines, each with its own ID and fields.
std::vector<QString> chiaviRighe(const std::vector<RecordMac>& righe)
{
    QHash<QString, int> viste;
    std::vector<QString> chiavi;
    chiavi.reserve(righe.size());
    for (const RecordMac& r : righe) {
        const QString chiave = r.MAC + kTab + QString::number(r.ID);
        chiavi.push_back(chiave + kTab + QString::number(viste[chiave]++));
    }
    return chiavi;
}

QString campiRiga(const RecordMac& r) { return pfcAnno(r) + QLatin1Char(' ') + r.Cliente; }

} // namespace

std::vector<RecordMac> UnisciRegistroMac(const std::vector<RecordMac>& base,
                                         const std::vector<RecordMac>& nostri,
                                         const std::vector<RecordMac>& suoi, QStringList& note)
{
    std::vector<RecordMac> righe = suoi;
    const std::vector<QString> chiaviBase = chiaviRighe(base);
    const std::vector<QString> chiaviSuoi = chiaviRighe(suoi);
    const std::vector<QString> chiaviNostri = chiaviRighe(nostri);
    QHash<QString, const RecordMac*> prima;
    for (std::size_t i = 0; i < base.size(); ++i)
        prima.insert(chiaviBase[i], &base[i]);
    QHash<QString, std::size_t> riga;
    // The file's lines this register never read, by MAC: where a line read here is no
    // longer found by its ID, the first of these with its MAC is taken for it.
    QHash<QString, QList<std::size_t>> ignote;
    QHash<QString, std::int32_t> idSuo;
    QSet<std::int32_t> usati;
    std::int32_t massimo = 0;
    for (std::size_t i = 0; i < righe.size(); ++i) {
        riga.insert(chiaviSuoi[i], i);
        if (!prima.contains(chiaviSuoi[i]))
            ignote[righe[i].MAC] << i;
        if (!idSuo.contains(righe[i].MAC))
            idSuo.insert(righe[i].MAC, righe[i].ID);
        usati.insert(righe[i].ID);
        massimo = std::max(massimo, righe[i].ID);
    }
    for (std::size_t n = 0; n < nostri.size(); ++n) {
        const RecordMac& r = nostri[n];
        const RecordMac* letto = prima.value(chiaviNostri[n]);
        if (!letto) {
            // Added here: a MAC the file holds already stays the file's.
            if (idSuo.contains(r.MAC)) {
                note << QStringLiteral("%1 era già nel file con l'ID %2").arg(r.MAC).arg(idSuo[r.MAC]);
                continue;
            }
        } else {
            std::optional<std::size_t> i;
            if (const auto k = riga.constFind(chiaviNostri[n]); k != riga.cend())
                i = *k;
            else if (QList<std::size_t>& altre = ignote[r.MAC]; !altre.isEmpty())
                i = altre.takeFirst();
            if (i) {
                RecordMac& suo = righe[*i];
                if (!(r == *letto)) {
                    if (suo.PFC != letto->PFC || suo.Anno != letto->Anno ||
                        suo.Cliente != letto->Cliente)
                        note << QStringLiteral("%1 (ID %2) è stato cambiato qui e nel file: salvato "
                                               "\"%3\", non \"%4\"")
                                    .arg(r.MAC)
                                    .arg(suo.ID)
                                    .arg(campiRiga(r), campiRiga(suo));
                    suo.PFC = r.PFC;
                    suo.Anno = r.Anno;
                    suo.Cliente = r.Cliente;
                }
                continue;
            }
            // Gone from the file and unchanged here: the other writer removed it, and
            // that stands.
            if (r == *letto)
                continue;
        }
        RecordMac nuovo = r;
        if (usati.contains(nuovo.ID)) {
            // Past the top ID the line takes the first one free from 1.
            nuovo.ID = massimo < std::numeric_limits<std::int32_t>::max() ? massimo + 1 : 1;
            while (usati.contains(nuovo.ID))
                ++nuovo.ID;
            note << QStringLiteral("%1: ID %2 invece di %3").arg(r.MAC).arg(nuovo.ID).arg(r.ID);
        }
        usati.insert(nuovo.ID);
        massimo = std::max(massimo, nuovo.ID);
        righe.push_back(nuovo);
    }
    return righe;
}

QString CampoMac(const QString& testo, bool anno)
{
    QString t = testo;
    for (QChar& c : t)
        if (c == kTab || c == QLatin1Char('\r') || c == QLatin1Char('\n') ||
            (anno && c == QLatin1Char('/')))
            c = QLatin1Char(' ');
    return t;
}

QByteArray TestoRegistroMac(const std::vector<RecordMac>& righe)
{
    QStringList t;
    for (const RecordMac& r : righe)
        t << QString::number(r.ID) + kTab + r.MAC + kTab + pfcAnno(r) + kTab + r.Cliente;
    return platform::toCp1252(righeCrLf(t));
}

std::optional<std::vector<RecordMac>> LeggiRegistroMac(const QByteArray& dati, QString& errore)
{
    static const QRegularExpression formaMac(
        QStringLiteral("^[0-9A-Fa-f]{2}(-[0-9A-Fa-f]{2}){5}$"));
    if (dati.size() > kMaxByteRegistroMac) {
        errore = QStringLiteral("Il file è troppo grande per un elenco MAC.");
        return std::nullopt;
    }
    std::vector<RecordMac> righe;
    platform::RigheCp1252 linee(dati);
    QString linea;
    for (qsizetype n = 0; linee.prossima(linea); ++n) {
        if (linea.trimmed().isEmpty())
            continue;
        const auto sbaglia = [&](const QString& perche) {
            errore = QStringLiteral("Riga %1: %2").arg(n + 1).arg(perche);
            return std::nullopt;
        };
        if (int(righe.size()) >= kMaxRecordMac)
            return sbaglia(QStringLiteral("più di %1 MAC.").arg(kMaxRecordMac));
        const QStringList campi = linea.split(kTab);
        if (campi.size() < 4)
            return sbaglia(QStringLiteral("mancano dei campi."));
        RecordMac r;
        bool ok = false;
        r.ID = campi[0].trimmed().toInt(&ok);
        if (!ok)
            return sbaglia(QStringLiteral("l'ID non è un numero."));
        r.MAC = campi[1].trimmed().toUpper();
        if (!formaMac.match(r.MAC).hasMatch())
            return sbaglia(QStringLiteral("MAC non valido."));
        const qsizetype barra = campi[2].lastIndexOf(QLatin1Char('/'));
        if (barra < 0)
            return sbaglia(QStringLiteral("manca PFC/Anno."));
        r.PFC = campi[2].left(barra);
        r.Anno = campi[2].mid(barra + 1);
        r.Cliente = campi.mid(3).join(kTab);
        righe.push_back(r);
    }
    return righe;
}

QString RigaListaMac(const RecordMac& r)
{
    return QLatin1Char('[') + QString::number(r.ID) + QLatin1Char(']') + kTab + r.MAC + kTab +
           QStringLiteral("PFC:") + pfcAnno(r) + kTab + QStringLiteral("Cl.:") + r.Cliente;
}

QByteArray TestoReportMac(const std::vector<RecordMac>& righe, const SceltaReport& scelta,
                          const QString& data)
{
    QString criterio;
    switch (scelta.criterio) {
    case CriterioReport::PFC:
        criterio = QStringLiteral("PCF ") + scelta.pfc + QLatin1Char('/') + scelta.anno;
        break;
    case CriterioReport::Cliente: criterio = QStringLiteral("Cliente ") + scelta.cliente; break;
    case CriterioReport::Anno: criterio = QStringLiteral("Anno 20") + scelta.anno; break;
    }
    QStringList t;
    t << QStringLiteral("Report MAC per ") + criterio << data << QString(53, QLatin1Char('-'))
      << QStringLiteral("ID") + kTab + QStringLiteral("MAC") + kTab + kTab + kTab +
             QStringLiteral("PFC") + kTab + QStringLiteral("Cliente");
    for (const RecordMac& r : righe) {
        if (!selezionato(r, scelta))
            continue;
        t << QString::number(r.ID) + kTab + r.MAC + kTab +
                 (r.PFC.isEmpty() ? QStringLiteral("___/__") : pfcAnno(r)) + kTab +
                 (r.Cliente.isEmpty() ? QString(17, QLatin1Char('_')) : r.Cliente);
    }
    return platform::toCp1252(righeCrLf(t));
}

QStringList RegistroMac::righeLista() const
{
    QStringList righe;
    for (const RecordMac& r : ElencoMac)
        righe << RigaListaMac(r);
    return righe;
}

bool RegistroMac::leggiMac(const QString& pfc, const QString& anno, const QString& cliente)
{
    if (!campiScrivibili(pfc, anno, cliente))
        return false;
    const SequenzaDaFinestra sequenza(QStringLiteral("MAC read"), TipoSequenza::Dispositivo,
                                      Finestra::frm_LettMAC);
    if (!sequenza)
        return false;
    const std::array<std::uint8_t, 6> richiesta = {1, 4, 0, 0x0E, 0, 3};
    std::copy(richiesta.begin(), richiesta.end(), BuffTx.begin());
    LenTx = 6;
    MonitorCom = false;
    // Three registers: a byte count of 6 and six data bytes, or the reply is not one.
    if (InviaRichiesta(true) != kComOk || LenRx < 9 || BuffRx[2] != 6) {
        platform::msgBox(QStringLiteral("Errore Lettura"), MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    QStringList byte;
    for (int i = 3; i <= 8; ++i)
        byte << ByteInHex(BuffRx[std::size_t(i)]);
    return aggiungiMac(byte.join(QLatin1Char('-')), pfc, anno, cliente);
}

bool RegistroMac::campiScrivibili(const QString& pfc, const QString& anno,
                                  const QString& cliente)
{
    for (const auto& [campo, testo] : {std::pair{QStringLiteral("PFC"), pfc},
                                       std::pair{QStringLiteral("Anno"), anno},
                                       std::pair{QStringLiteral("Cliente"), cliente}}) {
        if (const QString c = platform::primoFuoriCp1252(testo); !c.isEmpty()) {
            platform::msgBox(platform::rifiutoFuoriCp1252(campo, c, true), MsgButtons::Ok,
                             MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

bool RegistroMac::aggiungiMac(const QString& mac, const QString& pfc, const QString& anno,
                              const QString& cliente)
{
    if (!campiScrivibili(pfc, anno, cliente))
        return false;
    MacLetto = mac;
    if (MacLetto == kMacVuoto) {
        platform::msgBox(QStringLiteral("MAC non valido"), MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    std::int32_t massimo = 0;
    bool doppio = false;
    for (const RecordMac& r : ElencoMac) {
        massimo = std::max(massimo, r.ID);
        if (r.MAC == MacLetto) {
            platform::msgBox(QStringLiteral("MAC già inserito"), MsgButtons::Ok,
                             MsgIcon::Exclamation);
            doppio = true;
        }
    }
    if (doppio)
        return false;
    if (NumMac() >= kMaxRecordMac || massimo == std::numeric_limits<std::int32_t>::max()) {
        platform::msgBox(QStringLiteral("L'elenco è pieno: il MAC non è stato aggiunto."),
                         MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    ElencoMac.push_back({MacLetto, massimo + 1, CampoMac(pfc), CampoMac(anno, true),
                         CampoMac(cliente)});
    Modificato = true;
    return true;
}

bool RegistroMac::modifica(int selezionata, const QString& pfc, const QString& anno,
                           const QString& cliente)
{
    if (selezionata < 0 || selezionata >= NumMac()) {
        platform::msgBox(QStringLiteral("Selezionare un MAC"), MsgButtons::Ok,
                         MsgIcon::Information);
        return false;
    }
    if (!campiScrivibili(pfc, anno, cliente))
        return false;
    RecordMac& r = ElencoMac[std::size_t(selezionata)];
    if (!r.PFC.isEmpty() &&
        platform::msgBox(QStringLiteral("MAC già in uso. Continuare?"), MsgButtons::YesNo,
                         MsgIcon::Question) != MsgResult::Yes)
        return false;
    r.PFC = CampoMac(pfc);
    r.Anno = CampoMac(anno, true);
    r.Cliente = CampoMac(cliente);
    Modificato = true;
    return true;
}

bool RegistroMac::scriviFile(const QString& percorso, const QByteArray& dati)
{
    QSaveFile f(percorso);
    if (!f.open(QIODevice::WriteOnly) || f.write(dati) != dati.size() || !f.commit()) {
        platform::msgBox(QStringLiteral("Impossibile scrivere il file %1: %2")
                             .arg(percorso, f.errorString()),
                         MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    return true;
}

bool RegistroMac::daScrivere(std::vector<RecordMac>& righe, QStringList& note)
{
    righe = ElencoMac;
    if (!visto_ || !QFileInfo::exists(FileMac))
        return true;
    QString errore;
    QByteArray dati;
    const std::optional<std::vector<RecordMac>> suoi = leggiFile(FileMac, dati, errore);
    if (suoi && platform::ImprontaTesto(dati) == *visto_)
        return true;
    if (!suoi) {
        platform::msgBox(QStringLiteral("Il file %1 è cambiato dopo la lettura e non si legge "
                                        "più: l'elenco non è stato salvato.\n%2")
                             .arg(FileMac, errore),
                         MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    righe = UnisciRegistroMac(base_, ElencoMac, *suoi, note);
    if (int(righe.size()) > kMaxRecordMac) {
        platform::msgBox(QStringLiteral("Il file %1 è cambiato dopo la lettura: con le sue righe "
                                        "l'elenco supera %2 MAC e non è stato salvato.")
                             .arg(FileMac)
                             .arg(kMaxRecordMac),
                         MsgButtons::Ok, MsgIcon::Critical);
        return false;
    }
    note.prepend(QStringLiteral("Il file %1 era stato cambiato da un altro: l'elenco salvato "
                                "tiene le sue righe e le nuove di questa finestra.")
                     .arg(FileMac));
    return true;
}

bool RegistroMac::salva()
{
    if (FileMac.isEmpty()) {
        platform::FileDialogRequest r;
        r.filter = kFiltroRegistro;
        r.defaultExt = QStringLiteral("csv");
        const QString nome = platform::dialogs().saveFile(r);
        if (!nome.isEmpty()) {
            FileMac = nome;
            visto_.reset();
        }
    }
    if (FileMac.isEmpty())
        return false;
    QStringList note;
    {
        // Read, merged and written under the lock, so that another process saving the
        // same register waits for this one and then finds its lines in the file.
        platform::BloccoInsieme blocco;
        QString perche;
        if (blocco.prendi(FileMac + QStringLiteral("~lock"), true, 0666,
                          [](const QString&) {}, perche) ==
            platform::BloccoInsieme::Esito::Occupato) {
            platform::msgBox(QStringLiteral("Il file %1 è occupato da un altro salvataggio: "
                                            "l'elenco non è stato salvato.")
                                 .arg(FileMac),
                             MsgButtons::Ok, MsgIcon::Critical);
            return false;
        }
        std::vector<RecordMac> righe;
        if (!daScrivere(righe, note))
            return false;
        const QByteArray dati = TestoRegistroMac(righe);
        if (!scriviFile(FileMac, dati))
            return false;
        ElencoMac = righe;
        base_ = std::move(righe);
        visto_ = platform::ImprontaTesto(dati);
    }
    Modificato = false;
    if (!note.isEmpty())
        platform::msgBox(note.join(QLatin1Char('\n')), MsgButtons::Ok, MsgIcon::Information);
    return true;
}

bool RegistroMac::carica()
{
    // Loading replaces the register: changes not yet saved are offered a save first.
    if (Modificato) {
        const MsgResult r = platform::msgBox(
            QStringLiteral("L'elenco è stato modificato. Salvare il file?"),
            MsgButtons::YesNoCancel, MsgIcon::Question);
        if (r == MsgResult::Cancel || (r == MsgResult::Yes && !salva()))
            return false;
    }
    if (FileMac.isEmpty()) {
        platform::FileDialogRequest r;
        r.filter = kFiltroRegistro;
        r.defaultExt = QStringLiteral("csv");
        const QString nome = platform::dialogs().openFile(r);
        if (!nome.isEmpty())
            FileMac = nome;
    }
    if (FileMac.isEmpty())
        return false;
    QString errore;
    QByteArray dati;
    std::optional<std::vector<RecordMac>> letti = leggiFile(FileMac, dati, errore);
    if (!letti) {
        // The register stays as it was, but no longer stands for the refused file: a
        // save asks for a name, and the next load for a file.
        platform::msgBox(QStringLiteral("File non caricato: %1\n%2").arg(FileMac, errore),
                         MsgButtons::Ok, MsgIcon::Critical);
        FileMac.clear();
        base_.clear();
        visto_.reset();
        return false;
    }
    ElencoMac = std::move(*letti);
    base_ = ElencoMac;
    visto_ = platform::ImprontaTesto(dati);
    // The register is now the file's.
    Modificato = false;
    return true;
}

bool RegistroMac::report(const SceltaReport& scelta, const QDate& data)
{
    platform::FileDialogRequest r;
    r.filter = kFiltroReport;
    r.defaultExt = QStringLiteral("txt");
    const QString nome = platform::dialogs().saveFile(r);
    if (nome.isEmpty())
        return false;
    return scriviFile(nome, TestoReportMac(ElencoMac, scelta,
                                           QLocale::system().toString(data, QLocale::ShortFormat)));
}

bool RegistroMac::puoChiudere()
{
    if (!Modificato)
        return true;
    switch (platform::msgBox(QStringLiteral("L'elenco è stato modificato. Salvare il file?"),
                             MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgResult::No: return true;
    case MsgResult::Yes:
        // An unsaved register (name dialog cancelled, write failed) keeps the window.
        return salva();
    default: return false;
    }
}

} // namespace ludra
