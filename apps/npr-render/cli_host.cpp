#include "cli_host.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "terminal_text.h"

namespace npr_render {

void CliHost::Print(const char* format, ...) {
  if (format == nullptr) {
    return;
  }
  std::va_list arguments;
  va_start(arguments, format);
  std::string text(1024, '\0');
  const int length = std::vsnprintf(text.data(), text.size(), format, arguments);
  va_end(arguments);
  if (length < 0) {
    return;
  }
  text.resize(std::min<std::size_t>(static_cast<std::size_t>(length), text.size() - 1));
  // The library's texts may end in a line break of their own, or not.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
    text.pop_back();
  }
  std::fprintf(stderr, "npr-render: %s\n", Printable(text).c_str());
}

void CliHost::OnPreviewSettings(NprRenderSettings& /*settings*/) {}

}  // namespace npr_render
