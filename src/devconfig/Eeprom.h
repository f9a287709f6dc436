#pragma once
// The controller memory tool: the MAC bytes, the layout pointers, one published
// variable entry, a raw value, a copy between ranges, the logger clear and memory
// image files. Each operation reads the fields it needs and writes its results into
// them; a field that does not hold what the operation needs stops it with a message
// before any request is made.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

inline constexpr int kIndirizzoMac = 189;          // MAC bytes 4, 5 and 6
inline constexpr int kIndirizzoPuntatori = 448;    // four 32-bit pointers
inline constexpr int kInizioLogger = 50000;
inline constexpr int kFineLogger = 60000;
inline constexpr std::uint8_t kByteLoggerVuoto = 50;

enum class Larghezza { Byte = 0, Int = 1, Float = 2, Long = 3 };

struct CampiEeprom {
    std::array<QString, 3> txt_MAC{QStringLiteral("00"), QStringLiteral("00"),
                                   QStringLiteral("00")};
    std::array<QString, 4> txt_punt{QStringLiteral("512"), QStringLiteral("5634"),
                                    QStringLiteral("32"), QStringLiteral("8192")};
    std::array<QString, 5> txt_WebReg{};
    QString txt_start = QStringLiteral("0");
    Larghezza larghezza = Larghezza::Byte;
    QString txt_valore = QStringLiteral("0");
    // txt_valoreA to txt_valoreD: the bytes at the address and the next three.
    std::array<QString, 4> txt_byte{QStringLiteral("000"), QStringLiteral("000"),
                                    QStringLiteral("000"), QStringLiteral("000")};
    QString Text3 = QStringLiteral("17471");   // copy source
    QString Text5 = QStringLiteral("50000");   // copy destination
    QString Text4 = QStringLiteral("1000");    // copy count
    QString Text1 = QStringLiteral("0");       // image range
    QString Text2 = QStringLiteral("65000");
};

bool LeggiMacEeprom(CampiEeprom& c);
bool ScriviMacEeprom(const CampiEeprom& c);
bool LeggiPuntatori(CampiEeprom& c);
bool ScriviPuntatori(const CampiEeprom& c);
// The model's pointers into the fields, then written.
bool PuntatoriPredefiniti(CampiEeprom& c);
bool ScriviVoceWeb(const CampiEeprom& c);
bool LeggiVoceWeb(CampiEeprom& c);
bool LeggiValore(CampiEeprom& c);
// Splits the decimal value into the byte fields; a value that is not a whole number
// fitting the width empties them, so that no stale byte can be written. No message:
// this runs on every keystroke.
void DividiValore(CampiEeprom& c);
bool ScriviValore(const CampiEeprom& c);
// Copies the bytes source + 1 .. source + n to destination + 1 .. destination + n; from
// the last byte down when the destination overlaps the source from above.
bool CopiaEeprom(const CampiEeprom& c);
bool CancellaLogger(int da = kInizioLogger, int a = kFineLogger);
bool EepromInFile(const CampiEeprom& c);
bool FileInEeprom(const CampiEeprom& c);

} // namespace ludra
