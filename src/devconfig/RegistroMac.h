#pragma once
// The production register of MAC addresses: each device read gets the next running ID
// and the order (PFC / year) and customer it went to. The register is kept in a
// TAB-separated file and printed as a selection report.
#include "platform/VerbaleInsieme.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace ludra {

struct RecordMac {
    QString MAC;        // "00-04-A3-12-34-56"
    std::int32_t ID = 0;
    QString PFC;
    QString Anno;
    QString Cliente;
    bool operator==(const RecordMac&) const = default;
};

inline constexpr int kMaxRecordMac = 65536;
// A register file of that many lines never comes near this; anything larger is not one.
inline constexpr qint64 kMaxByteRegistroMac = 32LL * 1024 * 1024;

enum class CriterioReport { PFC = 0, Cliente = 1, Anno = 2 };

// The file's text: "ID TAB MAC TAB PFC/Anno TAB Cliente" CR LF per line, Windows-1252.
QByteArray TestoRegistroMac(const std::vector<RecordMac>& righe);
// Reads a register file; a line that is not one (fewer than three TABs, an ID that is
// not a whole number, a malformed MAC, no "/" in the order field) or too many lines
// refuse the whole file, `errore` naming the line.
std::optional<std::vector<RecordMac>> LeggiRegistroMac(const QByteArray& dati, QString& errore);

// "[ID] TAB MAC TAB PFC:pfc/anno TAB Cl.:cliente".
QString RigaListaMac(const RecordMac& r);

struct SceltaReport {
    CriterioReport criterio = CriterioReport::PFC;
    QString pfc;
    QString anno;
    QString cliente;
};
QByteArray TestoReportMac(const std::vector<RecordMac>& righe, const SceltaReport& scelta,
                          const QString& data);

// The register to write over a file that another window or process changed since this
// one read or wrote it: every line of the file (`suoi`) stays, a line this register
// changed since `base` takes the change, and a line this one added goes at the end,
// under a new ID when the file already gives its ID to another MAC. Lines are paired by
// their MAC and ID (a MAC may stand on several lines, each keeping its own fields).
// `note` gets each ID changed, each MAC both added and each line changed on both sides.
std::vector<RecordMac> UnisciRegistroMac(const std::vector<RecordMac>& base,
                                         const std::vector<RecordMac>& nostri,
                                         const std::vector<RecordMac>& suoi, QStringList& note);

// A typed text made safe for the file: TAB and line breaks become blanks (and "/" in
// the year, which separates it from the order number).
QString CampoMac(const QString& testo, bool anno = false);

// The register of one window.
class RegistroMac {
public:
    std::vector<RecordMac> ElencoMac;
    QString FileMac;
    bool Modificato = false;
    QString MacLetto;

    int NumMac() const { return int(ElencoMac.size()); }
    QStringList righeLista() const;

    // Asks the device at address 1 for its MAC and adds it with the fields given.
    bool leggiMac(const QString& pfc, const QString& anno, const QString& cliente);
    // Whether the typed fields can go into the file unchanged; a box names the first
    // character the file's code page lacks.
    static bool campiScrivibili(const QString& pfc, const QString& anno, const QString& cliente);
    // The part after the request: refuses an erased MAC and a duplicate.
    bool aggiungiMac(const QString& mac, const QString& pfc, const QString& anno,
                     const QString& cliente);
    bool modifica(int selezionata, const QString& pfc, const QString& anno,
                  const QString& cliente);
    bool salva();
    bool carica();
    bool report(const SceltaReport& scelta, const QDate& data = QDate::currentDate());
    // Whether the window may close now, saving first when the user asks for it.
    bool puoChiudere();

private:
    bool scriviFile(const QString& percorso, const QByteArray& dati);
    // The lines to write over FileMac: the register, merged with what another writer put
    // there since it was read; false with a box when the file cannot be read.
    bool daScrivere(std::vector<RecordMac>& righe, QStringList& note);

    // The file's register and text as this window last read or wrote them; none while
    // FileMac names a file this window has not read nor written.
    std::vector<RecordMac> base_;
    std::optional<platform::Impronta> visto_;
};

} // namespace ludra
