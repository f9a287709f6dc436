#include "platform/PortaSeriale.h"

#include "platform/Waiter.h"

#include <QFileInfo>
#include <QSerialPort>

#include <cerrno>
#include <grp.h>
#include <unistd.h>
#include <sys/stat.h>
#include <vector>

namespace ludra::platform {
namespace {

// COM1 to COM16 are the built-in lines, COM17 to COM32 the USB adapters.
QString percorsoPredefinito(int numero)
{
    if (numero >= 17)
        return QStringLiteral("/dev/ttyUSB%1").arg(numero - 17);
    return QStringLiteral("/dev/ttyS%1").arg(numero - 1);
}

MappaPorte& mappaCorrente()
{
    static MappaPorte mappa;
    return mappa;
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
    const QString porta = QStringLiteral("COM%1 (%2)").arg(numero).arg(percorso);
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
    return QString::fromLocal8Bit(trovato->gr_name);
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
    connect(porta.get(), &QSerialPort::readyRead, this, &PortaSeriale::leggi);
    connect(porta.get(), &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) {
                if (e != QSerialPort::ResourceError || !porta_)
                    return;
                // The device vanished (adapter unplugged, line hung up).
                errore_ = descriviErrore(e, percorso_, numero_, porta_->errorString());
                porta_->close();
                emit chiusa();
                wakeWaiters();
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
    // Straight to the device when nothing is queued: a request is a few bytes and the
    // reply is awaited at once, so a round through the event loop only adds latency.
    if (porta_->bytesToWrite() == 0) {
        qsizetype scritti = 0;
        while (scritti < dati.size()) {
            const ssize_t n = ::write(int(porta_->handle()), dati.constData() + scritti,
                                      std::size_t(dati.size() - scritti));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            scritti += n;
        }
        if (scritti == dati.size())
            return true;
        if (scritti > 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            return porta_->write(dati.mid(scritti)) == dati.size() - scritti;
    }
    if (porta_->write(dati) != dati.size())
        return false;
    porta_->flush();
    return true;
}

QByteArray PortaSeriale::input()
{
    if (aperta())
        ricevuti_ += porta_->readAll();
    QByteArray dati;
    dati.swap(ricevuti_);
    return dati;
}

void PortaSeriale::scarta()
{
    if (aperta()) {
        porta_->clear(QSerialPort::Input);
        porta_->readAll();
    }
    ricevuti_.clear();
}

void PortaSeriale::leggi()
{
    if (!porta_)
        return;
    const QByteArray nuovi = porta_->readAll();
    if (nuovi.isEmpty())
        return;
    // A line that never stops talking must not grow without bound.
    if (ricevuti_.size() > 65536)
        ricevuti_.clear();
    ricevuti_ += nuovi;
    emit ricevuto();
    wakeWaiters();
}

} // namespace ludra::platform
