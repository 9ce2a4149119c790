#include "files/temporary_files.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>

namespace linvale::platform {
namespace {

constexpr std::string_view kMarker = ".tmp-";

bool IsDecimal(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The writer's PID when `name` is "<base>.tmp-<pid>-<n>".
std::optional<pid_t> WriterOf(std::string_view name, std::string_view base) {
  if (!name.starts_with(base) || !name.substr(base.size()).starts_with(kMarker)) {
    return std::nullopt;
  }
  const std::string_view suffix = name.substr(base.size() + kMarker.size());
  const auto dash = suffix.find('-');
  if (dash == std::string_view::npos || !IsDecimal(suffix.substr(0, dash)) || !IsDecimal(suffix.substr(dash + 1))) {
    return std::nullopt;
  }
  pid_t pid = 0;
  const std::string_view digits = suffix.substr(0, dash);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error != std::errc{} || pid <= 0) {
    return std::nullopt;
  }
  return pid;
}

bool ProcessIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + std::string(kMarker) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

void RemoveAbandonedTemporaries(const std::string& target) {
  const std::filesystem::path targetPath(target);
  const std::filesystem::path folder = targetPath.has_parent_path() ? targetPath.parent_path() : ".";
  const std::string base = targetPath.filename().string();
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const auto writer = WriterOf(name, base);
    if (writer && *writer != ::getpid() && ProcessIsGone(*writer)) {
      std::error_code ignored;
      std::filesystem::remove(it->path(), ignored);
    }
  }
}

}  // namespace linvale::platform
