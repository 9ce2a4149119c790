// Numbers as a user types them into a property page's edit, shared by the
// plug-ins' page rules so that every page takes the same texts.
#pragma once

#include <linvale/export.h>

#include <optional>
#include <string_view>

// A whole number as typed: an optional sign and digits only, nothing else
// (no blanks, no point, no base prefix); nothing for any other text or a
// number beyond the range of long.
LINVALE_API std::optional<long> NprParseTypedWholeNumber(std::string_view text);
