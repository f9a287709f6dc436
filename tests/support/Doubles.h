#pragma once
// Test doubles behind the platform layer, and the main window as the logic asks for it.
#include "base/Finestre.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Shell.h"
#include "platform/Waiter.h"
#include "support/Attesa.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <utility>

namespace ludra::test {

// Records every message box and answers from a script (then with the default).
class FakeDialogs final : public platform::Dialogs {
public:
    struct Messaggio {
        QString testo;
        platform::MsgButtons pulsanti;
        platform::MsgIcon icona;
        QString titolo;
    };
    std::vector<Messaggio> messaggi;
    std::deque<platform::MsgResult> risposte;
    platform::MsgResult predefinita = platform::MsgResult::Ok;
    std::function<void()> durante;   // what the event loop runs while the box stands
    std::deque<std::optional<QString>> input;
    std::deque<QString> fileScelti;
    std::vector<platform::FileDialogRequest> richiesteFile;
    // With avvisiRestano, a box that only tells stands unread until leggiAvvisi().
    bool avvisiRestano = false, nonLetti = false;
    std::vector<std::function<void()>> dopoLettura;
    void leggiAvvisi() { nonLetti = false; for (auto& poi : std::exchange(dopoLettura, {})) poi(); }

    platform::MsgResult messageBox(const QString& text, platform::MsgButtons buttons,
                                   platform::MsgIcon icon, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& initial) override;
    QString openFile(const platform::FileDialogRequest& request) override;
    QString saveFile(const platform::FileDialogRequest& request) override;
    void notice(const QString& t, platform::MsgIcon i, const QString& titolo) override
    {
        messageBox(t, platform::MsgButtons::Ok, i, titolo);
        nonLetti |= avvisiRestano;
    }
    bool noticesOpen() const override { return nonLetti; }
    void whenNoticesRead(std::function<void()> poi) override { dopoLettura.push_back(std::move(poi)); }
};

class FakeShell final : public platform::Shell {
public:
    QStringList aperti;
    QStringList avviati;
    bool avvioRiesce = true;
    void open(const QString& target) override { aperti << target; }
    bool start(const QString& path) override
    {
        avviati << path;
        return avvioRiesce;
    }
};

// The built-in string table with some ids taken out.
class FakeResources final : public platform::Resources {
public:
    std::set<int> mancanti;
    std::optional<QString> string(int id) override;
};

class FakeRegistry final : public platform::Registry {
public:
    std::map<std::pair<QString, QString>, QString> valori;
    QStringList letti;
    std::optional<QString> machineValue(const QString& key, const QString& name) override
    {
        letti << key + QLatin1Char('|') + name;
        const auto it = valori.find({key, name});
        if (it == valori.end())
            return std::nullopt;
        return it->second;
    }
};

// Records the windows it is asked to show and close; a window shown is loaded from then
// on unless `carica` is false.
class FakeFinestre final : public HostFinestre {
public:
    QStringList aperte;     // by window name, in order
    QStringList chiuse;
    std::set<QString> caricate;
    bool carica = true;
    QString titolo;
    void mostra(Finestra f, bool) override
    {
        aperte << nomeFinestra(f);
        if (carica)
            caricate.insert(nomeFinestra(f));
    }
    void chiudi(Finestra f) override
    {
        chiuse << nomeFinestra(f);
        caricate.erase(nomeFinestra(f));
    }
    bool caricata(Finestra f) const override { return caricate.count(nomeFinestra(f)) != 0; }
    void mostraPagina(Finestra, int) override {}
    void chiudiPrincipale() override { chiuse << QStringLiteral("principale"); }
    QString caption() const override { return titolo; }
    void impostaCaption(const QString& t) override { titolo = t; }
};

} // namespace ludra::test
