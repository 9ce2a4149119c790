// A third test plug-in, written from docs/plugins.md: faces in their
// material's colour, unlit, and the edge kinds its style switches on as
// one-pixel lines in one colour over them. Its section "FlatColour" holds
// LineColor (a COLORREF), silEdges, disEdges, endEdges and thresholdDegree.
#include <linvale/npr_edge_collections_cleanup.h>
#include <linvale/npr_edge_kinds.h>
#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_node_edges.h>
#include <linvale/npr_render_pass.h>
#include <linvale/npr_render_progress.h>
#include <linvale/npr_scene_nodes.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_shader_plugin.h>
#include <linvale/npr_shader_support.h>
#include <linvale/npr_style_numbers.h>

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <type_traits>

namespace {

constexpr const char* kTag = "FlatColour";
constexpr unsigned char kDepthBits = 24;

struct FlatColourSettings {
  std::uint32_t lineColor = RGB(0, 0, 0);
  std::int32_t silEdges = 1;
  std::int32_t disEdges = 0;
  std::int32_t endEdges = 0;
  double thresholdDegree = 140.0;
};

void SetColor(COLORREF color) { glColor3ub(GetRValue(color), GetGValue(color), GetBValue(color)); }

class FlatColourPass {
public:
  FlatColourPass(const FlatColourSettings& style, const TS_Viewport& viewport, const NprRenderSettings& settings,
                 Scene* scene, NprRenderer::Progress* progress)
      : mStyle(style), mViewport(viewport), mSettings(settings), mScene(scene), mProgress(progress) {}

  HBITMAP Run(HANDLE* fileHandle, HANDLE* mappingHandle) {
    return NprRunRenderPass(mContext, nullptr, [&] {
      if (!mContext.CreateBitmapContext(mSettings.GetImageSize(), 0, kDepthBits, fileHandle, mappingHandle) ||
          !mContext.CreateGlContext() || !mContext.MakeCurrent()) {
        throw NprShader::StopReason::Failed;
      }
      Draw();
    });
  }

private:
  // One step per node for the edges (when any), the faces and each kind
  // drawn, and the final picture.
  void Draw() {
    const NprEdgeSwitches edges = NprEdgeSwitchesOf(mStyle);
    const int nodes = static_cast<int>(NprNodeCount(mScene));
    mProgress.SetStepCount((edges.Any() ? nodes : 0) + nodes + edges.Count() * nodes + 1);
    if (edges.Any()) {
      mProgress.SetTaskName("Edges");
      for (Node& node : NprSceneNodes(mScene)) {
        NprComputeNodeEdges(node, mViewport, mStyle.thresholdDegree);
        mProgress.StepWithCancelCheck();
      }
    }
    SetUp();
    DrawFaces();
    for (NprEdgeKind kind : {NprEdgeKind::Silhouette, NprEdgeKind::Crease, NprEdgeKind::Border}) {
      if (edges.Draws(kind)) {
        DrawLines(kind);
      }
    }
    mContext.ShowPicture(mProgress.Get());
  }

  void SetUp() const {
    const SIZE size = mSettings.GetImageSize();
    const COLORREF background = mSettings.GetBackgroundColor();
    glClearColor(GetRValue(background) / 255.0f, GetGValue(background) / 255.0f, GetBValue(background) / 255.0f, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, size.cx, size.cy);
    NprSetCamera(mViewport);
    glEnable(GL_DEPTH_TEST);
  }

  // Pushed back a little, so that lines on the visible faces pass the
  // less-or-equal test.
  void DrawFaces() const {
    mProgress.SetTaskName("Faces");
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.5f, 0.1f);
    glDepthFunc(GL_LESS);
    for (const Node& node : NprSceneNodes(mScene)) {
      const TS_Color diffuse = node.m_material.Diffuse();
      glColor3d(diffuse.FractionRed(), diffuse.FractionGreen(), diffuse.FractionBlue());
      glBegin(GL_TRIANGLES);
      for (int face = 0; face < node.m_mesh.FaceCount(); ++face) {
        for (int corner = 0; corner < 3; ++corner) {
          const TS_3fPoint& v = node.m_mesh.Vertex(node.m_mesh.Face(face).vi[corner]);
          glVertex3f(v.x, v.y, v.z);
        }
      }
      glEnd();
      mProgress.StepWithCancelCheck();
    }
  }

  void DrawLines(NprEdgeKind kind) const {
    mProgress.SetTaskName(NprMembersOf(kind).key);
    glDepthFunc(GL_LEQUAL);
    SetColor(mStyle.lineColor);
    for (const Node& node : NprSceneNodes(mScene)) {
      glBegin(GL_LINES);
      for (const TS_Line& line : node.*NprMembersOf(kind).lines) {
        glVertex3d(line.from.x, line.from.y, line.from.z);
        glVertex3d(line.to.x, line.to.y, line.to.z);
      }
      glEnd();
      mProgress.StepWithCancelCheck();
    }
  }

  const FlatColourSettings& mStyle;
  const TS_Viewport& mViewport;
  const NprRenderSettings& mSettings;
  Scene* mScene;
  NprRenderProgress mProgress;
  NprGlBitmapContext mContext;
};

// A missing key keeps `value`.
template <typename Number>
Number ReadNumber(const char* styleFile, const char* key, Number value) {
  std::array<char, 64> text{};
  GetPrivateProfileStringA(kTag, key, "", text.data(), static_cast<DWORD>(text.size()), styleFile);
  if (text[0] == '\0') {
    return value;
  }
  if constexpr (std::is_floating_point_v<Number>) {
    return NprParseStyleDouble(text.data());
  } else {
    return static_cast<Number>(NprParseStyleInt(text.data()));
  }
}

std::int32_t ReadSwitch(const char* styleFile, const char* key, std::int32_t value) {
  return ReadNumber(styleFile, key, value) != 0 ? 1 : 0;
}

class FlatColourShader final : public NprShader {
public:
  explicit FlatColourShader(HINSTANCE module) : NprShader(module) {}

  int LoadSettings(const char* styleFile) override {
    mSettings.lineColor = ReadNumber(styleFile, "LineColor", mSettings.lineColor);
    mSettings.silEdges = ReadSwitch(styleFile, "silEdges", mSettings.silEdges);
    mSettings.disEdges = ReadSwitch(styleFile, "disEdges", mSettings.disEdges);
    mSettings.endEdges = ReadSwitch(styleFile, "endEdges", mSettings.endEdges);
    mSettings.thresholdDegree = ReadNumber(styleFile, "thresholdDegree", mSettings.thresholdDegree);
    return 1;
  }
  int SaveSettings(const char*) override { return 1; }
  const char* GetName(int) override { return "Flat Colour"; }
  const char* GetReserved(int) override { return nullptr; }
  HBITMAP GetDefaultBitmap() override { return nullptr; }
  NprPageDialog* GetDialog(unsigned) override { return nullptr; }
  const char* GetTag(int) override { return kTag; }
  HBITMAP Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                 NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) override {
    const NprEdgeCollectionsCleanup cleanup(scene);
    FlatColourPass pass(mSettings, viewport, settings, scene, progress);
    return pass.Run(fileHandle, mappingHandle);
  }
  void OnSetMainDlg() override {}

  virtual ~FlatColourShader() = default;

private:
  FlatColourSettings mSettings;
};

}  // namespace

NprShader* NprShaderCreate() {
  return NprCreatePluginShader<FlatColourShader>(reinterpret_cast<const void*>(&NprShaderCreate));
}

void NprShaderDelete(NprShader* shader) { NprDeletePluginShader<FlatColourShader>(shader); }
