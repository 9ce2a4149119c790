// Texts looked up by number in a fixed table. The renderer's messages and
// each plug-in's texts are kept this way, so that a translation replaces a
// table and nothing else.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

template <typename Id, std::size_t Count>
using NprStringTable = std::array<std::pair<Id, const char*>, Count>;

// The text of `id` in `table`; never null: a number the table does not hold
// gives an empty text.
template <typename Id, std::size_t Count>
constexpr const char* NprLookUpString(const NprStringTable<Id, Count>& table, Id id) {
  for (const auto& [key, text] : table) {
    if (key == id) {
      return text;
    }
  }
  return "";
}
