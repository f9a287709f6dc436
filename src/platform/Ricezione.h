#pragma once
// What the serial and socket transports do with bytes that just arrived, and how they
// send a request straight to the system.
#include <QByteArray>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace ludra::platform {

// Makes room for `n` more bytes after what is waiting to be read and returns where they
// go. A peer that never stops talking must not grow the buffer without bound: past
// 64 KiB what was waiting is dropped.
inline char* spazioPer(QByteArray& ricevuti, qsizetype n)
{
    if (ricevuti.size() > 65536)
        ricevuti.clear();
    const qsizetype prima = ricevuti.size();
    ricevuti.resize(prima + n);
    return ricevuti.data() + prima;
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
