#pragma once
// Whole numbers typed into the memory tools' fields. Unlike the general number reader,
// which reads any text as some number, these refuse a text that is not a number or a
// value out of range, so that nothing the user did not mean reaches a device.
#include <QString>
#include <optional>

namespace ludra {

// A decimal number (rounded to the nearest integer) or "&H" followed by hexadecimal
// digits, blanks around it ignored, within [minimo, massimo]; nothing otherwise.
std::optional<long long> CampoIntero(const QString& testo, long long minimo, long long massimo);

} // namespace ludra
