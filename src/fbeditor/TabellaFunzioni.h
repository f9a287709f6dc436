#pragma once
// The catalogue of function blocks as the editor offers them: the editor codes 0 to 46
// with the line triple (Classe, Funzione, SubOp) each writes, the category tabs, the
// grid of choices on each tab, and the way back from a stored triple to its code.
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace ludra {

inline constexpr int kNumCodiciFunzione = 47;      // editor codes 0..46
inline constexpr int kVociTabellaFunzioni = 101;   // entries 0..100; above 46 all zero
inline constexpr int kNumSchede = 9;               // category tabs 1..9

struct VoceFunzione {
    std::uint16_t Categoria = 0;   // tab 1..9 the layout selects; 0 none
    std::uint16_t Classe = 0;
    std::uint16_t Funzione = 0;
    std::uint16_t SubOp = 0;
    std::uint16_t IdImmagine = 0;  // picture of the block in its ladder row; 0 none
};

// Entry 41 (Log Write) carries its stored triple 3, 138, 0 although the editor offers
// it on no tab, so a Log Write line opened and confirmed keeps its block type.
extern const std::array<VoceFunzione, kVociTabellaFunzioni> TabellaFunzioni;

// Whether the code has a choice button (0..46 but 41).
bool HaPulsanteFunzione(int codice);

// The choice button's background as &HBBGGRR; 0 for a code without a button.
std::uint32_t ColoreFunzione(int codice);

// Caption of category tab 1..9 ("Comm" .. "Display"); empty for any other index. The
// same in every language.
QString NomeScheda(int scheda);

// One choice on a tab's grid.
struct PosizioneFunzione {
    std::uint8_t codice;
    std::uint8_t riga;
    std::uint8_t colonna;
};

// The choices tab 1..9 shows, row by row; empty for any other index.
std::span<const PosizioneFunzione> PosizioniScheda(int scheda);

// Where a choice sits inside its frame, in twips.
inline constexpr int kLeftPulsante(int colonna) { return colonna * 1100 + 100; }
inline constexpr int kTopPulsante(int riga) { return riga * 600 + 1500; }

// The editor code of a stored line from its Classe, Funzione and SubOp; 0 for a blank
// line and for any triple no code stands for.
std::uint8_t FunzToOpt(int classe, int funzione, int subOp);
// The same, with nothing for a triple no code stands for.
std::optional<std::uint8_t> CodiceDaTripla(int classe, int funzione, int subOp);

} // namespace ludra
