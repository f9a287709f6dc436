#pragma once
// The Windows-1252 code page, which every text file of the system is written and read
// in. A character the code page lacks is written as "?".
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ludra::platform {

QByteArray toCp1252(const QString& testo);
QString fromCp1252(QByteArrayView byte);

// The first character of a text that the code page lacks (a character written as two
// UTF-16 units counts as one), which a file or a device would receive as "?"; empty
// when the code page holds every one. A field that takes a text checks it here, so that
// nothing typed is changed on its way out without a word.
QString primoFuoriCp1252(const QString& testo);
// The refusal of such a text, naming the field and the character; in Italian for the
// windows whose texts are.
QString rifiutoFuoriCp1252(const QString& campo, const QString& carattere,
                           bool italiano = false);

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
