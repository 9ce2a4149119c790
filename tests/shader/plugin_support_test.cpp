// What plug-ins build their entry points and texts from: finding their own
// library and its folder, and looking texts up by number.
#include <linvale/npr_shader_plugin.h>
#include <linvale/npr_string_table.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(PluginModule, AnAddressInsideALibraryLeadsToItsFolderAndAnythingElseToNothing) {
  HMODULE plugin = LoadLibraryA(MINIMAL_PLUGIN_PATH);
  ASSERT_NE(plugin, nullptr);
  const auto entry = reinterpret_cast<const void*>(GetProcAddress(plugin, "NprShaderCreate"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(NprModuleFolder(NprModuleAt(entry)), std::filesystem::path(MINIMAL_PLUGIN_PATH).parent_path().string());

  // The entry point makes its shader with the library it lies in.
  using Create = NprShader* (*)();
  NprShader* shader = reinterpret_cast<Create>(GetProcAddress(plugin, "NprShaderCreate"))();
  ASSERT_NE(shader, nullptr);
  EXPECT_EQ(std::string(shader->GetName(0)), MINIMAL_PLUGIN_PATH);
  using Delete = void (*)(NprShader*);
  reinterpret_cast<Delete>(GetProcAddress(plugin, "NprShaderDelete"))(shader);
  FreeLibrary(plugin);

  const int onTheStack = 0;
  EXPECT_EQ(NprModuleAt(&onTheStack), nullptr);
  EXPECT_EQ(NprModuleAt(nullptr), nullptr);
  // A module that was not found must not stand for the program itself.
  EXPECT_EQ(NprModuleFolder(nullptr), "");
}

TEST(StringTable, TextsAreFoundByNumberAndAnUnknownNumberGivesAnEmptyText) {
  enum class Text { First = 1, Second = 2, Missing = 3 };
  constexpr NprStringTable<Text, 2> table{{{Text::First, "first"}, {Text::Second, "second"}}};
  EXPECT_STREQ(NprLookUpString(table, Text::Second), "second");
  EXPECT_STREQ(NprLookUpString(table, Text::First), "first");
  EXPECT_STREQ(NprLookUpString(table, Text::Missing), "");
}

}  // namespace
