// The text of a private-profile file: sections in square brackets, "key=value"
// lines, matched the way Windows matches them (names ignoring case, first
// match wins, blanks around names and values ignored). Edits touch only the
// lines they concern, so comments, unknown lines and line endings survive.
// Free of any platform call, so the parser can be fuzzed on its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linvale::platform {

class ProfileDocument {
public:
  static ProfileDocument Parse(std::string_view text);

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
    std::string text;  // without its line ending
    std::string ending;  // "\n", "\r\n", or empty for an unterminated last line
  };

  std::optional<std::size_t> FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
  void InsertLine(std::size_t position, std::string text);
  std::string DefaultEnding() const;

  std::vector<Line> mLines;
};

// Names as the profile functions compare them: blanks around them ignored.
std::string_view TrimProfileBlanks(std::string_view text);

// Whether a name or value can be written without changing the structure of
// the file (no line breaks; keys without '=', sections without ']', neither
// starting like a section header or a comment).
bool IsWritableSectionName(std::string_view section);
bool IsWritableKeyName(std::string_view key);
bool IsWritableValue(std::string_view value);

}  // namespace linvale::platform
