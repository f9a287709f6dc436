#pragma once
// The Windows-1252 code page, which every text file of the system is written and read
// in. A character the code page lacks is written as "?".
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ludra::platform {

QByteArray toCp1252(const QString& testo);
QString fromCp1252(QByteArrayView byte);

// The lines of a Windows-1252 text one at a time, each without its line end (LF or
// CR LF; a CR that ends the text ends its last line), so that reading a file holds one
// line as text, not the whole file. After a final line end there is no further, empty
// line.
class RigheCp1252 {
public:
    explicit RigheCp1252(QByteArray byte) : byte_(std::move(byte)) {}
    // The next line; false when none is left.
    bool prossima(QString& riga);
    bool finite() const { return pos_ >= byte_.size(); }

private:
    QByteArray byte_;
    qsizetype pos_ = 0;
};

} // namespace ludra::platform
