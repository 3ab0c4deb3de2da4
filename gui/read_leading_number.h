#pragma once

#include <string_view>

namespace lumora {

// The number at the start of a text field, as the windows read their inputs.
// Blanks, tabs and line feeds anywhere in the text are ignored. The number is
// an optional sign, digits with an optional decimal point (always the full
// stop) and an optional exponent "E" or "e" with its own optional sign;
// reading stops at the first character that cannot continue it. A text that
// does not begin with a number gives 0. A number too large for a double gives
// an infinity of its sign, one too small gives 0.
double ReadLeadingNumber(std::string_view text);

}  // namespace lumora
