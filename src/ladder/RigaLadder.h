#pragma once
// What one row of the ladder view shows: one record per line number, written by the
// ladder operations, the line assembly and the debug display, read by the window that
// draws it and by the listing. The fields are named after the row's controls.
#include <QString>
#include <QtGlobal>
#include <array>

namespace ludra {

// Row geometry in twips, relative to the unit's drawing area (panel and frame) or to
// the row panel (everything else).
namespace geo {
inline constexpr int kPannelloLeft = 120;
inline constexpr int kPannelloLeftRiga0 = 60;
inline constexpr int kPannelloLarghezza = 5475;
inline constexpr int kBordoLeft = 60;
inline constexpr int kBordoLeftRiga0 = 0;
inline constexpr int kBordoLarghezza = 5595;
inline constexpr int kTopPannelloRiga0 = 120;   // the design row, never shown
inline constexpr int kTopBordoRiga0 = 60;

inline constexpr int kPannelloAlto = 1515;      // tall rows
inline constexpr int kBordoAlto = 1635;
inline constexpr int kPassoAlto = 1800;
inline constexpr int kPannelloBasso = 400;      // compact rows
inline constexpr int kBordoBasso = 520;
inline constexpr int kPassoBasso = 565;

inline constexpr int kTopPrimoPannello = 200;
inline constexpr int kTopPrimoBordo = 140;

inline constexpr int kAltezzaPrincipale = 13000;   // main window at start-up
inline constexpr int kAltezzaArea = 5355;          // drawing area as designed
} // namespace geo

// Colours as &HBBGGRR, or &H800000nn for a system colour.
namespace colore {
inline constexpr quint32 kRosso = 0x000000FF;
inline constexpr quint32 kBianco = 0x00FFFFFF;
inline constexpr quint32 kFacciaPulsante = 0x8000000F;
inline constexpr quint32 kSfondoFinestra = 0x80000005;
inline constexpr quint32 kGrigioChiaro = 0x00E0E0E0;
inline constexpr quint32 kBlu = 0x00FF0000;
inline constexpr quint32 kVerdeDescrizione = 0x0000C000;
inline constexpr quint32 kVerdeValori = 0x00C0FFC0;
inline constexpr quint32 kSfondoVista = 0x00E0E0E0;
inline constexpr quint32 kRossoScuro = 0x00000080;
} // namespace colore

// One label or text box of a row.
struct ControlloRiga {
    QString caption;
    bool visibile = false;
    bool operator==(const ControlloRiga&) const = default;
};

struct RigaLadder {
    bool caricata = false;   // the row's controls exist

    // shRung: the row panel in the drawing area.
    int topPannello = 0;
    int altezzaPannello = geo::kPannelloAlto;
    bool pannelloVisibile = false;
    // Bordo: the selection frame around the panel.
    int topBordo = 0;
    int altezzaBordo = geo::kBordoAlto;
    quint32 coloreBordo = colore::kFacciaPulsante;

    ControlloRiga lbl_Rung;                     // the line number
    quint32 sfondoNumero = colore::kSfondoFinestra;   // run marker of the debugger
    ControlloRiga txt_Label;                    // the line's label
    ControlloRiga txt_Func;                     // block name (compact rows)
    quint32 sfondoFunzione = colore::kGrigioChiaro;   // colour of the block's category
    ControlloRiga txt_Var;                      // argument summary (compact rows)
    bool img_Break = false;                     // breakpoint mark shown
    bool immagineVisibile = false;              // Immagine: the block picture
    int immagine = 0;                           // its bitmap resource id, 0 none
    std::array<ControlloRiga, 8> txt_VarN;      // txt_Var0 .. txt_Var7: argument values
    std::array<ControlloRiga, 8> lbl_VarN;      // lbl_Var0 .. lbl_Var7: argument names
    QString txt_desc;                           // the description box

    // What a line carries from row to row: picture, mark, captions, description. The
    // number, position, frame and the format's fields stay with the row.
    void prendiContenuto(const RigaLadder& sorgente);
    bool contenutoUguale(const RigaLadder& altra) const;
    bool operator==(const RigaLadder&) const = default;
};

// The look of a freshly created row for line n (hidden until laid out).
RigaLadder RigaNuova(int n);

} // namespace ludra
