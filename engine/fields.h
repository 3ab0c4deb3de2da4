#pragma once

#include <optional>
#include <string_view>

namespace lumora {

// Number fields of the engine's input files. Both readers use the full stop
// as decimal point and "E" (or "D") before a signed decimal exponent,
// whatever the locale. A value beyond the float range reads as infinity.

// A fixed-width field: blanks anywhere in it are ignored and a blank field
// reads as 0. Without a decimal point, a point is implied before the last
// `decimals` digits of the mantissa. Returns nothing when the text is not a number.
std::optional<float> parse_fixed_field(std::string_view field, int decimals);

// The first value of a free-format record: leading blanks are skipped, the
// value ends at a blank, tab or comma, and the rest of the record is ignored.
std::optional<float> parse_free_real(std::string_view record);
std::optional<int> parse_free_int(std::string_view record);

}  // namespace lumora
