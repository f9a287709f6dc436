#pragma once
// What the serial and socket transports do with bytes that just arrived.
#include <QByteArray>

namespace ludra::platform {

// Appends `nuovi` to what is waiting to be read. A peer that never stops talking must
// not grow the buffer without bound: past 64 KiB what was waiting is dropped.
inline void accoda(QByteArray& ricevuti, const QByteArray& nuovi)
{
    if (ricevuti.size() > 65536)
        ricevuti.clear();
    ricevuti += nuovi;
}

} // namespace ludra::platform
