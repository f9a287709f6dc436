#include "support/Doubles.h"

#include "resources/StringTable.h"

namespace ludra::test {

platform::MsgResult FakeDialogs::messageBox(const QString& text, platform::MsgButtons buttons,
                                            platform::MsgIcon icon, const QString& title)
{
    messaggi.push_back({text, buttons, icon, title});
    if (durante)
        durante();
    if (risposte.empty())
        return predefinita;
    const platform::MsgResult r = risposte.front();
    risposte.pop_front();
    return r;
}

std::optional<QString> FakeDialogs::inputBox(const QString&, const QString&, const QString&)
{
    if (input.empty())
        return std::nullopt;
    const bool cancellato = !input.front().has_value();
    const QString testo = input.front().value_or(QString());
    input.pop_front();
    if (cancellato)
        return std::nullopt;
    return testo;
}

QString FakeDialogs::openFile(const platform::FileDialogRequest& request)
{
    richiesteFile.push_back(request);
    if (fileScelti.empty())
        return {};
    const QString f = fileScelti.front();
    fileScelti.pop_front();
    return f;
}

QString FakeDialogs::saveFile(const platform::FileDialogRequest& request)
{
    return openFile(request);
}

std::optional<QString> FakeResources::string(int id)
{
    if (mancanti.count(id))
        return std::nullopt;
    return resources::stringById(id);
}

} // namespace ludra::test
