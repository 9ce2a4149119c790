// npr-render on every model of the importer's own test collection (valid,
// damaged, empty and hostile files in dozens of formats): each run either
// writes a picture or names the file it could not use, within a minute and
// without a crash.
#include "../support/temporary_home.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kCorpus = "/usr/share/assimp/models";

// Textures, notes and side files that come with the models.
bool IsModelFile(const fs::path& path) {
  static const std::set<std::string> kNotModels = {
      ".png", ".jpg", ".jpeg", ".tga",  ".bmp", ".dds", ".txt",  ".bin",  ".mtl", ".glsl",     ".xml",     ".gif",
      ".tif", ".pcx", ".md",   ".html", ".ini", ".log", ".vert", ".frag", ".ktx", ".material", ".skeleton"};
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return kNotModels.count(extension) == 0;
}

}  // namespace

TEST(ModelCorpus, EveryFileRendersOrIsRefusedByName) {
  if (!fs::is_directory(kCorpus)) {
    GTEST_SKIP() << kCorpus << " is missing (scripts/install-deps installs it)";
  }
  std::vector<fs::path> models;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus)) {
    if (entry.is_regular_file() && IsModelFile(entry.path())) {
      models.push_back(entry.path());
    }
  }
  std::sort(models.begin(), models.end());
  ASSERT_GT(models.size(), 100u);

  linvale::test::TemporaryHome home;
  const std::string picture = home / "picture.png";
  int rendered = 0;
  for (const fs::path& model : models) {
    const auto result = linvale::test::RunProgram(
        "/usr/bin/timeout",
        {"60", NPR_RENDER_PROGRAM, model.string(), "-q", "--size", "96x72", "--aa", "none", "-o", picture},
        home.Path());
    if (result.status == 0) {
      EXPECT_TRUE(fs::exists(picture)) << model;
      ++rendered;
    } else {
      EXPECT_EQ(result.status, 3) << model << "\n" << result.err;
      EXPECT_NE(result.err.find(model.string()), std::string::npos) << model << "\n" << result.err;
      EXPECT_FALSE(fs::exists(picture)) << model;
    }
    fs::remove(picture);
  }
  // Most of the collection is sound and must render.
  EXPECT_GT(rendered, static_cast<int>(models.size()) / 2);
}
