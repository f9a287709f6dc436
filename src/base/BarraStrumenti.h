#pragma once
// The toolbar as data: buttons with their keys, pictures, tooltips and enabled state,
// switched in named groups.
#include <QString>
#include <cstdint>
#include <vector>

namespace ludra {

// What a key would do while a controller sequence runs: nothing that matters to it,
// talk to the device (or change the link), or change the project or image being sent.
enum class Effetto { Nessuno, Dispositivo, Progetto };

struct Pulsante {
    QString chiave;       // empty for a separator
    QString immagine;     // picture key in the image list
    QString tooltip;      // also the description
    bool abilitato = true;   // as the groups set it
    bool bloccato = false;   // greyed while a controller sequence runs
    bool separatore = false;
    Effetto effetto = Effetto::Nessuno;   // what a running sequence greys
    bool attivo() const { return abilitato && !bloccato; }
};

class BarraStrumenti {
public:
    static BarraStrumenti& istanza();

    // Removes every button and adds these, in order (CreaToolBar, from the command table).
    void crea(std::vector<Pulsante> pulsanti);
    const std::vector<Pulsante>& pulsanti() const { return pulsanti_; }
    const Pulsante* trova(const QString& chiave) const;
    bool abilitato(const QString& chiave) const;
    void setAbilitato(const QString& chiave, bool abil);
    // Greys every key that talks to the device, and with `progetto` every key that
    // changes the project too, over the groups' own state, which comes back unchanged
    // (with whatever the groups set meanwhile) when the block is lifted.
    void blocca(bool progetto);
    void sblocca();
    // No keys, as before start-up builds them.
    void azzera() { pulsanti_.clear(); }

private:
    BarraStrumenti() = default;
    std::vector<Pulsante> pulsanti_;
};

// Enables or disables every button of a group: "Puls_DebugRelease", "Puls_Download",
// "Puls_Debug", "Puls_FunctionBlock", "Puls_Compila". Any other name changes nothing.
void AbilitaPulsanti(const QString& blocco, bool abil);

// The keys of a group, in toolbar order; empty for an unknown name.
std::vector<QString> PulsantiDelGruppo(const QString& blocco);

// The debug keys' options, as the settings set them.
extern bool AggiornaAuto;               // refresh registers while running
extern std::int16_t TempoAnimazione;    // animate interval, milliseconds

} // namespace ludra
