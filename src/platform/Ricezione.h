#pragma once
// What the serial and socket transports do with bytes that just arrived, and how they
// send a request straight to the system.
#include <QByteArray>
#include <QString>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace ludra::platform {

// The most bytes a transport keeps for its reader, and the most a request or a step takes
// as its reply. A peer that sends more is flooding: nothing more is taken from the
// system (which then makes the peer wait), and the exchange it belongs to fails with
// TestoTroppiByte(). What was received is never dropped to make room.
inline constexpr qsizetype kMaxInAttesa = 65536;

inline QString TestoTroppiByte()
{
    return QStringLiteral("The device sent more than %1 bytes").arg(kMaxInAttesa);
}

// Reads at most `n` bytes with `leggi(char*, qint64)` onto the end of `ricevuti`; returns
// what leggi returned (below 0 on an error).
template <typename Leggi>
qint64 aggiungiLetti(QByteArray& ricevuti, qint64 n, Leggi&& leggi)
{
    const qsizetype prima = ricevuti.size();
    ricevuti.resize(prima + qsizetype(n));
    const qint64 letti = leggi(ricevuti.data() + prima, n);
    ricevuti.resize(prima + qsizetype(qMax<qint64>(letti, 0)));
    return letti;
}

// Writes to the descriptor while it takes the bytes at once; returns how many it took.
// A request is a few bytes and its reply is awaited at once: through the device's own
// buffer it would wait for the event loop (and, on a socket, switch the write notifier
// on and off, each a wake of the loop). errno tells why it stopped short. A socket is
// sent to without SIGPIPE when the peer has gone.
inline qsizetype scriviSubito(int fd, const QByteArray& dati, bool socket)
{
    if (fd < 0) {
        errno = EBADF;
        return 0;
    }
    qsizetype scritti = 0;
    while (scritti < dati.size()) {
        const char* da = dati.constData() + scritti;
        const std::size_t quanti = std::size_t(dati.size() - scritti);
        const ssize_t n = socket ? ::send(fd, da, quanti, MSG_NOSIGNAL) : ::write(fd, da, quanti);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        scritti += n;
    }
    return scritti;
}

// Sends the bytes through a device (a serial port or a socket) whose descriptor is fd:
// straight to the system when the device has nothing queued, through the device's own
// buffer for what the system would not take at once. False when the write fails.
template <typename Dispositivo>
bool inviaSubito(Dispositivo& dispositivo, int fd, const QByteArray& dati, bool socket)
{
    if (dispositivo.bytesToWrite() == 0) {
        const qsizetype scritti = scriviSubito(fd, dati, socket);
        if (scritti == dati.size())
            return true;
        if (scritti > 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            return dispositivo.write(dati.mid(scritti)) == dati.size() - scritti;
    }
    if (dispositivo.write(dati) != dati.size())
        return false;
    dispositivo.flush();
    return true;
}

} // namespace ludra::platform
