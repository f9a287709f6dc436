#pragma once
// The Windows-1252 code page, which every text file of the system is written and read
// in. A character the code page lacks is written as "?".
#include <QByteArray>
#include <QString>

namespace ludra::platform {

QByteArray toCp1252(const QString& testo);
QString fromCp1252(const QByteArray& byte);

} // namespace ludra::platform
