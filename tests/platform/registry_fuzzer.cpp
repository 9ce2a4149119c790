// Feeds arbitrary bytes to the registry file parser and checks that a file it
// accepts reads back the same after being written, and that any value the
// store is given survives being written and read back, so no value can make
// the file unreadable.
#include "registry/registry_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using linvale::platform::RegistryStore;
using linvale::platform::RegistryValue;

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// Splits the input into a file and one value a caller would store in it:
// file \x01 key path \x01 value name \x01 four type bytes and the data.
struct FuzzInput {
  std::string_view file;
  std::string_view keyPath = "SOFTWARE\\Brisco\\OrvelleRuza";
  RegistryValue value{"Value", 4, std::string("\x2a\0\0\0", 4)};
};

std::string_view NextField(std::string_view& rest) {
  const auto separator = rest.find('\x01');
  const std::string_view field = rest.substr(0, separator);
  rest.remove_prefix(separator == std::string_view::npos ? rest.size() : separator + 1);
  return field;
}

FuzzInput SplitInput(std::string_view data) {
  FuzzInput input;
  input.file = NextField(data);
  if (data.empty()) {
    return input;
  }
  input.keyPath = NextField(data);
  input.value.name = std::string(NextField(data));
  if (data.size() >= 4) {
    std::memcpy(&input.value.type, data.data(), 4);
    input.value.data = std::string(data.substr(4));
  }
  return input;
}

void CheckStableRoundTrip(const RegistryStore& store) {
  const std::string text = store.Serialize();
  const auto reread = RegistryStore::Parse(text);
  Require(reread.has_value());
  Require(reread->Serialize() == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzInput input = SplitInput(std::string_view(reinterpret_cast<const char*>(data), size));
  auto store = RegistryStore::Parse(input.file);
  if (!store) {
    store = RegistryStore{};
  }
  CheckStableRoundTrip(*store);

  store->CreateKey(input.keyPath);
  if (!store->HasKey(input.keyPath) || !store->SetValue(input.keyPath, input.value)) {
    return 0;
  }
  const auto reread = RegistryStore::Parse(store->Serialize());
  Require(reread.has_value());
  const RegistryValue* found = reread->FindValue(input.keyPath, input.value.name);
  Require(found != nullptr && found->type == input.value.type && found->data == input.value.data);
  CheckStableRoundTrip(*reread);
  return 0;
}
