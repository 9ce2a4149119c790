// Feeds arbitrary bytes to the profile reader and checks that reading never
// fails, that a value written is the value read back, and that a file keeps
// its encoding when it is written.
#include "profile/profile_document.h"
#include "profile/profile_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using linvale::platform::DecodeProfileText;
using linvale::platform::EncodeProfileText;
using linvale::platform::ProfileDocument;

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// Splits the input into a file and the names a caller would use on it.
struct FuzzInput {
  std::string_view file;
  std::string_view section = "Common";
  std::string_view key = "Style";
};

FuzzInput SplitInput(std::string_view data) {
  FuzzInput input;
  const auto separator = data.find('\x01');
  input.file = data.substr(0, separator);
  if (separator == std::string_view::npos) {
    return input;
  }
  std::string_view names = data.substr(separator + 1);
  const auto second = names.find('\x01');
  input.section = names.substr(0, second);
  if (second != std::string_view::npos) {
    input.key = names.substr(second + 1);
  }
  return input;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzInput input = SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  const auto decoded = DecodeProfileText(input.file);
  if (const auto encoded = EncodeProfileText(decoded.text, decoded.encoding)) {
    Require(*encoded == input.file);
  }
  ProfileDocument document = ProfileDocument::Parse(input.file);
  Require(document.Text() == input.file);
  (void)linvale::platform::UnquoteProfileValue(input.file);

  for (std::string_view section : document.SectionNames()) {
    for (std::string_view key : document.KeyNames(section)) {
      Require(document.Value(section, key).has_value());
    }
  }
  (void)document.Value(input.section, input.key);

  if (linvale::platform::IsWritableSectionName(input.section) && linvale::platform::IsWritableKeyName(input.key)) {
    const std::string value = "written value";
    document.SetValue(input.section, input.key, value);
    const ProfileDocument reread = ProfileDocument::Parse(document.Text());
    const auto found = reread.Value(input.section, input.key);
    Require(found.has_value() && *found == value);
    document.RemoveKey(input.section, input.key);
    document.RemoveSection(input.section);
  }
  return 0;
}
