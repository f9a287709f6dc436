#pragma once
// The string table: user-interface texts in both languages (Italian 2000 + key,
// English 3000 + key), function-block names (1200 + code), language words (900-903)
// and product data (500-506).
#include <QString>
#include <optional>

namespace ludra::resources {

std::optional<QString> stringById(int id);

inline constexpr int kItalianBase = 2000;
inline constexpr int kEnglishBase = 3000;
inline constexpr int kFunctionNamesBase = 1200;

} // namespace ludra::resources
