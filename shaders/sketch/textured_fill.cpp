#include "textured_fill.h"

#include "face_corner_arrays.h"
#include "fill_rules.h"
#include "stroke_rules.h"

#include <linvale/npr_regular_file.h>
#include <linvale/npr_gl_texture.h>
#include <linvale/npr_shader_support.h>

#include <GL/gl.h>
#include <IL/il.h>

#include <cstddef>
#include <map>
#include <span>
#include <utility>
#include <vector>

namespace linvale::sketch {

namespace {

// A DevIL image name deleted with its owner; 0 when nothing was loaded.
class GrainImage {
public:
  explicit GrainImage(const std::string& fileName) {
    ilGenImages(1, &mName);
    ilBindImage(mName);
    if (!NprIsRegularFile(fileName.c_str()) || !ilLoadImage(fileName.c_str())) {
      ilDeleteImages(1, &mName);
      mName = 0;
    }
  }
  ~GrainImage() {
    if (mName != 0) {
      ilDeleteImages(1, &mName);
    }
  }
  GrainImage(const GrainImage&) = delete;
  GrainImage& operator=(const GrainImage&) = delete;

  bool IsLoaded() const { return mName != 0; }
  ILuint Name() const { return mName; }

private:
  ILuint mName = 0;
};

std::string GrainFileName(const TexturedFillSetup& setup, int pass) {
  const char* prefix = setup.grain == FillGrain::Pencil ? "pl" : "wc";
  return setup.imageFolder + prefix + std::to_string(FillPassImageNumber(pass)) + ".bmp";
}

std::array<double, 3> Fractions(const TS_Color& colour) {
  return {colour.FractionRed(), colour.FractionGreen(), colour.FractionBlue()};
}

// A copy of the grain image in floats, recoloured for one node, made a GL
// texture; the copy is released before returning.
unsigned int RecolouredTexture(const GrainImage& source, int pass, const std::array<double, 3>& material,
                               const std::array<double, 3>& background) {
  ILuint copy = 0;
  ilGenImages(1, &copy);
  ilBindImage(copy);
  unsigned int texture = 0;
  if (ilCopyImage(source.Name()) && ilConvertImage(IL_RGB, IL_FLOAT)) {
    auto* texels = reinterpret_cast<float*>(ilGetData());
    const std::size_t count = static_cast<std::size_t>(ilGetInteger(IL_IMAGE_WIDTH)) *
                              static_cast<std::size_t>(ilGetInteger(IL_IMAGE_HEIGHT)) * 3U;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t channel = i % 3U;
      texels[i] = static_cast<float>(RecolourGrain(pass, texels[i], material[channel], background[channel]));
    }
    texture = NprTextureFromBoundImage();
  }
  ilDeleteImages(1, &copy);
  return texture;
}

// Texture coordinates are the eye coordinates themselves (planes given
// while the model-view is the identity); the texture matrix then takes them
// into the picture plane.
void GenerateEyeCoordinates() {
  static constexpr GLdouble kPlanes[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  static constexpr GLenum kCoordinates[4] = {GL_S, GL_T, GL_R, GL_Q};
  for (int i = 0; i < 4; ++i) {
    glTexGeni(kCoordinates[i], GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGendv(kCoordinates[i], GL_EYE_PLANE, kPlanes[i]);
  }
}

void BindNodeTexture(unsigned int texture, int pass) {
  glBindTexture(GL_TEXTURE_2D, texture);
  if (pass == 1) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  GenerateEyeCoordinates();
}

// The light value at each face corner of one node, in face order. It is
// the same in all three passes, and working it out is most of what a pass
// costs the processor on large meshes, so it is kept from the first pass.
std::vector<double> CornerLightValues(const Node& node, const TS_ClassArray<TS_Light>& lights,
                                      const TS_3dPoint& cameraLocation) {
  const TS_Mesh& mesh = node.m_mesh;
  const bool smooth = NprUsesVertexNormals(node);
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(mesh.FaceCount()) * 3U);
  for (int face = 0; face < mesh.FaceCount(); ++face) {
    const std::array<TS_3dVector, 3> normals = NprFaceShadingNormals(mesh, face, cameraLocation, smooth);
    for (int corner = 0; corner < 3; ++corner) {
      const TS_3fPoint& v = mesh.Vertex(mesh.Face(face).vi[corner]);
      values.push_back(NprLightValue(TS_3dPoint(v), normals[static_cast<std::size_t>(corner)], lights, -1.0));
    }
  }
  return values;
}

// The grain of one pass recoloured for each material met so far. Nodes of
// one material share it: making it is most of a pass on models of many
// parts. Kept within a bound so that a model of countless colours cannot
// pile up textures; what is dropped is made again when met again.
class RecolouredGrains {
public:
  RecolouredGrains(const GrainImage& grain, int pass, const std::array<double, 3>& background)
      : mGrain(grain), mPass(pass), mBackground(background) {}

  // 0 when the grain did not load or the copy could not be made.
  unsigned int For(const std::array<double, 3>& material) {
    if (!mGrain.IsLoaded()) {
      return 0;
    }
    if (const auto kept = mTextures.find(material); kept != mTextures.end()) {
      return kept->second.Name();
    }
    if (mTextures.size() >= kMostKept) {
      mTextures.clear();
    }
    NprGlTexture texture(RecolouredTexture(mGrain, mPass, material, mBackground));
    const unsigned int name = texture.Name();
    if (name != 0) {
      mTextures.emplace(material, std::move(texture));
    }
    return name;
  }

private:
  static constexpr std::size_t kMostKept = 32;

  const GrainImage& mGrain;
  int mPass;
  std::array<double, 3> mBackground;
  std::map<std::array<double, 3>, NprGlTexture> mTextures;
};

void DrawNode(const Node& node, std::span<const double> lightValues, RecolouredGrains& grains, FaceCornerArrays& arrays,
              int pass) {
  std::array<GLdouble, 16> modelView{};
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView.data());
  glLoadIdentity();
  if (const unsigned int texture = grains.For(Fractions(node.m_material.Diffuse())); texture != 0) {
    BindNodeTexture(texture, pass);
  }
  glMultMatrixd(modelView.data());
  arrays.Draw(node.m_mesh, [lightValues, pass](int face, int corner) {
    return FillVertexColour(pass, lightValues[static_cast<std::size_t>(face) * 3U + static_cast<std::size_t>(corner)]);
  });
}

// The grain is laid over the picture plane, pencil grain five times across
// and water-colour twice, shifted and turned a little at random so repeated
// renders do not line up.
void SetGrainPlacement(const TexturedFillSetup& setup) {
  glMatrixMode(GL_TEXTURE);
  glLoadMatrixd(setup.projection.data());
  if (setup.grain == FillGrain::Pencil) {
    glScaled(2.5, 2.5, 1.0);
  }
  const double y = RandomBetween(0.0, 0.25);
  const double x = RandomBetween(0.0, 0.25);
  glTranslated(x, y, 0.0);
  glRotated(RandomBetween(0.0, 0.15), 0.0, 0.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  for (GLenum coordinate : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q}) {
    glEnable(coordinate);
  }
}

void BlendOntoBase() {
  glDepthFunc(GL_EQUAL);
  glDepthMask(GL_FALSE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void RestoreAfterFill() {
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
}

void DrawPass(const Scene& scene, const TexturedFillSetup& setup, const TexturedFillHooks& hooks, int pass,
              std::vector<std::vector<double>>& lightValues) {
  const GrainImage grain(GrainFileName(setup, pass));
  if (grain.IsLoaded()) {
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  RecolouredGrains grains(grain, pass, setup.background);
  FaceCornerArrays arrays;
  std::size_t k = 0;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    if (k == lightValues.size()) {
      lightValues.push_back(CornerLightValues(*node, scene.Lights(), setup.cameraLocation));
    }
    DrawNode(*node, lightValues[k], grains, arrays, pass);
    hooks.afterNode(static_cast<unsigned>(++k));
  }
}

}  // namespace

void DrawTexturedFill(const Scene& scene, const TexturedFillSetup& setup, const TexturedFillHooks& hooks) {
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glDepthFunc(GL_LESS);
  SetGrainPlacement(setup);
  std::vector<std::vector<double>> lightValues;
  for (int pass = 1; pass <= 3; ++pass) {
    if (pass == 2) {
      BlendOntoBase();
    }
    DrawPass(scene, setup, hooks, pass, lightValues);
    hooks.afterPass();
  }
  RestoreAfterFill();
}

}  // namespace linvale::sketch
