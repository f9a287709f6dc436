#pragma once
// The program compiler: turns the project (main program, display-page programs,
// display images and scheduler objects) into CodiceProgramma and reports to the Log.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace ludra {

// What one line compiler hands back.
struct EsitoRiga {
    QString MessaggioRiga;   // a line error (a target label no line carries): the compile
                             // goes on and fails at its end
    QString Guasto;          // the cause of a fault: the compile ends at once
    bool guasto() const { return !Guasto.isEmpty(); }
};

// The causes a fault records in Errori (fixed texts, the same in both languages).
namespace guasti {
inline const QString TroppiRecord = QStringLiteral("More than 255 records");
inline const QString TroppiBlocchi = QStringLiteral("More than 255 data blocks");
inline const QString OltreImmagine = QStringLiteral("Beyond byte 6400 of the program image");
inline const QString Lunghezza = QStringLiteral("Data length out of range");
inline const QString Funzione = QStringLiteral("Function code out of range");
inline const QString TroppePagine = QStringLiteral("More than 7 pages in a page list");
inline const QString NessunaPagina = QStringLiteral("No pages for a page list");
inline const QString CodiceScheduler = QStringLiteral("Scheduler data too long");
inline const QString Immagine = QStringLiteral("Image size out of range");
inline const QString ImmaginiDati = QStringLiteral("Images overlap the data area");
inline const QString DatiTabelle = QStringLiteral("Data area overlaps the tables");
inline const QString Conteggio = QStringLiteral("Count out of range");
inline const QString AreaProgramma = QStringLiteral("Program area size out of range");
} // namespace guasti

// Compiles the whole project, writes the report to the Log and returns the bytes in
// use, or 0 when the compile failed (then NumErrori is at least 1). Whatever happens,
// SubCorrente is the main program afterwards.
std::int32_t Compila();

// Line `line` (1..100) of unit SubCorrente: its record and, for a local operation,
// its data block.
EsitoRiga CompilaRung(int line);

// Scheduler object `index` (1..32): its record and data block.
EsitoRiga CompilaScheduler(int index);

// Writes the jump, call and page-list targets into line `line` of unit SubCorrente.
EsitoRiga RisolviEtichette(int line);

// The number of the line carrying `label` (its record index + 1), 0 when no line in a
// unit this compile emits carries it. "DISPLAY" names the first record after unit
// SubCorrente unless a line carries it. The empty label is carried by no line.
std::int16_t TrovaEtichetta(const QString& label);

// The line that writes command record `record` (0-based, as the controller's program
// counter counts them), walking the units in the order a compile of the project as it
// now stands emits them: blank lines write no record. Nothing for a scheduler record or
// an index past the last line's record.
struct OrigineRecord {
    int sezione = 0;
    int riga = 0;
    bool operator==(const OrigineRecord&) const = default;
};
std::optional<OrigineRecord> RigaDelRecord(int record);

// Before a KVR5460 compile the display-page units are rewritten from the pages, so the
// page-list targets and the units agree: the page compiler does it unless another is
// set here; with none set the units are compiled as they stand.
void ImpostaRigeneraPagine(std::function<void()> rigenera);

} // namespace ludra
