// Decimal text to float, rounded step by step the way the importer rounds,
// so that the direct readers give its points bit for bit: the integer part
// exactly, the first 15 digits of the fraction scaled in double precision
// and added in single, the exponent applied as a power of ten in single
// precision. That is nearly always the nearest float, but a unit or two in
// the last place off now and then (3.999684 and 1.836970e-16, for two), and
// points a model shares must come out the same as the importer's.
#pragma once

#include <string_view>

namespace tessel::detail {

// False unless all of `text` is one number ("nan" and "inf" included).
bool ParseImporterFloat(std::string_view text, float& value);

}  // namespace tessel::detail
