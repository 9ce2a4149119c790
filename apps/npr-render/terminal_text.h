// File and style names are printed as text the terminal shows and does not
// obey: a name could otherwise move the cursor, recolour the screen or fake
// a line of output with the control characters it holds.
#pragma once

#include <string>
#include <string_view>

namespace npr_render {

// `text` with its control characters written out: \n, \r and \t by name,
// other C0 controls and DEL as \xHH, C1 controls as \u00HH, and each byte of
// malformed UTF-8 as \xHH. Everything else, backslashes included, is kept.
std::string Printable(std::string_view text);

}  // namespace npr_render
