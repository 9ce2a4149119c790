#include "profile/profile_document.h"

#include "text/ascii_case.h"

#include <algorithm>

namespace linvale::platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string LowerAsciiText(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerAscii(c); });
  return lower;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

std::optional<std::string_view> SectionHeaderName(std::string_view line) {
  const std::string_view trimmed = TrimProfileBlanks(line);
  if (trimmed.empty() || trimmed.front() != '[') {
    return std::nullopt;
  }
  const auto close = trimmed.find(']');
  if (close == std::string_view::npos) {
    return std::nullopt;
  }
  return TrimProfileBlanks(trimmed.substr(1, close - 1));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

std::optional<Entry> KeyEntry(std::string_view line) {
  const std::string_view trimmed = TrimProfileBlanks(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') {
    return std::nullopt;
  }
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) {
    return std::nullopt;
  }
  const std::string_view key = TrimProfileBlanks(trimmed.substr(0, equals));
  if (key.empty()) {
    return std::nullopt;
  }
  return Entry{key, TrimProfileBlanks(trimmed.substr(equals + 1))};
}

std::string EntryLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  return line;
}

}  // namespace

std::string_view TrimProfileBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string_view UnquoteProfileValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsWritableSectionName(std::string_view section) {
  return !HasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool IsWritableKeyName(std::string_view key) {
  const std::string_view trimmed = TrimProfileBlanks(key);
  return !trimmed.empty() && !HasLineBreak(key) && key.find('=') == std::string_view::npos && trimmed.front() != '[' &&
         trimmed.front() != ';';
}

bool IsWritableValue(std::string_view value) { return !HasLineBreak(value); }

ProfileDocument ProfileDocument::Parse(std::string_view text) {
  ProfileDocument document;
  while (!text.empty()) {
    const auto lineBreak = text.find_first_of("\r\n");
    Line line;
    if (lineBreak == std::string_view::npos) {
      line.text = text;
      text = {};
    } else {
      line.text = text.substr(0, lineBreak);
      const bool crlf = text.substr(lineBreak).starts_with("\r\n");
      line.ending = crlf ? "\r\n" : std::string(1, text[lineBreak]);
      text.remove_prefix(lineBreak + line.ending.size());
    }
    document.mLines.push_back(std::move(line));
  }
  document.IndexSections();
  return document;
}

void ProfileDocument::IndexSections() {
  mFirstHeaders.clear();
  for (std::size_t i = 0; i < mLines.size(); ++i) {
    if (const auto name = SectionHeaderName(mLines[i].text)) {
      mFirstHeaders.try_emplace(LowerAsciiText(*name), i);
    }
  }
}

std::optional<std::size_t> ProfileDocument::FindSection(std::string_view section) const {
  const auto found = mFirstHeaders.find(LowerAsciiText(TrimProfileBlanks(section)));
  if (found == mFirstHeaders.end()) {
    return std::nullopt;
  }
  return found->second;
}

std::size_t ProfileDocument::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < mLines.size() && !SectionHeaderName(mLines[end].text)) {
    ++end;
  }
  return end;
}

std::optional<std::size_t> ProfileDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::string_view wanted = TrimProfileBlanks(key);
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const auto entry = KeyEntry(mLines[i].text);
    if (entry && EqualIgnoringCase(entry->key, wanted)) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::string_view> ProfileDocument::Value(std::string_view section, std::string_view key) const {
  const auto header = FindSection(section);
  if (!header) {
    return std::nullopt;
  }
  const auto line = FindKey(*header, key);
  if (!line) {
    return std::nullopt;
  }
  return KeyEntry(mLines[*line].text)->value;
}

std::vector<std::string_view> ProfileDocument::SectionNames() const {
  std::vector<std::string_view> names;
  for (const Line& line : mLines) {
    if (const auto name = SectionHeaderName(line.text)) {
      names.push_back(*name);
    }
  }
  return names;
}

std::vector<std::string_view> ProfileDocument::KeyNames(std::string_view section) const {
  std::vector<std::string_view> names;
  const auto header = FindSection(section);
  if (!header) {
    return names;
  }
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (const auto entry = KeyEntry(mLines[i].text)) {
      names.push_back(entry->key);
    }
  }
  return names;
}

std::string ProfileDocument::DefaultEnding() const {
  for (const Line& line : mLines) {
    if (!line.ending.empty()) {
      return line.ending;
    }
  }
  return "\n";
}

void ProfileDocument::InsertLine(std::size_t position, std::string text) {
  const std::string ending = DefaultEnding();
  // The line before may be the file's unterminated last line.
  if (position > 0 && mLines[position - 1].ending.empty()) {
    mLines[position - 1].ending = ending;
  }
  mLines.insert(mLines.begin() + static_cast<std::ptrdiff_t>(position), Line{std::move(text), ending});
  IndexSections();
}

void ProfileDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const auto header = FindSection(section);
  if (!header) {
    InsertLine(mLines.size(), "[" + std::string(TrimProfileBlanks(section)) + "]");
    InsertLine(mLines.size(), EntryLine(TrimProfileBlanks(key), value));
    return;
  }
  if (const auto line = FindKey(*header, key)) {
    // The existing spelling of the key is kept, as only the value changes.
    const std::string_view existingKey = KeyEntry(mLines[*line].text)->key;
    mLines[*line].text = EntryLine(existingKey, value);
    return;
  }
  // New keys go after the section's last non-blank line, so blank lines that
  // separate it from the next section stay where they are.
  std::size_t after = *header;
  const std::size_t end = SectionEnd(*header);
  for (std::size_t i = *header + 1; i < end; ++i) {
    if (!TrimProfileBlanks(mLines[i].text).empty()) {
      after = i;
    }
  }
  InsertLine(after + 1, EntryLine(TrimProfileBlanks(key), value));
}

void ProfileDocument::RemoveKey(std::string_view section, std::string_view key) {
  const auto header = FindSection(section);
  if (!header) {
    return;
  }
  if (const auto line = FindKey(*header, key)) {
    mLines.erase(mLines.begin() + static_cast<std::ptrdiff_t>(*line));
    IndexSections();
  }
}

void ProfileDocument::RemoveSection(std::string_view section) {
  const auto header = FindSection(section);
  if (!header) {
    return;
  }
  const std::size_t end = SectionEnd(*header);
  mLines.erase(mLines.begin() + static_cast<std::ptrdiff_t>(*header),
               mLines.begin() + static_cast<std::ptrdiff_t>(end));
  IndexSections();
}

std::string ProfileDocument::Text() const {
  std::string text;
  for (const Line& line : mLines) {
    text += line.text;
    text += line.ending;
  }
  return text;
}

}  // namespace linvale::platform
