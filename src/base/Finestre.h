#pragma once
// Windows as the logic sees them: the loaded windows that reload their captions on a
// language change, and the window operations the commands ask of the main window.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace ludra {

// A window whose texts depend on the language.
class Localizzabile {
public:
    virtual ~Localizzabile() = default;
    virtual void SetRes() = 0;
};

// The windows loaded now, in the order they were loaded.
class FinestreCaricate {
public:
    static FinestreCaricate& istanza();
    void registra(Localizzabile* f);
    void rimuovi(Localizzabile* f);
    void perOgni(const std::function<void(Localizzabile&)>& azione);
    int numero() const { return int(finestre_.size()); }

private:
    FinestreCaricate() = default;
    std::vector<Localizzabile*> finestre_;
};

// Every window the main window can open, named as its factory is registered and as
// the logic asks for it.
enum class Finestra {
    Log, Program, Registri, comandi, frm_Settings, frmAbout, frm_Progetto, frm_Download,
    frm_search, frm_Config, frm_variabili, frm_eeprom, frm_LettMAC, frm_dialoga,
    Input_Box, Input_Tab, frm_display, Input_Img, frm_scheduler,
};
inline constexpr int kNumFinestre = int(Finestra::frm_scheduler) + 1;
QString nomeFinestra(Finestra finestra);
// The window a name stands for; nothing when no window goes by it.
std::optional<Finestra> finestraDaNome(const QString& nome);

// What the commands ask of the window layer. Windows of later steps are reached
// through here; until one exists its request does nothing.
class HostFinestre {
public:
    virtual ~HostFinestre() = default;
    // Shows (loading it first when needed) and brings to the front a window.
    virtual void mostra(Finestra finestra, bool inPrimoPiano = true) = 0;
    // Unloads a window when it is loaded.
    virtual void chiudi(Finestra finestra) = 0;
    // Whether the window is loaded now.
    virtual bool caricata(Finestra finestra) const = 0;
    // Shows a page of a window that has pages (the settings window's frm_opt(0/1)).
    virtual void mostraPagina(Finestra finestra, int pagina) = 0;
    // Places a window at top 0 just right of another, loading it first when needed;
    // a window that nothing has registered is left alone.
    virtual void affianca(Finestra finestra, Finestra riferimento)
    {
        (void)finestra;
        (void)riferimento;
    }
    // The main window's mouse pointer: the hourglass while a transfer runs.
    virtual void clessidra(bool attiva) { (void)attiva; }
    // Closes the main window (Exit).
    virtual void chiudiPrincipale() = 0;
    // The main window's caption.
    virtual QString caption() const = 0;
    virtual void impostaCaption(const QString& testo) { (void)testo; }
};

HostFinestre* hostFinestre();
void setHostFinestre(HostFinestre* host);

// The hourglass on the main window for the life of the object.
class PuntatoreAttesa {
public:
    PuntatoreAttesa();
    ~PuntatoreAttesa();
    PuntatoreAttesa(const PuntatoreAttesa&) = delete;
    PuntatoreAttesa& operator=(const PuntatoreAttesa&) = delete;
};

} // namespace ludra
