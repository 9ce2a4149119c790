// How a Cartoon render reports its progress, stops when asked to, fails
// when it cannot draw, and leaves the scene as it found it in every case.
#include "cartoon_render_support.h"

#include <linvale/scene_builder.h>

#include <IL/il.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace cartoon_test {
namespace {

constexpr int kSize = 200;

TS_Light Overhead() {
  TS_Light light;
  light.SetStyle(TS::world_directional_light);
  light.SetDirection({0, 0, -1});
  return light;
}

// Three spheres side by side under an overhead light.
void FillThreeSpheres(Scene& scene) {
  for (int i = 0; i < 3; ++i) {
    TS_Mesh sphere = Sphere(0.3);
    TS_Mesh moved;
    for (int v = 0; v < sphere.VertexCount(); ++v) {
      const TS_3fPoint& p = sphere.Vertex(v);
      moved.SetVertex(v, TS_3fPoint(p.x + 0.8f * static_cast<float>(i - 1), p.y, p.z));
      moved.SetVertexNormal(v, sphere.VertexNormal(v));
    }
    for (int f = 0; f < sphere.FaceCount(); ++f) {
      const TS_MeshFace& face = sphere.Face(f);
      moved.SetTriangle(f, face.vi[0], face.vi[1], face.vi[2]);
    }
    ASSERT_NE(NprAppendMeshNode(scene, moved, TS_Color(RGB(90, 160, 220))), nullptr);
  }
  scene.Lights().Append(Overhead());
}

bool AllEdgeCollectionsEmpty(Scene& scene) {
  for (Node* node = scene.First(); node != nullptr; node = node->m_next) {
    if (node->m_silLines.Count() != 0 || node->m_endLines.Count() != 0 || node->m_disLines.Count() != 0 ||
        node->m_silNormalLines.Count() != 0 || node->m_silPolylines.Count() != 0) {
      return false;
    }
  }
  return true;
}

std::size_t IndexOf(const std::vector<std::string>& tasks, const std::string& task) {
  return static_cast<std::size_t>(std::find(tasks.begin(), tasks.end(), task) - tasks.begin());
}

class CartoonRenderFlow : public testing::Test {
protected:
  CartoonRenderFixture fixture;
  TS_Viewport view = TopView(1.25);
};

TEST_F(CartoonRenderFlow, AnnouncesItsStepsAndReportsPhasesInOrder) {
  Scene scene;
  FillThreeSpheres(scene);
  fixture.settings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
  fixture.SetKeys({{"silEdges", "1"}, {"endEdges", "1"}, {"disEdges", "1"}});
  HBITMAP bitmap = fixture.Render(scene, view);
  ASSERT_NE(bitmap, nullptr);
  DeleteObject(bitmap);

  // Three nodes: 5 for set-up and faces, 3 per edge kind, 4 for the edges
  // and 1 for the reduction; the renderer's own last step completes it.
  EXPECT_EQ(fixture.progress.announcedSteps, 19);
  EXPECT_EQ(fixture.progress.steps, fixture.progress.announcedSteps);
  const std::vector<std::string> phases = {"Calculating edges...",           "Setting up NPR Render...",
                                           "Rendering faces...",             "Rendering Silhouettes edges...",
                                           "Rendering Border edges...",      "Rendering Discontinuity of Mesh edges...",
                                           "Antialiasing Filter"};
  std::vector<std::string> seen = fixture.progress.tasks;
  EXPECT_EQ(seen, phases);
  EXPECT_TRUE(fixture.progress.resultReported);
  EXPECT_TRUE(AllEdgeCollectionsEmpty(scene));
}

TEST_F(CartoonRenderFlow, WithoutEdgesNoEdgePhaseRuns) {
  Scene scene;
  FillThreeSpheres(scene);
  HBITMAP bitmap = fixture.Render(scene, view);
  ASSERT_NE(bitmap, nullptr);
  DeleteObject(bitmap);
  EXPECT_EQ(fixture.progress.announcedSteps, 3 + 2);
  const auto& tasks = fixture.progress.tasks;
  EXPECT_EQ(IndexOf(tasks, "Calculating edges..."), tasks.size());
  EXPECT_EQ(IndexOf(tasks, "Rendering Silhouettes edges..."), tasks.size());
  EXPECT_LT(IndexOf(tasks, "Rendering faces..."), tasks.size());
}

TEST_F(CartoonRenderFlow, ACancelStopsTheRenderAndStillEmptiesEveryNodesEdges) {
  Scene scene;
  FillThreeSpheres(scene);
  fixture.SetKeys({{"silEdges", "1"}, {"endEdges", "1"}, {"disEdges", "1"}});
  // Two of the three edge steps are done when the cancel is seen.
  fixture.progress.cancelAtStep = 2;
  HBITMAP bitmap = fixture.Render(scene, view);
  if (bitmap != nullptr) {
    DeleteObject(bitmap);
  }
  const auto& tasks = fixture.progress.tasks;
  EXPECT_LT(IndexOf(tasks, "Calculating edges..."), tasks.size());
  EXPECT_EQ(IndexOf(tasks, "Rendering faces..."), tasks.size());
  // The two edge steps, then only the renderer's closing step.
  EXPECT_EQ(fixture.progress.steps, 3);
  EXPECT_TRUE(AllEdgeCollectionsEmpty(scene));
}

TEST_F(CartoonRenderFlow, ACancelWhileShadingKeepsThePictureDrawnSoFar) {
  Scene scene;
  FillThreeSpheres(scene);
  fixture.progress.cancelAtStep = 3;  // set-up, faces begun, first node
  HBITMAP bitmap = fixture.Render(scene, view);
  ASSERT_NE(bitmap, nullptr);
  const Picture picture(bitmap);
  DeleteObject(bitmap);
  // The left sphere was shaded, the right one never was.
  ASSERT_EQ(picture.width, kSize);
  EXPECT_NE(picture.At(36, kSize / 2), 0xFFFFFFu);
  EXPECT_EQ(picture.At(164, kSize / 2), 0xFFFFFFu);
}

TEST_F(CartoonRenderFlow, ABitmapTooLargeToDrawFailsWithTheSystemErrorInABox) {
  RecordedMessageBoxes boxes;
  Scene scene;
  FillThreeSpheres(scene);
  fixture.SetKeys({{"silEdges", "1"}});
  SIZE tooWide{100000, 4};
  fixture.settings.SetImageSize(&tooWide);
  HBITMAP bitmap = fixture.Render(scene, view);
  EXPECT_EQ(bitmap, nullptr);
  ASSERT_EQ(RecordedMessageBoxes::boxes.size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes::boxes[0].caption, "Orvelle Error");
  EXPECT_FALSE(RecordedMessageBoxes::boxes[0].text.empty());
  EXPECT_EQ(RecordedMessageBoxes::boxes[0].type & MB_ICONMASK, static_cast<unsigned>(MB_ICONERROR));
  EXPECT_FALSE(fixture.progress.resultReported);
  EXPECT_TRUE(AllEdgeCollectionsEmpty(scene));
}

// Writes a 2 x 2 picture: red and green along the bottom, blue and white
// along the top.
void WriteCornerImage(const std::string& path) {
  const unsigned char pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  ILuint image = 0;
  ilGenImages(1, &image);
  ilBindImage(image);
  ilTexImage(2, 2, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, const_cast<unsigned char*>(pixels));
  ilEnable(IL_FILE_OVERWRITE);
  ASSERT_TRUE(ilSave(IL_PNG, path.c_str()));
  ilDeleteImages(1, &image);
}

TEST_F(CartoonRenderFlow, TheBackgroundImageIsStretchedBehindTheModel) {
  const std::string image = fixture.home / "corners.png";
  WriteCornerImage(image);
  fixture.settings.SetBackgroundFileName(image.c_str());
  Scene scene;
  ASSERT_NE(NprAppendMeshNode(scene, Square(0.25), TS_Color(RGB(0, 0, 0))), nullptr);
  const Picture picture = fixture.RenderPicture(scene, view);
  ASSERT_EQ(picture.width, kSize);
  const auto channel = [](std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); };
  EXPECT_GT(channel(picture.At(0, 0), 16), 200);                    // red, lower left
  EXPECT_GT(channel(picture.At(kSize - 1, 0), 8), 200);             // green, lower right
  EXPECT_GT(channel(picture.At(0, kSize - 1), 0), 200);             // blue, upper left
  // The unlit black square in its shadow colour, half the ambient blue.
  EXPECT_EQ(picture.At(kSize / 2, kSize / 2), 0x000064u);
}

TEST_F(CartoonRenderFlow, AMissingBackgroundImageIsReportedAndTheRenderGoesOn) {
  RecordedMessageBoxes boxes;
  const std::string missing = fixture.home / "no-such-image.png";
  fixture.settings.SetBackgroundFileName(missing.c_str());
  Scene scene;
  FillThreeSpheres(scene);
  const Picture picture = fixture.RenderPicture(scene, view);
  ASSERT_EQ(RecordedMessageBoxes::boxes.size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes::boxes[0].text, "Error Background Image");
  ASSERT_EQ(picture.width, kSize);
  EXPECT_EQ(picture.At(0, 0), 0xFFFFFFu);
  EXPECT_NE(picture.At(kSize / 2, kSize / 2), 0xFFFFFFu);
}

}  // namespace
}  // namespace cartoon_test
