#pragma once
// Opening a file the user chose, for reading. Only a regular file is opened: a named pipe
// (a project unpacked from an archive can carry one) would block the open, and a device
// the reads, with no end, freezing the application.
#include <QFile>
#include <QString>

namespace ludra::platform {

// Opens f (its file name set) read-only; false with the reason in `perche` ("not a
// regular file", or the system's) when it is not a regular file or cannot be opened.
// With `senzaLink` a symbolic link is not followed either ("a symbolic link").
bool ApriFileRegolare(QFile& f, QString& perche, bool senzaLink = false);

} // namespace ludra::platform
