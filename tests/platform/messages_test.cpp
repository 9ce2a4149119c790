#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatMessage, GivesTheSystemTextOfAnErrorCode) {
  char text[256];
  const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  const DWORD count = FormatMessageA(flags, nullptr, ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                     text, sizeof text, nullptr);
  EXPECT_EQ(std::string(text), "The system cannot find the file specified.\r\n");
  EXPECT_EQ(count, std::string(text).size());

  EXPECT_EQ(FormatMessageA(flags, nullptr, 987654, 0, text, sizeof text, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(FormatMessageA(flags, nullptr, ERROR_FILE_NOT_FOUND, 0, text, 10, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_STRING, "x", 0, 0, text, sizeof text, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

struct SeenBox {
  std::string text;
  std::string caption;
  UINT type = 0;
};
SeenBox seen;

int RecordingHandler(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  seen = {text, caption, type};
  return IDNO;
}

TEST(MessageBox, GoesToTheInstalledHandler) {
  const MessageBoxHandler previous = SetMessageBoxHandler(&RecordingHandler);
  EXPECT_NE(previous, nullptr);
  EXPECT_EQ(MessageBoxA(nullptr, "Replace the style?", "Sketch", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(seen.text, "Replace the style?");
  EXPECT_EQ(seen.caption, "Sketch");
  EXPECT_EQ(seen.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(SetMessageBoxHandler(previous), &RecordingHandler);
}

TEST(MessageBox, DefaultWritesOneLineAndAnswersWithTheDefaultButton) {
  testing::internal::CaptureStderr();
  const int ok = MessageBoxA(nullptr, "Cannot load\nthe texture", "Sketch", MB_OK | MB_ICONERROR);
  const int no = MessageBoxA(nullptr, "Delete?", nullptr, MB_YESNO | MB_DEFBUTTON2);
  const std::string output = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ok, IDOK);
  EXPECT_EQ(no, IDNO);
  EXPECT_EQ(output, "Sketch: Cannot load the texture\nError: Delete?\n");
}

}  // namespace
