#include "platform/LocaleSistema.h"

#include <QByteArray>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <langinfo.h>

namespace ludra::platform {
namespace {

bool codificaUtf8()
{
    const QByteArray codifica = QByteArray(nl_langinfo(CODESET)).toUpper();
    return codifica == "UTF-8" || codifica == "UTF8";
}

} // namespace

void FissaLocale()
{
    std::setlocale(LC_NUMERIC, "C");
    if (codificaUtf8())
        return;
    // The language and territory of the characters' locale, in UTF-8 ("tr_TR.ISO-8859-9"
    // becomes "tr_TR.UTF-8"), or no language at all when that is not installed: the
    // messages keep their own language either way.
    QByteArray nome = std::setlocale(LC_CTYPE, nullptr);
    nome.truncate(nome.indexOf('@') >= 0 ? nome.indexOf('@') : nome.size());
    nome.truncate(nome.indexOf('.') >= 0 ? nome.indexOf('.') : nome.size());
    if (!std::setlocale(LC_CTYPE, (nome + ".UTF-8").constData()))
        std::setlocale(LC_CTYPE, "C.UTF-8");
}

QString TestoDiSistema(const char* testo)
{
    if (!testo)
        return {};
    if (codificaUtf8())
        return QString::fromUtf8(testo);
    QString s;
    std::mbstate_t stato{};
    const char* p = testo;
    const char* fine = testo + std::strlen(testo);
    while (p < fine) {
        wchar_t c = 0;
        const std::size_t n = std::mbrtowc(&c, p, std::size_t(fine - p), &stato);
        if (n == std::size_t(-1) || n == std::size_t(-2)) {
            // A byte the character set has no character for: shown as such, and the rest
            // read on from the next byte.
            s += QChar(QChar::ReplacementCharacter);
            stato = {};
            ++p;
            continue;
        }
        const char32_t u = char32_t(c);
        s += QString::fromUcs4(&u, 1);
        p += n == 0 ? 1 : n;
    }
    return s;
}

QString TestoErrore(int numero) { return TestoDiSistema(std::strerror(numero)); }

} // namespace ludra::platform
