// npr-render against hostile surroundings: a disk that fills up, signals in
// the middle of a write, targets the user may not write or that are links,
// FIFOs where images are expected, names full of control characters. The
// user's older picture survives, nothing hidden is left behind, nothing
// blocks, and the terminal sees no raw control characters.
#include "../support/devil_picture.h"
#include "npr_render_fixture.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using linvale::test::ChildSetup;
using linvale::test::kWhiteCartoonStyle;
using linvale::test::Picture;
using linvale::test::ProgramResult;

// Not a picture, but something whose every byte must survive.
constexpr const char* kOlderPicture = "older picture \x89PNG\r\n\x1a\n bytes";

std::vector<std::string> HiddenLeftovers(const fs::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().find(".npr-render-") != std::string::npos) {
      found.push_back(entry.path().filename().string());
    }
  }
  return found;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class NprRenderSafetyTest : public linvale::test::NprRenderFixture {};

}  // namespace

TEST_F(NprRenderSafetyTest, AWriteCutShortKeepsTheOlderPictureAndGivesTheReason) {
  // The limit lets the one-pixel trial picture through but not the render,
  // as a nearly full disk would.
  ChildSetup smallFiles;
  smallFiles.fileSizeLimit = 4096;
  for (const std::string extension : {"png", "bmp"}) {
    const std::string keep = Path("keep." + extension);
    linvale::test::WriteText(keep, kOlderPicture);
    const ProgramResult result =
        Run({"-q", "-s", "Watercolour", "--size", "320x240", "--aa", "none", "-o", keep}, smallFiles);
    EXPECT_EQ(result.status, 6) << extension << "\n" << result.err;
    EXPECT_TRUE(Contains(result.err, keep)) << result.err;
    EXPECT_TRUE(Contains(result.err, "File too large")) << result.err;
    EXPECT_EQ(linvale::test::ReadText(keep), kOlderPicture) << extension;
  }
  EXPECT_TRUE(HiddenLeftovers(mHome.Path()).empty());
}

TEST_F(NprRenderSafetyTest, TerminateDuringTheWriteOrHangUpDuringTheRenderLeavesNothingBehind) {
  linvale::test::WriteText(Path("flat.npr"), kWhiteCartoonStyle);
  const std::string keep = Path("keep.png");
  struct Stop {
    int signal;
    bool duringWrite;  // else during the render
    std::string reason;
    std::vector<std::string> model;  // busy enough to be stopped in time
  };
  const std::vector<Stop> stops = {{SIGTERM, true, "terminated", {}},
                                   {SIGHUP, false, "hung up", {"--sample-triangles", "200000"}}};
  for (const Stop& stop : stops) {
    linvale::test::WriteText(keep, kOlderPicture);
    // Large enough that encoding the picture takes a noticeable while.
    std::vector<std::string> arguments = {"--size", "3000x2250", "--aa", "none", "-s", Path("flat.npr"), "-o", keep};
    arguments.insert(arguments.end(), stop.model.begin(), stop.model.end());
    linvale::test::RunningProgram render(NPR_RENDER_PROGRAM, arguments, mHome.Path());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    // The trial picture comes and goes before the renderer names its task.
    while (!Contains(render.ErrorSoFar(), "Calculating edges") && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    while (stop.duringWrite && HiddenLeftovers(mHome.Path()).empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    render.Signal(stop.signal);
    const ProgramResult result = render.Wait();
    EXPECT_EQ(result.status, 128 + stop.signal) << stop.reason << "\n" << result.err;
    EXPECT_TRUE(Contains(result.err, stop.reason)) << result.err;
    EXPECT_EQ(linvale::test::ReadText(keep), kOlderPicture) << stop.reason;
    EXPECT_TRUE(HiddenLeftovers(mHome.Path()).empty()) << stop.reason;
  }
}

// Refused as cp refuses it: when access(2) says the user may not write the
// file. Root may, so as root the program runs as nobody.
TEST_F(NprRenderSafetyTest, AFileTheUserMayNotWriteIsRefusedAndLinksAreWrittenThrough) {
  ChildSetup asUser;
  if (geteuid() == 0) {
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) {
      GTEST_SKIP() << "running as root and there is no user 'nobody' to drop to";
    }
    asUser.user = std::make_pair(nobody->pw_uid, nobody->pw_gid);
  }
  // A folder everybody may write, holding a file nobody may.
  fs::permissions(mHome.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
  const fs::path shared = mHome.Path() / "shared";
  fs::create_directory(shared);
  fs::permissions(shared, fs::perms::all);
  linvale::test::WriteText(Path("flat.npr"), kWhiteCartoonStyle);
  const std::string readOnly = (shared / "read-only.png").string();
  linvale::test::WriteText(readOnly, kOlderPicture);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::vector<std::string> quick = {"-q", "--size", "80x60", "--aa", "none", "-s", Path("flat.npr")};

  std::vector<std::string> arguments = quick;
  arguments.insert(arguments.end(), {"-o", readOnly});
  const ProgramResult refused = Run(arguments, asUser);
  EXPECT_EQ(refused.status, 6) << refused.err;
  EXPECT_TRUE(Contains(refused.err, "Permission denied")) << refused.err;
  EXPECT_EQ(linvale::test::ReadText(readOnly), kOlderPicture);

  // The link stays a link; the file it names gets the picture and keeps its
  // permissions.
  const fs::path pictures = shared / "pictures";
  fs::create_directory(pictures);
  fs::permissions(pictures, fs::perms::all);
  const fs::path real = pictures / "real.png";
  linvale::test::WriteText(real, kOlderPicture);
  fs::permissions(real, fs::perms::all);
  const fs::path link = shared / "link.png";
  fs::create_symlink("pictures/real.png", link);
  fs::create_symlink("pictures/missing.png", shared / "dangling.png");
  arguments = quick;
  arguments.insert(arguments.end(), {"-o", link.string()});
  const ProgramResult linked = Run(arguments, asUser);
  ASSERT_EQ(linked.status, 0) << linked.err;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fs::read_symlink(link), "pictures/real.png");
  Picture picture;
  EXPECT_TRUE(picture.Load(real.string()));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::all);

  arguments = quick;
  arguments.insert(arguments.end(), {"-o", (shared / "dangling.png").string()});
  const ProgramResult dangling = Run(arguments, asUser);
  EXPECT_EQ(dangling.status, 6) << dangling.err;
  EXPECT_FALSE(fs::exists(pictures / "missing.png"));
  for (const fs::path& folder : {shared, pictures}) {
    EXPECT_TRUE(HiddenLeftovers(folder).empty()) << folder;
  }
}

TEST_F(NprRenderSafetyTest, FifosAsPaperOrWallpaperAreSkippedInsteadOfWaitedFor) {
  const std::string paper = Path("paper.fifo");
  const std::string wallpaper = Path("wallpaper.fifo");
  ASSERT_EQ(mkfifo(paper.c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(wallpaper.c_str(), 0600), 0);
  // The shipped watercolour style, with FIFOs for its images.
  std::string style = linvale::test::ReadText(fs::path(INSTALLED_STYLES) / "Watercolour.npr");
  const std::size_t wallpaperKey = style.find("WallPaper=\n");
  const std::size_t paperKey = style.find("paper=paper-cold-press.bmp\n");
  ASSERT_NE(wallpaperKey, std::string::npos);
  ASSERT_NE(paperKey, std::string::npos);
  style.replace(paperKey, std::strlen("paper=paper-cold-press.bmp"), "paper=" + paper);
  style.replace(wallpaperKey, std::strlen("WallPaper="), "WallPaper=" + wallpaper);
  linvale::test::WriteText(Path("fifos.npr"), style);
  linvale::test::RunningProgram render(
      NPR_RENDER_PROGRAM, {"-q", "--size", "160x120", "--aa", "none", "-s", Path("fifos.npr"), "-o", Path("out.png")},
      mHome.Path());
  const ProgramResult result = render.WaitAtMost(std::chrono::seconds(60));
  ASSERT_EQ(result.status, 0) << result.err;
  Picture picture;
  ASSERT_TRUE(picture.Load(Path("out.png")));
  EXPECT_GT(picture.CountUnlikeCorner(), 160 * 120 / 100);
}

TEST_F(NprRenderSafetyTest, ControlCharactersInNamesReachTheTerminalEscaped) {
  const fs::path userStyles = fs::path(Path("Documents")) / "My Orvelle Styles";
  fs::create_directories(userStyles);
  linvale::test::WriteText(userStyles / "Red\x1b[31m\nFake line\x7f.npr", kWhiteCartoonStyle);
  const ProgramResult listing = Run({"--list-styles"});
  EXPECT_EQ(listing.status, 0);
  EXPECT_TRUE(Contains(listing.out, "  Red\\x1b[31m\\nFake line\\x7f\n")) << listing.out;

  const ProgramResult unknown = Run({"-q", "-s",
                                     "Bell\a \xc2\x9b"
                                     "2J \xff",
                                     "-o", Path("out.png")});
  EXPECT_EQ(unknown.status, 4);
  EXPECT_TRUE(Contains(unknown.err, "'Bell\\x07 \\u009b2J \\xff'")) << unknown.err;

  for (const std::string& text : {listing.out, unknown.err}) {
    for (const char control : {'\x1b', '\x7f', '\a', '\xff'}) {
      EXPECT_FALSE(Contains(text, std::string(1, control))) << static_cast<int>(control) << "\n" << text;
    }
  }
}
