// Which OpenGL device the shaders' contexts draw with: the choice from the
// environment variable and the machine's devices, a clear refusal of a GPU
// the machine lacks, and the software rasteriser always there to ask for.
#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_gl_device.h>
#include <linvale/npr_win32_owners.h>

#include "../support/temporary_home.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using linvale::test::ScopedEnvironment;

TEST(GlDeviceChoice, AutomaticChoiceTakesTheGpuWhereThereIsOne) {
  for (const char* automatic : {static_cast<const char*>(nullptr), "", "auto"}) {
    EXPECT_EQ(NprChooseGlDevice(automatic, true).device, NprGlDevice::Gpu);
    EXPECT_EQ(NprChooseGlDevice(automatic, false).device, NprGlDevice::Software);
    EXPECT_TRUE(NprChooseGlDevice(automatic, true).refusal.empty());
    EXPECT_TRUE(NprChooseGlDevice(automatic, false).refusal.empty());
  }
}

TEST(GlDeviceChoice, TheVariablePicksEitherDeviceAndRefusesAMissingGpu) {
  for (const bool gpu : {true, false}) {
    for (const char* software : {"software", "llvmpipe"}) {
      const NprGlDeviceChoice choice = NprChooseGlDevice(software, gpu);
      EXPECT_EQ(choice.device, NprGlDevice::Software);
      EXPECT_TRUE(choice.refusal.empty());
    }
  }
  const NprGlDeviceChoice present = NprChooseGlDevice("gpu", true);
  EXPECT_EQ(present.device, NprGlDevice::Gpu);
  EXPECT_TRUE(present.refusal.empty());

  const NprGlDeviceChoice missing = NprChooseGlDevice("gpu", false);
  EXPECT_NE(missing.refusal.find("LINVALE_GL_DEVICE=gpu"), std::string::npos) << missing.refusal;
  EXPECT_NE(missing.refusal.find("no GPU"), std::string::npos) << missing.refusal;
  EXPECT_EQ(missing.refusal.find('\n'), std::string::npos);

  const NprGlDeviceChoice unknown = NprChooseGlDevice("GPU0", true);
  EXPECT_NE(unknown.refusal.find("GPU0"), std::string::npos) << unknown.refusal;
  EXPECT_NE(unknown.refusal.find("software, gpu or auto"), std::string::npos) << unknown.refusal;
}

TEST(GlDeviceChoice, FormatFlagsSelectTheGenericFormatsForSoftwareOnly) {
  EXPECT_EQ(NprGlFormatFlags(NprGlDevice::Software), static_cast<unsigned long>(PFD_GENERIC_FORMAT));
  EXPECT_EQ(NprGlFormatFlags(NprGlDevice::Gpu) & (PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED), 0ul);
}

// The off-screen context of a render, made on the device the environment
// asks for, current, and naming its renderer.
std::string RendererOfARenderContext(bool& created) {
  NprGlBitmapContext context;
  created = context.CreateBitmapContext(SIZE{8, 8}, 0, 16, nullptr, nullptr) && context.CreateGlContext() &&
            context.MakeCurrent();
  const auto* name = created ? reinterpret_cast<const char*>(glGetString(GL_RENDERER)) : nullptr;
  return name != nullptr ? name : "";
}

TEST(GlDeviceChoice, TheSoftwareRasteriserStaysAvailable) {
  ScopedEnvironment environment;
  environment.Set("LINVALE_GL_DEVICE", "software");
  EXPECT_EQ(NprCurrentGlDevice().device, NprGlDevice::Software);
  bool created = false;
  const std::string renderer = RendererOfARenderContext(created);
  ASSERT_TRUE(created);
  EXPECT_NE(renderer.find("llvmpipe"), std::string::npos) << renderer;
}

TEST(GlDeviceChoice, AskingForAMissingGpuFailsTheContextInsteadOfDrawingInSoftware) {
  ScopedEnvironment environment;
  environment.Clear("LINVALE_GL_DEVICE");
  if (NprCurrentGlDevice().device == NprGlDevice::Gpu) {
    GTEST_SKIP() << "this machine has a GPU";
  }
  environment.Set("LINVALE_GL_DEVICE", "gpu");
  EXPECT_FALSE(NprCurrentGlDevice().refusal.empty());
  NprGlBitmapContext context;
  SetLastError(0);
  EXPECT_FALSE(context.CreateBitmapContext(SIZE{8, 8}, 0, 16, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

}  // namespace
