#pragma once
// Opening and closing the link that Controllore describes: a serial line (optionally
// dialling out through a modem) or a Modbus TCP connection.
#include <QString>

namespace ludra {

// The number the modem dials after the leading "0," (an outside line, then a pause).
extern QString NumeroTelefono;

// Opens the link; the outcome is Controllore.Connesso. A link that cannot be opened
// leaves Connesso false and says why in the Log.
void Connetti();
// Closes the link; while StopCom is 0 (a polling loop is running) it only says so in
// the Log.
void Disconnetti();
// The socket's close event: a connection the device (or the network) closed leaves the
// link closed at once, shown as Disconnetti shows it, whatever StopCom holds.
void Winsock1_Close();

} // namespace ludra
