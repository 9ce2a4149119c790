// The text of a private-profile file: sections in square brackets, "key=value"
// lines, matched the way Windows matches them (names ignoring case, first
// match wins, blanks around names and values ignored). Lines may end in LF,
// CRLF or a lone CR. Edits touch only the lines they concern, so comments,
// unknown lines and line endings survive. Sections are found through an index
// of their names, so a lookup in a file of many sections costs no scan.
// Free of any platform call, so the parser can be fuzzed on its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace linvale::platform {

class ProfileDocument {
public:
  static ProfileDocument Parse(std::string_view text);

  // The value as written in the file; see UnquoteProfileValue.
  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
  std::vector<std::string_view> SectionNames() const;
  // Keys of the first section of that name, in file order.
  std::vector<std::string_view> KeyNames(std::string_view section) const;

  // Replaces the value of the first matching key, or adds the key at the end
  // of its section, or the section at the end of the file.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  void RemoveKey(std::string_view section, std::string_view key);
  void RemoveSection(std::string_view section);

  std::string Text() const;

private:
  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\n", "\r\n", "\r", or empty for an unterminated last line
  };

  void IndexSections();

  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  void InsertLine(std::size_t position, std::string text);
  std::string DefaultEnding() const;

  std::vector<Line> mLines;
  // Lower-case section name to the line of its first header.
  std::unordered_map<std::string, std::size_t> mFirstHeaders;
};

// Names as the profile functions compare them: blanks around them ignored.
std::string_view TrimProfileBlanks(std::string_view text);

// A value as the profile functions return it: one pair of matching double or
// single quotes around it is dropped.
std::string_view UnquoteProfileValue(std::string_view value);

// Whether a name or value can be written without changing the structure of
// the file (no line breaks; keys without '=', sections without ']', neither
// starting like a section header or a comment).
bool IsWritableSectionName(std::string_view section);
bool IsWritableKeyName(std::string_view key);
bool IsWritableValue(std::string_view value);

}  // namespace linvale::platform
