#pragma once
// The argument layout of every function block: which of the eight fields it shows, in
// which order, with which caption, default, register-or-constant kind, initial value
// type and allowed types; the fields that take their value type from the encoded bytes
// of the line being edited; and the blocks that show the delay field.
#include <QString>
#include <cstdint>
#include <vector>

namespace ludra {

// A caption: text k1 of the running language, then a literal, then text k2 (a key of -1
// stands for nothing).
struct Didascalia {
    int chiave = -1;
    const char* letterale = "";
    int chiave2 = -1;
    QString testo() const;
};

// Bit t set: value type t allowed.
using MaschereTipi = std::uint16_t;
inline constexpr MaschereTipi kTipiDa0a4 = 0x1F;
inline constexpr MaschereTipi kTipiDa0a5 = 0x3F;

enum class Azione : std::uint8_t {
    Campo,              // fill one argument record and show it
    ElencoModuli,       // fill the device list of field 0 with the block's models
    ClickDispositivo,   // the device list's click: resources and channel limits
};

// What follows a field's ShowArg.
enum class Dopo : std::uint8_t {
    Nulla,
    NascondiTipo,        // the field takes no value type: its type list is hidden again
    ElencoEtichette,     // as NascondiTipo, then the labels of the unit fill the field
};

inline constexpr std::int8_t kTipoPrecaricato = -1;

struct PassoLayout {
    Azione azione = Azione::Campo;
    std::int8_t campo = 0;
    Didascalia didascalia;
    double valore = 0;
    bool primoRegistro = false;   // the default is PrimoRegUtente, not valore
    bool registro = false;
    std::int8_t tipo = 0;         // kTipoPrecaricato: from the line's bytes
    MaschereTipi ammessi = 0;
    Dopo dopo = Dopo::Nulla;
};

// A field whose value type the line's slot 1 gives back (low nibble + 16 x high).
struct Precarico {
    std::int8_t campo;
    std::uint8_t byte;           // byte 0 or 1 of slot 1
    bool nibbleAlto;
    std::uint8_t predefinito;    // the type without a loaded line, and the fall-back
};

struct LayoutBlocco {
    std::vector<PassoLayout> passi;
    std::vector<Precarico> precarico;
    bool precaricoSempre = false;   // read the bytes even when the line is not loaded
    bool ritardo = false;           // the communication delay field is shown
    bool confronto = false;         // Compare: eight fixed texts, no records
};

// The layout of an editor code; a code without one (Return, the codes without a
// button, anything out of range) shows no field.
LayoutBlocco LayoutDi(int codice);

// The sub-operation the arithmetic and bitwise blocks stand for, -1 for the others.
int SubOpLayout(int codice);

// Captions of the Compare block's eight fields.
inline constexpr const char* kDidascalieConfronto[8] = {
    "Reg A", "Reg B", "Mask", "Dest", "And if True", "Or if True", "And if False", "Or if False"};

} // namespace ludra
