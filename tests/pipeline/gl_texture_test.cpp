// The GL texture owner and the shading ramp upload, on a real off-screen
// context: a texture lives exactly as long as its owner unless handed on.
#include <linvale/npr_gl_texture.h>
#include <linvale/npr_ramp_texture.h>
#include <linvale/npr_win32_owners.h>

#include <gtest/gtest.h>

#include <array>

namespace {

class GlTexture : public testing::Test {
protected:
  void SetUp() override {
    const SIZE size{4, 4};
    ASSERT_NE(wglCreateDefaultBitmapDC(mDc.Get(), &size, 0, 16, 0, 0x40, nullptr, nullptr), 0);
    mGlrc.reset(wglCreateContext(mDc.Hdc()));
    ASSERT_TRUE(mGlrc != nullptr && wglMakeCurrent(mDc.Hdc(), mGlrc.get()));
  }

  static GLuint NewTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
  }

  NprUniqueBitmapDC mDc;
  NprUniqueGlContext mGlrc;
};

TEST_F(GlTexture, TheOwnerDeletesItsTextureUnlessItWasHandedOn) {
  GLuint deleted = 0;
  {
    const NprGlTexture texture(NewTexture());
    deleted = texture.Name();
    ASSERT_TRUE(glIsTexture(deleted));
  }
  EXPECT_FALSE(glIsTexture(deleted));

  GLuint kept = 0;
  {
    NprGlTexture texture(NewTexture());
    kept = texture.Release();
    EXPECT_EQ(texture.Name(), 0U);
  }
  EXPECT_TRUE(glIsTexture(kept));
  const NprGlTexture keeper(kept);
}

TEST_F(GlTexture, AMovedTextureHasOneOwner) {
  NprGlTexture first(NewTexture());
  const GLuint name = first.Name();
  {
    const NprGlTexture second(std::move(first));
    EXPECT_EQ(second.Name(), name);
    EXPECT_EQ(first.Name(), 0U);
  }
  EXPECT_FALSE(glIsTexture(name));
}

TEST_F(GlTexture, TheRampIsBoundClampedAndNearestWithEveryEntry) {
  const std::array<float, 4 * 3> rgb{0, 0, 0, 0.25F, 0.25F, 0.25F, 0.5F, 0.5F, 0.5F, 1, 1, 1};
  const NprGlTexture ramp = NprBindRampTexture(rgb.data(), 4);
  ASSERT_NE(ramp.Name(), 0U);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_1D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), ramp.Name());
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_1D));
  GLint wrap = 0;
  GLint filter = 0;
  GLint width = 0;
  glGetTexParameteriv(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, &wrap);
  glGetTexParameteriv(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, &filter);
  glGetTexLevelParameteriv(GL_TEXTURE_1D, 0, GL_TEXTURE_WIDTH, &width);
  // A light value of exactly 1 must stay in the brightest band.
  EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
  EXPECT_EQ(filter, GL_NEAREST);
  EXPECT_EQ(width, 4);
  std::array<float, 4 * 3> read{};
  glGetTexImage(GL_TEXTURE_1D, 0, GL_RGB, GL_FLOAT, read.data());
  // Stored with eight bits a channel.
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    EXPECT_NEAR(read[i], rgb[i], 1.0 / 255) << i;
  }
}

}  // namespace
