// Diagnostic lines on the debug output and assertion boxes.
#include <quorra/debugger.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The debug output reaches standard error only when asked for.
class DebugOutput : public ::testing::Test {
protected:
  void SetUp() override { setenv("QUORRA_DEBUG_OUTPUT", "1", 1); }
  void TearDown() override { unsetenv("QUORRA_DEBUG_OUTPUT"); }

  static std::string Logged(Npr::debugger::warningEvent kind, const wchar_t* file, unsigned line, const wchar_t* module,
                            const wchar_t* text, int expectedResult = 0) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(Npr::debugger::log(kind, file, line, module, text), expectedResult);
    return testing::internal::GetCapturedStderr();
  }
};

TEST_F(DebugOutput, MessagesAndWarningsAreFormattedLines) {
  EXPECT_EQ(Logged(Npr::debugger::Message, L"a", 7, L"m", L"t"), "a(7) m: t\r\n");
  EXPECT_EQ(Logged(Npr::debugger::Warning, L"engine.cpp", 120, L"Quorra", L"no shader"),
            "engine.cpp(120) Quorra WARNING: no shader\r\n");
  // Wide text arrives as UTF-8.
  EXPECT_EQ(Logged(Npr::debugger::Message, L"f", 1, L"m", L"Größe"),
            "f(1) m: Gr\xC3\xB6\xC3\x9F"
            "e\r\n");
  EXPECT_EQ(Logged(Npr::debugger::Message, nullptr, 2, nullptr, nullptr), "(2) : \r\n");
}

TEST_F(DebugOutput, UnknownKindsSendNothing) {
  EXPECT_EQ(Logged(static_cast<Npr::debugger::warningEvent>(3), L"a", 1, L"m", L"t", -1), "");
}

TEST_F(DebugOutput, OverlongLinesAreCutNotOverrun) {
  const std::wstring text(5000, L'x');
  const std::string line = Logged(Npr::debugger::Message, L"a", 1, L"m", text.c_str());
  EXPECT_EQ(line.size(), 2047u);
  EXPECT_EQ(line.substr(0, 9), "a(1) m: x");
}

TEST(DebugOutputSwitch, SilentUnlessTheEnvironmentAsks) {
  unsetenv("QUORRA_DEBUG_OUTPUT");
  testing::internal::CaptureStderr();
  EXPECT_EQ(Npr::debugger::log(Npr::debugger::Message, L"a", 7, L"m", L"t"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

struct ShownBox {
  std::string text;
  std::string caption;
  UINT type = 0;
};
ShownBox gLastBox;
int gAnswer = IDIGNORE;

int RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  gLastBox = ShownBox{text, caption, type};
  return gAnswer;
}

class AssertionBox : public ::testing::Test {
protected:
  void SetUp() override { mPrevious = SetMessageBoxHandler(&RecordBox); }
  void TearDown() override { SetMessageBoxHandler(mPrevious); }

private:
  MessageBoxHandler mPrevious = nullptr;
};

TEST_F(AssertionBox, IgnoreAndRetryAnswerZeroAndOne) {
  gAnswer = IDIGNORE;
  EXPECT_EQ(Npr::debugger::log(Npr::debugger::Assertion, L"scene.cpp", 42, L"Quorra", L"count > 0"), 0);
  EXPECT_EQ(gLastBox.caption, "Debug Assertion failed");
  EXPECT_EQ(gLastBox.text, "Module: Quorra\nFile: scene.cpp\nLine: 42\n\nAssertion: count > 0");
  EXPECT_EQ(gLastBox.type & MB_TYPEMASK, static_cast<UINT>(MB_ABORTRETRYIGNORE));
  EXPECT_EQ(gLastBox.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));

  // No debugger is attached to a test run, so Retry only answers.
  gAnswer = IDRETRY;
  EXPECT_EQ(Npr::debugger::log(Npr::debugger::Assertion, L"a", 1, L"m", L"t"), 1);
}

TEST_F(AssertionBox, AbortEndsTheProcessWithStatusOne) {
  gAnswer = IDABORT;
  EXPECT_EXIT(Npr::debugger::log(Npr::debugger::Assertion, L"a", 1, L"m", L"t"), ::testing::ExitedWithCode(1), "");
}

}  // namespace
