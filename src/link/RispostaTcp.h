#pragma once
// Where a Modbus TCP reply ends. Devices and gateways do not all fill the length field
// of the header right, so a reply is framed the way a serial reply is: by what its
// function code says about its length; the header's length counts only for a function
// those rules do not know. A reply that stops short ends after the line silence.
#include "link/TramaModbus.h"

#include <QtGlobal>
#include <optional>
#include <span>

namespace ludra {

struct RispostaTcp {
    int inizio = 0;         // where the chosen frame's header starts in what arrived
    int lunghezza = -1;     // the bytes after its header the frame should hold; -1 unknown
    bool completa = false;  // what arrived is exactly whole frames
};

// The frame to take from what arrived: the last of them when what arrived is exactly
// whole frames (a late reply followed by this request's own); otherwise the last frame
// begun that holds at least its header, address and function code (shorter trailing
// bytes belong to the frame before them).
RispostaTcp CercaRispostaTcp(std::span<const Byte> richiesta, std::span<const Byte> ricevuti);

// Collects the reply to `richiesta` into StringaRx while events run: until it is
// complete (and nothing more waits unread), until nothing more has arrived for the line
// silence after the last piece, until the connection is gone, until StringaRx holds
// more than platform::kMaxInAttesa bytes or until limiteMs has passed. The frame to
// take, or nothing when no byte came.
std::optional<RispostaTcp> AttesaRispostaTcp(std::span<const Byte> richiesta, qint64 limiteMs);

} // namespace ludra
