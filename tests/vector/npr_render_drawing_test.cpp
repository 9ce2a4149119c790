// Drawings end to end through npr-render: the right edges and no others,
// cut where faces hide them, files that a real SVG renderer and a PDF tool
// read, lines where the picture has them, and Sketch strokes that repeat
// with their seed.
#include "../apps/model_files.h"
#include "../apps/program_runner.h"
#include "../support/devil_picture.h"
#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using linvale::test::ProgramResult;
using linvale::test::TemporaryHome;

struct Point {
  double x;
  double y;
};

struct Segment {
  Point a;
  Point b;
  double width;
};

struct DrawnPath {
  std::string group;
  std::vector<Point> points;
  bool closed = false;
  bool dashed = false;
  double width = 0.0;
};

std::string Attribute(const std::string& element, const std::string& name) {
  const std::regex pattern(" " + name + "=\"([^\"]*)\"");
  std::smatch match;
  return std::regex_search(element, match, pattern) ? match[1].str() : std::string();
}

std::vector<Point> PathPoints(const std::string& data, bool& closed) {
  std::vector<Point> points;
  std::string spaced;
  for (const char c : data) {
    if (c == 'M' || c == 'L') {
      spaced += ' ';
    } else if (c == 'Z') {
      closed = true;
    } else {
      spaced += c;
    }
  }
  std::istringstream numbers(spaced);
  Point p{};
  while (numbers >> p.x >> p.y) {
    points.push_back(p);
  }
  return points;
}

// The line paths of a drawing, each with the group it stands in; faces
// and the background are left out.
std::vector<DrawnPath> LinePaths(const std::string& svg) {
  std::vector<DrawnPath> paths;
  std::string group;
  const std::regex element("<(/?)(g|path)\\b[^>]*>");
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element); it != std::sregex_iterator(); ++it) {
    const std::string text = it->str();
    if ((*it)[2] == "g") {
      group = (*it)[1] == "/" ? std::string() : Attribute(text, "id");
      continue;
    }
    if (group.empty() || group == "faces") {
      continue;
    }
    DrawnPath path;
    path.group = group;
    path.points = PathPoints(Attribute(text, "d"), path.closed);
    path.dashed = !Attribute(text, "stroke-dasharray").empty();
    path.width = std::stod(Attribute(text, "stroke-width"));
    paths.push_back(path);
  }
  return paths;
}

std::vector<Segment> Segments(const std::vector<DrawnPath>& paths, bool dashed) {
  std::vector<Segment> segments;
  for (const DrawnPath& path : paths) {
    if (path.dashed != dashed) {
      continue;
    }
    for (std::size_t i = 0; i + 1 < path.points.size(); ++i) {
      segments.push_back({path.points[i], path.points[i + 1], path.width});
    }
    if (path.closed) {
      segments.push_back({path.points.back(), path.points.front(), path.width});
    }
  }
  return segments;
}

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The distinct end points of `segments`, points within a pixel being one.
std::vector<Point> Corners(const std::vector<Segment>& segments) {
  std::vector<Point> corners;
  for (const Segment& s : segments) {
    for (const Point& p : {s.a, s.b}) {
      if (std::none_of(corners.begin(), corners.end(), [&](Point c) { return Distance(c, p) < 1.0; })) {
        corners.push_back(p);
      }
    }
  }
  return corners;
}

// Boxes, each its own object: the cube [-1, 1]^3 scaled by `half` and moved
// to `centre`, sides wound outwards.
struct Box {
  std::string name;
  double centre[3];
  double half;
};

void WriteBoxesObj(const fs::path& path, const std::vector<Box>& boxes) {
  std::ofstream out(path);
  int first = 1;
  for (const Box& box : boxes) {
    out << "o " << box.name << "\n";
    for (int corner = 0; corner < 8; ++corner) {
      float x, y, z;
      linvale::test::CubeCorner(corner, x, y, z);
      out << "v " << box.centre[0] + x * box.half << ' ' << box.centre[1] + y * box.half << ' '
          << box.centre[2] + z * box.half << "\n";
    }
    for (const auto& quad : linvale::test::kCubeQuads) {
      out << "f " << first + quad[0] << ' ' << first + quad[1] << ' ' << first + quad[2] << ' ' << first + quad[3]
          << "\n";
    }
    first += 8;
  }
}

// A smooth sphere of radius 1 in latitude bands, with its vertex normals.
void WriteSphereObj(const fs::path& path) {
  constexpr int kAround = 48;
  constexpr int kBands = 24;
  std::ofstream out(path);
  out << "o ball\n";
  for (int band = 0; band <= kBands; ++band) {
    const double theta = std::numbers::pi * band / kBands;
    for (int step = 0; step < kAround; ++step) {
      const double phi = 2.0 * std::numbers::pi * step / kAround;
      const double x = std::sin(theta) * std::cos(phi);
      const double y = std::sin(theta) * std::sin(phi);
      const double z = std::cos(theta);
      out << "v " << x << ' ' << y << ' ' << z << "\nvn " << x << ' ' << y << ' ' << z << "\n";
    }
  }
  const auto index = [](int band, int step) { return band * kAround + (step % kAround) + 1; };
  for (int band = 0; band < kBands; ++band) {
    for (int step = 0; step < kAround; ++step) {
      const int a = index(band, step);
      const int b = index(band + 1, step);
      const int c = index(band + 1, step + 1);
      const int d = index(band, step + 1);
      if (band > 0) {
        out << "f " << a << "//" << a << ' ' << b << "//" << b << ' ' << d << "//" << d << "\n";
      }
      if (band + 1 < kBands) {
        out << "f " << b << "//" << b << ' ' << c << "//" << c << ' ' << d << "//" << d << "\n";
      }
    }
  }
}

// Outline 3 wide, borders 2, creases 1, all black on white.
constexpr const char* kCartoonStyle =
    "[Common]\nCurrent Render=Cartoon\nBackgroundR=255\nBackgroundG=255\nBackgroundB=255\n"
    "[Cartoon]\nsilEdges=1\nwidthSil=3\nendEdges=1\nwidthEnd=2\ndisEdges=1\nwidthDis=1\n"
    "thresholdDegree=140.000000\n";

constexpr const char* kSilhouetteOnlyStyle =
    "[Common]\nCurrent Render=Cartoon\nBackgroundR=255\nBackgroundG=255\nBackgroundB=255\n"
    "[Cartoon]\nsilEdges=1\nwidthSil=2\nendEdges=0\ndisEdges=0\n";

std::string SketchStyle(int seed) {
  return "[Common]\nCurrent Render=Sketch\nBackgroundR=255\nBackgroundG=255\nBackgroundB=255\n"
         "[Sketch]\nbseedRandom=1\nseedRandom=" +
         std::to_string(seed) +
         "\nsilEdges=1\ndisEdges=1\nendEdges=1\nrandWavy=1\nnumLines=2\nrandDir=1\nvarWidth=1\nvarInt=1\n"
         "minWidth=1.000000\nmaxWidth=3.000000\nwindowWidth=10\nwindowInt=10\nwindowWavy=5\nmodeHue=0\n"
         "maxHue=0.200000\ntextureFill=0\nb_paper=0\nthresholdDegree=150.000000\n";
}

class DrawingTest : public ::testing::Test {
protected:
  ProgramResult Run(const std::vector<std::string>& arguments) {
    return linvale::test::RunProgram(NPR_RENDER_PROGRAM, arguments, mHome.Path());
  }
  ProgramResult RunTool(const std::string& tool, const std::vector<std::string>& arguments) {
    return linvale::test::RunProgram(tool, arguments, mHome.Path());
  }
  std::string Path(const std::string& name) const { return mHome / name; }
  void Write(const std::string& name, const std::string& text) const { linvale::test::WriteText(Path(name), text); }
  std::string Read(const std::string& name) const { return linvale::test::ReadWhole(Path(name)); }

  // Draws `model` (a name in the test's folder) from the parallel iso view.
  std::vector<DrawnPath> DrawIso(const std::string& model, const std::string& style,
                                 const std::vector<std::string>& extra = {}) {
    std::vector<std::string> arguments{Path(model), "-s", Path(style), "-o", Path("drawing.svg"), "--view", "iso",
                                       "--parallel", "--size", "400x300", "-q"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const ProgramResult result = Run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    return LinePaths(Read("drawing.svg"));
  }

  TemporaryHome mHome;
};

TEST_F(DrawingTest, ACubeShowsItsNineVisibleEdgesAndDashedTheThreeHiddenOnes) {
  WriteBoxesObj(Path("cube.obj"), {{"cube", {0, 0, 0}, 1.0}});
  Write("cartoon.npr", kCartoonStyle);

  const std::vector<DrawnPath> visibleOnly = DrawIso("cube.obj", "cartoon.npr");
  const std::vector<Segment> edges = Segments(visibleOnly, false);
  ASSERT_EQ(edges.size(), 9u);
  EXPECT_TRUE(Segments(visibleOnly, true).empty());
  // Six outline edges in the silhouette's width, three creases meeting at
  // the front corner in theirs; seven corners are seen.
  EXPECT_EQ(std::count_if(edges.begin(), edges.end(), [](const Segment& s) { return s.width == 3.0; }), 6);
  EXPECT_EQ(std::count_if(edges.begin(), edges.end(), [](const Segment& s) { return s.width == 1.0; }), 3);
  const std::vector<Point> seen = Corners(edges);
  EXPECT_EQ(seen.size(), 7u);
  for (const Segment& s : edges) {
    EXPECT_GT(Distance(s.a, s.b), 20.0) << "a stub of an edge";
  }

  const std::vector<DrawnPath> withHidden = DrawIso("cube.obj", "cartoon.npr", {"--hidden-lines", "dashed"});
  EXPECT_EQ(Segments(withHidden, false).size(), 9u);
  const std::vector<Segment> hidden = Segments(withHidden, true);
  ASSERT_EQ(hidden.size(), 3u);
  // In a parallel iso view the hidden back corner lies under the front one,
  // so the hidden edges run from there to the three outline corners that
  // no crease reaches: none of them repeats a visible edge.
  EXPECT_EQ(Corners(hidden).size(), 4u);
  for (const Segment& h : hidden) {
    for (const Segment& e : edges) {
      const bool same = (Distance(h.a, e.a) < 1.5 && Distance(h.b, e.b) < 1.5) ||
                        (Distance(h.a, e.b) < 1.5 && Distance(h.b, e.a) < 1.5);
      EXPECT_FALSE(same) << "a hidden edge repeats a visible one";
    }
  }
  for (const Segment& s : hidden) {
    EXPECT_LT(s.width, 1.0) << "hidden lines are thinner";
  }

  // Outline as thin as the creases: the outline is drawn as creases, which
  // chain through hidden edges; the visible runs still end at the corners.
  std::string thin = kCartoonStyle;
  thin.replace(thin.find("widthSil=3"), 10, "widthSil=1");
  Write("thin.npr", thin);
  for (const std::string projection : {"--parallel", "--view=iso"}) {
    std::vector<std::string> arguments{Path("cube.obj"), "-s", Path("thin.npr"), "-o", Path("thin.svg"),
                                       "--view", "iso", projection, "--size", "400x300", "-q"};
    ASSERT_EQ(Run(arguments).status, 0);
    const std::vector<Segment> thinEdges = Segments(LinePaths(Read("thin.svg")), false);
    EXPECT_EQ(thinEdges.size(), 9u) << projection;
    EXPECT_EQ(Corners(thinEdges).size(), 7u) << projection;
  }
}

TEST_F(DrawingTest, ASpheresSilhouetteIsOneClosedPath) {
  WriteSphereObj(Path("ball.obj"));
  Write("outline.npr", kSilhouetteOnlyStyle);
  const std::vector<DrawnPath> paths = DrawIso("ball.obj", "outline.npr");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_TRUE(paths[0].closed);
  EXPECT_GT(paths[0].points.size(), 20u);
}

TEST_F(DrawingTest, AnObjectHiddenByAnotherContributesNothing) {
  WriteBoxesObj(Path("boxes.obj"), {{"outer", {0, 0, 0}, 2.0}, {"inner", {0, 0, 0}, 0.5}});
  Write("cartoon.npr", kCartoonStyle);
  const std::vector<DrawnPath> paths = DrawIso("boxes.obj", "cartoon.npr");
  const auto inGroup = [](const std::vector<DrawnPath>& all, const std::string& group) {
    return std::count_if(all.begin(), all.end(), [&](const DrawnPath& p) { return p.group == group; });
  };
  EXPECT_EQ(inGroup(paths, "inner"), 0);
  EXPECT_GT(inGroup(paths, "outer"), 0);
  // Asked for, its edges come back dashed: it was drawn, and hidden.
  const std::vector<DrawnPath> dashed = DrawIso("boxes.obj", "cartoon.npr", {"--hidden-lines", "dashed"});
  EXPECT_EQ(inGroup(dashed, "inner"), static_cast<long>(std::count_if(dashed.begin(), dashed.end(), [](const DrawnPath& p) {
              return p.group == "inner" && p.dashed;
            })));
  EXPECT_GT(inGroup(dashed, "inner"), 0);
}

// The box around the pixels that are not near-white.
struct Box2 {
  int left = 1 << 30;
  int top = 1 << 30;
  int right = -1;
  int bottom = -1;
};

Box2 InkBox(const linvale::test::Picture& picture) {
  Box2 box;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      const linvale::test::Rgb p = picture.At(x, y);
      if (std::min({p.r, p.g, p.b}) < 128) {
        box.left = std::min(box.left, x);
        box.right = std::max(box.right, x);
        box.top = std::min(box.top, y);
        box.bottom = std::max(box.bottom, y);
      }
    }
  }
  return box;
}

TEST_F(DrawingTest, TheDrawingParsesAndItsLinesLieWhereThePicturesLinesAre) {
  Write("cartoon.npr", kCartoonStyle);
  const std::vector<std::string> common{"-s", Path("cartoon.npr"), "--size", "480x360", "-q"};
  for (const std::string output : {"picture.png", "drawing.svg"}) {
    std::vector<std::string> arguments = common;
    arguments.insert(arguments.end(), {"-o", Path(output)});
    const ProgramResult result = Run(arguments);
    ASSERT_EQ(result.status, 0) << result.err;
  }
  const std::string svg = Read("drawing.svg");
  EXPECT_NE(svg.find("width=\"480\" height=\"360\" viewBox=\"0 0 480 360\""), std::string::npos);
  // A real renderer reads it (and refuses XML that is not well formed).
  const ProgramResult rasterised = RunTool(RSVG_CONVERT_PROGRAM, {Path("drawing.svg"), "-o", Path("drawing.png")});
  ASSERT_EQ(rasterised.status, 0) << rasterised.err;

  linvale::test::Picture picture;
  linvale::test::Picture drawing;
  ASSERT_TRUE(picture.Load(Path("picture.png")));
  ASSERT_TRUE(drawing.Load(Path("drawing.png")));
  ASSERT_EQ(drawing.Width(), 480);
  ASSERT_EQ(drawing.Height(), 360);
  const Box2 ofPicture = InkBox(picture);
  const Box2 ofDrawing = InkBox(drawing);
  ASSERT_GE(ofDrawing.right, 0) << "the drawing is empty";
  EXPECT_NEAR(ofDrawing.left, ofPicture.left, 1);
  EXPECT_NEAR(ofDrawing.right, ofPicture.right, 1);
  EXPECT_NEAR(ofDrawing.top, ofPicture.top, 1);
  EXPECT_NEAR(ofDrawing.bottom, ofPicture.bottom, 1);
}

TEST_F(DrawingTest, ThePdfHasOnePageOfThePicturesSize) {
  const ProgramResult result = Run({"--size", "400x300", "-o", Path("drawing.pdf"), "-q"});
  ASSERT_EQ(result.status, 0) << result.err;
  const ProgramResult info = RunTool(PDFINFO_PROGRAM, {Path("drawing.pdf")});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_TRUE(std::regex_search(info.out, std::regex("Pages: +1\n"))) << info.out;
  // 400 by 300 pixels at 96 to the inch are 300 by 225 points.
  EXPECT_TRUE(std::regex_search(info.out, std::regex("Page size: +300 x 225 pts"))) << info.out;
}

TEST_F(DrawingTest, TheSameSeedGivesTheSameSketchDrawingByteForByte) {
  Write("seven.npr", SketchStyle(7));
  Write("eight.npr", SketchStyle(8));
  const auto draw = [this](const std::string& style, const std::string& output) {
    const ProgramResult result = Run({"-s", Path(style), "-o", Path(output), "--size", "400x300", "-q"});
    EXPECT_EQ(result.status, 0) << result.err;
    return Read(output);
  };
  const std::string first = draw("seven.npr", "first.svg");
  const std::string again = draw("seven.npr", "again.svg");
  const std::string other = draw("eight.npr", "other.svg");
  ASSERT_FALSE(LinePaths(first).empty());
  EXPECT_EQ(first, again);
  EXPECT_NE(first, other);
}

TEST_F(DrawingTest, DrawingOptionsNeedADrawingAndVerboseGivesTheFileSize) {
  EXPECT_EQ(Run({"--hidden-lines", "dashed", "-o", Path("picture.png")}).status, 2);
  EXPECT_EQ(Run({"--svg-fills", "-o", Path("picture.png")}).status, 2);
  const ProgramResult bogus = Run({"--hidden-lines", "dotted", "-o", Path("drawing.svg")});
  EXPECT_EQ(bogus.status, 2);
  EXPECT_NE(bogus.err.find("'dotted'"), std::string::npos);

  Write("cartoon.npr", kCartoonStyle);
  const ProgramResult verbose =
      Run({"-s", Path("cartoon.npr"), "--svg-fills", "-o", Path("filled.svg"), "--size", "400x300", "-q", "--verbose"});
  ASSERT_EQ(verbose.status, 0) << verbose.err;
  const std::string size = std::to_string(fs::file_size(Path("filled.svg")));
  EXPECT_NE(verbose.err.find(size + " bytes"), std::string::npos) << verbose.err;
  EXPECT_NE(Read("filled.svg").find("<g id=\"faces\""), std::string::npos);
}

}  // namespace
