#include "platform/Dialogs.h"

#include "platform/Waiter.h"

#include <QStringList>

namespace ludra::platform {
namespace {

// Used until the window layer installs the real dialogs: answers like a user who
// dismisses everything, so nothing is ever written by accident.
class SilentDialogs final : public Dialogs {
public:
    MsgResult messageBox(const QString&, MsgButtons buttons, MsgIcon, const QString&) override
    {
        switch (buttons) {
        case MsgButtons::Ok: return MsgResult::Ok;
        case MsgButtons::OkCancel: return MsgResult::Cancel;
        case MsgButtons::YesNo: return MsgResult::No;
        case MsgButtons::YesNoCancel: return MsgResult::Cancel;
        }
        return MsgResult::Cancel;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    QString openFile(const FileDialogRequest&) override { return {}; }
    QString saveFile(const FileDialogRequest&) override { return {}; }
};

Dialogs* current = nullptr;

} // namespace

Dialogs& dialogs()
{
    static SilentDialogs fallback;
    return current ? *current : fallback;
}

Dialogs* setDialogs(Dialogs* d)
{
    Dialogs* previous = current;
    current = d;
    return previous;
}

MsgResult msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    const QString titolo = title.isEmpty() ? QString::fromLatin1(kAppTitle) : title;
    // Its only answer is known: the reply waited for below the handler that tells it need
    // not wait for the user too.
    if (buttons == MsgButtons::Ok && rispostaAttesa()) {
        dialogs().notice(text, icon, titolo);
        return MsgResult::Ok;
    }
    return dialogs().messageBox(text, buttons, icon, titolo);
}

void avviso(const QString& text, MsgIcon icon)
{
    dialogs().notice(text, icon, QString::fromLatin1(kAppTitle));
}

void avvisoInElenco(const QString& elenco, const QString& riga, MsgIcon icon)
{
    dialogs().noticeLine(elenco, riga, icon, QString::fromLatin1(kAppTitle));
}

bool avvisiAperti() { return dialogs().noticesOpen(); }

void dopoAvvisi(std::function<void()> poi) { dialogs().whenNoticesRead(std::move(poi)); }

QString qtFilter(const QString& vbFilter)
{
    const QStringList parts = vbFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        if (pattern.isEmpty())
            continue;
        const QString patterns = QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(')))
            filters << description;
        else if (description.isEmpty())
            filters << QStringLiteral("(%1)").arg(patterns);
        else
            filters << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace ludra::platform
