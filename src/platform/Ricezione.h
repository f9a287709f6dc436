#pragma once
// What the serial and socket transports do with bytes that just arrived.
#include <QByteArray>

#include <cstring>

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

// Appends `nuovi` to what is waiting to be read.
inline void accoda(QByteArray& ricevuti, const QByteArray& nuovi)
{
    if (!nuovi.isEmpty())
        std::memcpy(spazioPer(ricevuti, nuovi.size()), nuovi.constData(),
                    std::size_t(nuovi.size()));
}

} // namespace ludra::platform
