// The built npr-render run as a child in a temporary home of its own, for
// the tests of the program. The test target defines NPR_RENDER_PROGRAM.
#pragma once

#include "../support/temporary_home.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace linvale::test {

// Flat colours on white: objects, outlines and holes are easy to tell apart.
inline constexpr const char* kWhiteCartoonStyle =
    "[Common]\nCurrent Render=Cartoon\nBackgroundR=255\nBackgroundG=255\nBackgroundB=255\n";

class NprRenderFixture : public ::testing::Test {
protected:
  ProgramResult Run(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder = {}) {
    return RunProgram(NPR_RENDER_PROGRAM, arguments, mHome.Path(), workingFolder);
  }
  ProgramResult Run(const std::vector<std::string>& arguments, const ChildSetup& setup) {
    return RunProgram(NPR_RENDER_PROGRAM, arguments, mHome.Path(), {}, setup);
  }
  // `name` in the test's home.
  std::string Path(const std::string& name) const { return mHome / name; }

  TemporaryHome mHome;
};

}  // namespace linvale::test
