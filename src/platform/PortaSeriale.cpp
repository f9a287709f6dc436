#include "platform/PortaSeriale.h"

#include "platform/LocaleSistema.h"
#include "platform/Ricezione.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <grp.h>
#include <unistd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <vector>

namespace ludra::platform {
namespace {

const QString kCartellaById = QStringLiteral("/dev/serial/by-id");

MappaPorte& mappaCorrente()
{
    static MappaPorte mappa;
    return mappa;
}

SorgenteDispositivi& sorgenteCorrente()
{
    static SorgenteDispositivi sorgente;
    return sorgente;
}

// The built-in numbering: slot n - 1 holds the device of port n. A device that went
// away keeps its slot, so it comes back on its number, until a new device needs room.
struct TabellaPorte {
    std::array<QString, kNumeroPorte> posti;
    QStringList presenti;

    void aggiorna()
    {
        presenti = dispositiviSeriali();
        QStringList nuovi;
        for (const QString& d : presenti)
            if (!std::count(posti.begin(), posti.end(), d))
                nuovi << d;
        for (const QString& d : nuovi) {
            auto libero = std::find(posti.begin(), posti.end(), QString());
            if (libero == posti.end())
                libero = std::find_if(posti.begin(), posti.end(),
                                      [this](const QString& p) { return !presenti.contains(p); });
            if (libero == posti.end())
                break;   // more devices than numbers
            *libero = d;
        }
    }
};

TabellaPorte& tabellaPorte()
{
    static TabellaPorte tabella;
    return tabella;
}

QString percorsoPredefinito(int numero)
{
    if (numero < 1 || numero > kNumeroPorte)
        return {};
    TabellaPorte& t = tabellaPorte();
    if (t.posti[std::size_t(numero - 1)].isEmpty())
        t.aggiorna();
    return t.posti[std::size_t(numero - 1)];
}

// The trailing number of a device name, for the natural order.
std::pair<QString, long> chiaveNaturale(const QString& s)
{
    qsizetype i = s.size();
    while (i > 0 && s[i - 1].isDigit())
        --i;
    if (i == s.size() || s.size() - i > 9)
        return {s, -1};
    return {s.left(i), s.mid(i).toLong()};
}

QString descriviErrore(QSerialPort::SerialPortError errore, const QString& percorso,
                       int numero, const QString& dettaglio)
{
    switch (errore) {
    case QSerialPort::PermissionError:
        return descriviErroreApertura(ErroreApertura::Permessi, percorso, numero, dettaglio);
    case QSerialPort::DeviceNotFoundError:
        return descriviErroreApertura(ErroreApertura::NonTrovata, percorso, numero, dettaglio);
    case QSerialPort::OpenError:
        return descriviErroreApertura(ErroreApertura::Occupata, percorso, numero, dettaglio);
    default:
        return descriviErroreApertura(ErroreApertura::Altro, percorso, numero, dettaglio);
    }
}

} // namespace

QString descriviErroreApertura(ErroreApertura errore, const QString& percorso, int numero,
                               const QString& dettaglio)
{
    const QString porta = percorso.isEmpty() ? QStringLiteral("COM%1").arg(numero)
                                             : QStringLiteral("COM%1 (%2)").arg(numero).arg(percorso);
    switch (errore) {
    case ErroreApertura::Permessi: {
        const QString gruppo = gruppoDispositivo(percorso);
        if (gruppo.isEmpty())
            return QStringLiteral("Permission denied on %1").arg(porta);
        return QStringLiteral("Permission denied on %1: the device belongs to group "
                              "\"%2\"; add the user to that group")
            .arg(porta, gruppo);
    }
    case ErroreApertura::NonTrovata:
        return QStringLiteral("Serial port %1 not found").arg(porta);
    case ErroreApertura::Occupata:
        return QStringLiteral("Serial port %1 is already in use").arg(porta);
    case ErroreApertura::Altro:
        break;
    }
    return QStringLiteral("Serial port %1: %2").arg(porta, dettaglio);
}

QString percorsoPorta(int numero)
{
    const MappaPorte& mappa = mappaCorrente();
    return mappa ? mappa(numero) : percorsoPredefinito(numero);
}

MappaPorte setMappaPorte(MappaPorte mappa)
{
    MappaPorte precedente = std::move(mappaCorrente());
    mappaCorrente() = std::move(mappa);
    return precedente;
}

void ordinaDispositivi(QStringList& dispositivi)
{
    std::stable_sort(dispositivi.begin(), dispositivi.end(),
                     [](const QString& a, const QString& b) {
                         return chiaveNaturale(a) < chiaveNaturale(b);
                     });
}

QStringList nomiStabili(const QStringList& dispositivi, const QString& cartellaById)
{
    // Each by-id link by the device it points at; the first name wins for a device
    // with several.
    QHash<QString, QString> perDispositivo;
    const QFileInfoList link = QDir(cartellaById).entryInfoList(
        QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& l : link) {
        const QString destinazione = l.canonicalFilePath();
        if (!destinazione.isEmpty() && !perDispositivo.contains(destinazione))
            perDispositivo.insert(destinazione, l.absoluteFilePath());
    }
    QStringList nomi;
    for (const QString& d : dispositivi) {
        const QString reale = QFileInfo(d).canonicalFilePath();
        nomi << perDispositivo.value(reale.isEmpty() ? d : reale, d);
    }
    return nomi;
}

QStringList dispositiviSeriali()
{
    if (const SorgenteDispositivi& s = sorgenteCorrente())
        return s();
    QStringList percorsi;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        percorsi << info.systemLocation();
    ordinaDispositivi(percorsi);
    return nomiStabili(percorsi, kCartellaById);
}

SorgenteDispositivi setSorgenteDispositivi(SorgenteDispositivi sorgente)
{
    SorgenteDispositivi precedente = std::move(sorgenteCorrente());
    sorgenteCorrente() = std::move(sorgente);
    // A new source numbers its devices afresh.
    tabellaPorte() = TabellaPorte{};
    return precedente;
}

std::vector<PortaElencata> elencoPorte()
{
    std::vector<PortaElencata> elenco;
    if (const MappaPorte& mappa = mappaCorrente()) {
        for (int n = 1; n <= kNumeroPorte; ++n) {
            const QString p = mappa(n);
            if (!p.isEmpty() && QFileInfo::exists(p))
                elenco.push_back({n, p});
        }
        return elenco;
    }
    TabellaPorte& t = tabellaPorte();
    t.aggiorna();
    for (int n = 1; n <= kNumeroPorte; ++n) {
        const QString& p = t.posti[std::size_t(n - 1)];
        if (!p.isEmpty() && t.presenti.contains(p))
            elenco.push_back({n, p});
    }
    return elenco;
}

QString nomeBreve(const QString& percorso)
{
    const QString byId = kCartellaById + QLatin1Char('/');
    if (percorso.startsWith(byId))
        return percorso.mid(byId.size());
    if (percorso.startsWith(QLatin1String("/dev/")))
        return percorso.mid(5);
    return percorso;
}

std::optional<ImpostazioniSeriali> leggiImpostazioni(const QString& testo)
{
    const QStringList parti = testo.split(QLatin1Char(','));
    if (parti.size() != 4)
        return std::nullopt;
    ImpostazioniSeriali s;
    bool ok = false;
    s.baud = parti[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return std::nullopt;
    const QString p = parti[1].trimmed().toLower();
    if (p.size() != 1 || !QStringLiteral("neoms").contains(p))
        return std::nullopt;
    s.parita = p[0].toLatin1();
    s.bitDati = parti[2].trimmed().toInt(&ok);
    if (!ok || s.bitDati < 5 || s.bitDati > 8)
        return std::nullopt;
    const QString stop = parti[3].trimmed();
    if (stop == QLatin1String("1"))
        s.bitStop = 1;
    else if (stop == QLatin1String("2"))
        s.bitStop = 2;
    else if (stop == QLatin1String("1.5"))
        s.bitStop = 3;
    else
        return std::nullopt;
    return s;
}

QString gruppoDispositivo(const QString& percorso)
{
    struct stat st {};
    const QByteArray nativo = QFile::encodeName(QFileInfo(percorso).canonicalFilePath());
    if (nativo.isEmpty() || ::stat(nativo.constData(), &st) != 0)
        return {};
    std::vector<char> spazio(4096);
    struct group gr {};
    struct group* trovato = nullptr;
    if (::getgrgid_r(st.st_gid, &gr, spazio.data(), spazio.size(), &trovato) != 0 || !trovato)
        return QString::number(st.st_gid);
    return TestoDiSistema(trovato->gr_name);
}

PortaSeriale::PortaSeriale(QObject* parent) : QObject(parent) {}

PortaSeriale::~PortaSeriale() = default;

bool PortaSeriale::setSettings(const QString& testo)
{
    const auto s = leggiImpostazioni(testo);
    if (!s)
        return false;
    impostazioni_ = *s;
    return true;
}

bool PortaSeriale::apri()
{
    errore_.clear();
    if (aperta())
        chiudi();
    const QString percorso = percorsoPorta(numero_);
    if (percorso.isEmpty()) {
        errore_ = descriviErroreApertura(ErroreApertura::NonTrovata, percorso, numero_, QString());
        return false;
    }
    auto porta = std::make_unique<QSerialPort>();
    porta->setPortName(percorso);
    if (!porta->open(QIODevice::ReadWrite)) {
        errore_ = descriviErrore(porta->error(), percorso, numero_, porta->errorString());
        return false;
    }
    const ImpostazioniSeriali& s = impostazioni_;
    QSerialPort::Parity parita = QSerialPort::NoParity;
    switch (s.parita) {
    case 'e': parita = QSerialPort::EvenParity; break;
    case 'o': parita = QSerialPort::OddParity; break;
    case 'm': parita = QSerialPort::MarkParity; break;
    case 's': parita = QSerialPort::SpaceParity; break;
    default: break;
    }
    const bool ok = porta->setBaudRate(s.baud) &&
                    porta->setDataBits(QSerialPort::DataBits(s.bitDati)) &&
                    porta->setParity(parita) &&
                    porta->setStopBits(s.bitStop == 2   ? QSerialPort::TwoStop
                                       : s.bitStop == 3 ? QSerialPort::OneAndHalfStop
                                                        : QSerialPort::OneStop) &&
                    porta->setFlowControl(handshaking_ == 2 ? QSerialPort::HardwareControl
                                                            : QSerialPort::NoFlowControl);
    if (!ok) {
        errore_ = descriviErrore(porta->error(), percorso, numero_, porta->errorString());
        porta->close();
        return false;
    }
    // A line that never stops talking fills the port's buffer this far, then the system's.
    porta->setReadBufferSize(kMaxInAttesa);
    connect(porta.get(), &QSerialPort::readyRead, this, &PortaSeriale::leggi);
    connect(porta.get(), &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) {
                if (e != QSerialPort::ResourceError || !porta_)
                    return;
                // The device vanished (adapter unplugged, line hung up).
                errore_ = descriviErrore(e, percorso_, numero_, porta_->errorString());
                porta_->close();
                emit chiusa();
            });
    ricevuti_.clear();
    percorso_ = percorso;
    porta_ = std::move(porta);
    return true;
}

void PortaSeriale::chiudi()
{
    if (porta_) {
        porta_->disconnect(this);
        porta_->close();
        porta_.reset();
    }
    ricevuti_.clear();
}

bool PortaSeriale::aperta() const { return porta_ && porta_->isOpen(); }

bool PortaSeriale::output(const QByteArray& dati)
{
    if (!aperta())
        return false;
    return inviaSubito(*porta_, int(porta_->handle()), dati, false);
}

bool PortaSeriale::prendi()
{
    if (!aperta())
        return false;
    // Only what is there and fits: reading "all" makes the port allocate a large buffer
    // on every call, which the heap then grows and trims around each request. Asking
    // for one byte more than the port holds makes it read from the system again, should
    // its full buffer have stopped it.
    const qint64 spazio = kMaxInAttesa - ricevuti_.size();
    if (spazio <= 0)
        return false;
    const qint64 n = qMin(spazio, porta_->bytesAvailable());
    const auto leggi = [this](char* dove, qint64 m) { return porta_->read(dove, m); };
    const qint64 letti = aggiungiLetti(ricevuti_, n < spazio ? n + 1 : n, leggi);
    return letti > 0;
}

QByteArray PortaSeriale::input()
{
    prendi();
    QByteArray dati;
    dati.swap(ricevuti_);
    return dati;
}

qint64 PortaSeriale::inAttesa() const
{
    return ricevuti_.size() + (aperta() ? porta_->bytesAvailable() : 0);
}

qint64 PortaSeriale::nonLetti() const
{
    int nelSistema = 0;
    if (!aperta() || ::ioctl(int(porta_->handle()), FIONREAD, &nelSistema) != 0)
        nelSistema = 0;
    return inAttesa() + nelSistema;
}

qint64 PortaSeriale::scarta()
{
    const qint64 scartati = nonLetti();
    ricevuti_.clear();
    // Nothing to drop, nothing to ask the system: the common case before a request.
    if (!aperta() || scartati == 0)
        return scartati;
    porta_->clear(QSerialPort::Input);
    // Clearing is where a vanished device may first show: the error signal has closed
    // the port by now, and it has nothing left to read. Otherwise the port reads again.
    if (aperta()) {
        porta_->skip(porta_->bytesAvailable());
        prendi();
    }
    ricevuti_.clear();
    return scartati;
}

void PortaSeriale::leggi()
{
    if (!prendi())
        return;
    emit ricevuto();
}

} // namespace ludra::platform
