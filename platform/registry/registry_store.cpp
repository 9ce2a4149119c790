#include "registry/registry_store.h"

#include "text/ascii_case.h"

#include <win32/registry.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace linvale::platform {
namespace {

// File layout, one line each:
//   ; comment
//   [SOFTWARE\Brisco\OrvelleRuza]
//   "Name"=sz:"text"        @ names the default value
//   "Name"=dword:0000002a
//   "Name"=hex(3):00,ff     any other type, as bytes
// Inside quotes '\' and '"' are escaped with '\', control bytes as \xHH.

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }

const char* const kHexDigits = "0123456789abcdef";

std::string HexByte(unsigned char byte) { return {kHexDigits[byte >> 4], kHexDigits[byte & 15]}; }

std::optional<unsigned> HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return static_cast<unsigned>(c - '0');
  }
  const char lower = LowerAscii(c);
  if (lower >= 'a' && lower <= 'f') {
    return static_cast<unsigned>(lower - 'a' + 10);
  }
  return std::nullopt;
}

std::optional<unsigned char> ParseHexByte(std::string_view text) {
  if (text.size() != 2) {
    return std::nullopt;
  }
  const auto high = HexDigit(text[0]);
  const auto low = HexDigit(text[1]);
  if (!high || !low) {
    return std::nullopt;
  }
  return static_cast<unsigned char>(*high * 16 + *low);
}

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      quoted += '\\';
      quoted += c;
    } else if (IsControl(c)) {
      quoted += "\\x" + HexByte(static_cast<unsigned char>(c));
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

// Reads a quoted text at the start of `text` and moves past it.
std::optional<std::string> Unquote(std::string_view& text) {
  if (text.empty() || text.front() != '"') {
    return std::nullopt;
  }
  std::string value;
  std::size_t i = 1;
  while (i < text.size() && text[i] != '"') {
    if (text[i] != '\\') {
      value += text[i++];
      continue;
    }
    if (i + 1 >= text.size()) {
      return std::nullopt;
    }
    const char escaped = text[i + 1];
    if (escaped == '\\' || escaped == '"') {
      value += escaped;
      i += 2;
    } else if (escaped == 'x' && i + 3 < text.size()) {
      const auto byte = ParseHexByte(text.substr(i + 2, 2));
      if (!byte) {
        return std::nullopt;
      }
      value += static_cast<char>(*byte);
      i += 4;
    } else {
      return std::nullopt;
    }
  }
  if (i >= text.size()) {
    return std::nullopt;
  }
  text.remove_prefix(i + 1);
  return value;
}

std::string DwordText(std::string_view data) {
  DWORD number = 0;
  for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
    number |= static_cast<DWORD>(static_cast<unsigned char>(data[i])) << (8 * i);
  }
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(number));
  return text;
}

std::optional<std::string> ParseDword(std::string_view text) {
  if (text.empty() || text.size() > 8) {
    return std::nullopt;
  }
  DWORD number = 0;
  for (const char c : text) {
    const auto digit = HexDigit(c);
    if (!digit) {
      return std::nullopt;
    }
    number = number * 16 + *digit;
  }
  std::string data(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) {
    data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  }
  return data;
}

std::string BytesText(std::string_view data) {
  std::string text;
  for (std::size_t i = 0; i < data.size(); ++i) {
    text += (i == 0 ? "" : ",") + HexByte(static_cast<unsigned char>(data[i]));
  }
  return text;
}

std::optional<std::string> ParseBytes(std::string_view text) {
  std::string data;
  while (!text.empty()) {
    const auto byte = ParseHexByte(text.substr(0, 2));
    if (!byte) {
      return std::nullopt;
    }
    data += static_cast<char>(*byte);
    text.remove_prefix(std::min<std::size_t>(2, text.size()));
    if (!text.empty()) {
      if (text.front() != ',') {
        return std::nullopt;
      }
      text.remove_prefix(1);
      if (text.empty()) {
        return std::nullopt;
      }
    }
  }
  return data;
}

std::string ValueLine(const RegistryValue& value) {
  std::string line = value.name.empty() ? "@" : Quote(value.name);
  line += '=';
  if (value.type == REG_SZ) {
    line += "sz:" + Quote(value.data);
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    line += "dword:" + DwordText(value.data);
  } else {
    line += "hex(" + std::to_string(value.type) + "):" + BytesText(value.data);
  }
  return line;
}

// Any DWORD is a type the writer may have stored, up to ten digits; a number
// beyond 32 bits cannot have come from the writer.
std::optional<DWORD> ParseTypeNumber(std::string_view text) {
  if (text.empty() || text.size() > 10) {
    return std::nullopt;
  }
  std::uint64_t number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (number > 0xFFFFFFFFu) {
    return std::nullopt;
  }
  return static_cast<DWORD>(number);
}

std::optional<RegistryValue> ParseValueData(std::string_view text) {
  RegistryValue value;
  if (text.starts_with("sz:")) {
    text.remove_prefix(3);
    auto data = Unquote(text);
    if (!data || !text.empty()) {
      return std::nullopt;
    }
    value.type = 1;
    value.data = std::move(*data);
    return value;
  }
  if (text.starts_with("dword:")) {
    auto data = ParseDword(text.substr(6));
    if (!data) {
      return std::nullopt;
    }
    value.type = 4;
    value.data = std::move(*data);
    return value;
  }
  if (text.starts_with("hex(")) {
    const auto close = text.find("):");
    if (close == std::string_view::npos) {
      return std::nullopt;
    }
    const auto type = ParseTypeNumber(text.substr(4, close - 4));
    auto data = ParseBytes(text.substr(close + 2));
    if (!type || !data) {
      return std::nullopt;
    }
    value.type = *type;
    value.data = std::move(*data);
    return value;
  }
  return std::nullopt;
}

std::optional<RegistryValue> ParseValueLine(std::string_view line) {
  std::string name;
  if (line.starts_with("@")) {
    line.remove_prefix(1);
  } else {
    auto quoted = Unquote(line);
    if (!quoted || quoted->empty()) {
      return std::nullopt;
    }
    name = std::move(*quoted);
  }
  if (line.empty() || line.front() != '=') {
    return std::nullopt;
  }
  auto value = ParseValueData(line.substr(1));
  if (value) {
    value->name = std::move(name);
  }
  return value;
}

}  // namespace

std::optional<std::string> NormalizeKeyPath(std::string_view path) {
  std::string normalized;
  while (!path.empty()) {
    const auto separator = path.find('\\');
    const std::string_view component = path.substr(0, separator);
    if (std::any_of(component.begin(), component.end(), IsControl)) {
      return std::nullopt;
    }
    if (!component.empty()) {
      normalized = JoinKeyPath(normalized, component);
    }
    path.remove_prefix(separator == std::string_view::npos ? path.size() : separator + 1);
  }
  return normalized;
}

std::string JoinKeyPath(std::string_view base, std::string_view subKey) {
  if (base.empty()) {
    return std::string(subKey);
  }
  if (subKey.empty()) {
    return std::string(base);
  }
  return std::string(base) + '\\' + std::string(subKey);
}

std::optional<RegistryStore> RegistryStore::Parse(std::string_view text) {
  RegistryStore store;
  RegistryKey* current = nullptr;
  while (!text.empty()) {
    const auto newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (line.empty() || line.front() == ';') {
      continue;
    }
    if (line.front() == '[') {
      if (line.back() != ']') {
        return std::nullopt;
      }
      const auto path = NormalizeKeyPath(line.substr(1, line.size() - 2));
      if (!path) {
        return std::nullopt;
      }
      store.CreateKey(*path);
      current = store.FindKey(*path);
      continue;
    }
    auto value = ParseValueLine(line);
    if (!value || current == nullptr) {
      return std::nullopt;
    }
    const std::string path = current->path;
    store.SetValue(path, std::move(*value));
  }
  return store;
}

std::string RegistryStore::Serialize() const {
  std::string text = "; Registry of the Linvale platform layer, rewritten on every change.\n";
  for (const RegistryKey& key : mKeys) {
    text += "[" + key.path + "]\n";
    for (const RegistryValue& value : key.values) {
      text += ValueLine(value) + "\n";
    }
  }
  return text;
}

const RegistryKey* RegistryStore::FindKey(std::string_view path) const {
  const auto found = std::find_if(mKeys.begin(), mKeys.end(),
                                  [&](const RegistryKey& key) { return EqualIgnoringCase(key.path, path); });
  return found == mKeys.end() ? nullptr : &*found;
}

RegistryKey* RegistryStore::FindKey(std::string_view path) {
  return const_cast<RegistryKey*>(std::as_const(*this).FindKey(path));
}

bool RegistryStore::HasKey(std::string_view path) const {
  const auto normalized = NormalizeKeyPath(path);
  return normalized && (normalized->empty() || FindKey(*normalized) != nullptr);
}

bool RegistryStore::CreateKey(std::string_view path) {
  const auto normalized = NormalizeKeyPath(path);
  if (!normalized || FindKey(*normalized) != nullptr) {
    return false;
  }
  // Parents first, so that the file lists a key after the keys above it.
  std::size_t separator = normalized->find('\\');
  while (separator != std::string::npos) {
    const std::string parent = normalized->substr(0, separator);
    if (FindKey(parent) == nullptr) {
      mKeys.push_back(RegistryKey{parent, {}});
    }
    separator = normalized->find('\\', separator + 1);
  }
  mKeys.push_back(RegistryKey{*normalized, {}});
  return true;
}

const RegistryValue* RegistryStore::FindValue(std::string_view path, std::string_view name) const {
  const auto normalized = NormalizeKeyPath(path);
  const RegistryKey* key = normalized ? FindKey(*normalized) : nullptr;
  if (key == nullptr) {
    return nullptr;
  }
  const auto found = std::find_if(key->values.begin(), key->values.end(),
                                  [&](const RegistryValue& value) { return EqualIgnoringCase(value.name, name); });
  return found == key->values.end() ? nullptr : &*found;
}

bool RegistryStore::SetValue(std::string_view path, RegistryValue value) {
  const auto normalized = NormalizeKeyPath(path);
  if (!normalized) {
    return false;
  }
  if (normalized->empty()) {
    CreateKey("");
  }
  RegistryKey* key = FindKey(*normalized);
  if (key == nullptr) {
    return false;
  }
  const auto found = std::find_if(key->values.begin(), key->values.end(), [&](const RegistryValue& existing) {
    return EqualIgnoringCase(existing.name, value.name);
  });
  if (found != key->values.end()) {
    found->type = value.type;
    found->data = std::move(value.data);
  } else {
    key->values.push_back(std::move(value));
  }
  return true;
}

}  // namespace linvale::platform
