#pragma once
// Reading a device's configuration into the fields of the configuration window: which
// registers each model is asked for, in which order, and how each byte fills a field.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace ludra {

// The configuration window's fields as the read and the writes see them. Texts are
// what the fields show; a field the read does not reach keeps its value.
struct CampiConfig {
    QString txt_vers, txt_nome, txt_add;
    std::optional<bool> dispPos;           // opt_DispMode(1) "POS" or (0) "NEG"; none chosen
    int contrasto = 0, luminosita = 0;     // bar_Contr, bar_Lumin, 0..15
    std::array<QString, 8> Text3;          // clock: time 0, 1, 3; weekday, day, month, year 4..7
    std::array<QString, 2> baud;           // cmb_baud(0/1) texts
    std::array<QString, 2> ritardo;        // txt_delay(0/1)
    QString wdt;                           // txt_wdt(0)
    bool wdtAbilitato = false;             // chk_wdt(0)
    bool eventoWdt = false, eventoAccensione = false;
    std::array<bool, 8> bitAccensione{}, bitSicuro{};
    std::array<bool, 16> led{};
    std::array<bool, 8> bitUscita{};       // chk_OutputBit
    std::array<int, 8> tipoUscita{};       // cmb_Out list index: 0 "mA", 1 "V"
    std::array<QString, 8> uscita, sicuro; // txt_Output, txt_Safe
    std::array<bool, 8> abilitato{};       // chk_En
    std::array<bool, 8> rotto{};           // pBreak red
    std::optional<int> tipoIngresso;       // code of the selected cmb_Type item
    std::array<QString, 8> ingresso, ingressoSync;
    bool operator==(const CampiConfig&) const = default;
};

// The slave address typed in the window: a number 0..255 (rounded); nothing otherwise.
std::optional<std::uint8_t> IndirizzoSlave(const QString& testo);

// The read of the device at the slave address, for the model chosen. On success the
// fields take the values read and the result is true. On any failure (a request that
// fails, a reply too short for what was asked, a clock byte that is no date, an address
// that is no byte) the fields are left exactly as they were, a critical message says
// what failed, StopCom is set so a cyclic read ends, and the result is false.
bool LeggiConfigurazione(const QString& modello, const QString& indirizzo, CampiConfig& campi);

// The window's cyclic read, as the window hands it over: one read (and its drawing),
// whether the window is still there, and the writes the user clicked meanwhile.
struct CicloLettura {
    std::function<void()> leggi;
    std::function<bool()> aperta;
    std::function<void()> scritture;
};

// Reads over and over, with the writes clicked meanwhile going out between two reads,
// until StopCom is set (the stop button, a failed read) or the window goes. False, with
// nothing done, when the link is held by something else.
bool LetturaCiclica(const CicloLettura& ciclo);

// The error exit's message box title.
inline constexpr const char* kTitoloErroreLettura = "VUV-ODO";

} // namespace ludra
