// Reading a model in a child process, so that the importer's faults on
// damaged files end the child instead of the host.
#include <tessel/ts_model.h>

#include <cstring>
#include <new>
#include <span>
#include <string>
#include <string_view>

#include "isolated_run.h"
#include "memory_budget.h"
#include "model_file_check.h"
#include "model_serialisation.h"

namespace {

using tessel_detail::IsolatedResult;
using tessel_detail::ReplyWriter;
using Outcome = tessel_detail::IsolatedResult::Outcome;

// The child's reply: one byte saying which, then the model or the error.
constexpr char kModelReply = 'M';
constexpr char kErrorReply = 'E';

// The model goes out as it is serialised, so the child never holds a
// second copy of it; a write that fails ends the child without a reply.
// The caller's cancel callback stays behind: the parent asks it and ends
// the child.
bool ReadAndEncode(const char* path, const TS_ModelReadLimits& limits, ReplyWriter& reply) {
  TS_ModelReadLimits inChild = limits;
  inChild.canceled = nullptr;
  inChild.progress = [&reply](double fraction) { reply.ReportProgress(fraction); };
  TS_Model model;
  TS_String error;
  if (!model.Read(path, error, inChild)) {
    return reply.Write(std::string_view(&kErrorReply, 1)) && reply.Write(error);
  }
  return reply.Write(std::string_view(&kModelReply, 1)) &&
         tessel_detail::SerialiseModel(model, [&reply](std::span<const char> bytes) { return reply.Write(bytes); });
}

std::string Describe(const IsolatedResult& result, const TS_ModelReadLimits& limits) {
  switch (result.outcome) {
    case Outcome::Crashed: return "the importer crashed (" + std::string(strsignal(result.signal)) + ")";
    case Outcome::TimedOut:
      return "the importer took longer than " + std::to_string(limits.seconds) + " s of processor time";
    case Outcome::OutOfMemory: return "the importer ran out of memory (a damaged file declaring huge counts?)";
    case Outcome::Canceled: return "reading was interrupted";
    case Outcome::Replied: return "the importer's reply was cut short";
    case Outcome::Unreadable:
      return "the importer's reply could not be taken (" + std::string(std::strerror(result.error)) + ")";
    case Outcome::Failed: break;
  }
  if (result.error != 0) {
    return "the importer could not be started (" + std::string(std::strerror(result.error)) + ")";
  }
  return "the importer stopped with status " + std::to_string(result.exitStatus);
}

bool Decode(const IsolatedResult& result, TS_Model& model, TS_String& error) {
  const std::span<const char> reply = result.reply.Bytes();
  if (result.outcome == Outcome::Replied && !reply.empty()) {
    if (reply.front() == kModelReply && tessel_detail::DeserialiseModel(reply.subspan(1), model)) {
      return true;
    }
    if (reply.front() == kErrorReply) {
      error.assign(reply.data() + 1, reply.size() - 1);
      return false;
    }
  }
  return false;
}

}  // namespace

bool TS_Model::ReadIsolated(const char* path, TS_String& error, const TS_ModelReadLimits& limits) {
  Destroy();
  error.clear();
  if (path == nullptr || *path == '\0') {
    error = "no model file given";
    return false;
  }
  if (!tessel_detail::CheckModelFile(path, error)) {
    return false;
  }
  try {
    tessel_detail::IsolationLimits isolation;
    isolation.cpuSeconds = limits.seconds;
    isolation.memoryBytes = limits.memoryBytes > 0 ? limits.memoryBytes : tessel_detail::MemoryBudgetForModel(path);
    isolation.canceled = limits.canceled;
    isolation.progress = limits.progress;
    const IsolatedResult result = tessel_detail::RunIsolated(
        [path, &limits](ReplyWriter& reply) { return ReadAndEncode(path, limits, reply); }, isolation);
    if (Decode(result, *this, error)) {
      return true;
    }
    if (error.empty()) {
      error = std::string(path) + ": " + Describe(result, limits);
    }
  } catch (const std::bad_alloc&) {
    error = std::string(path) + ": needs more memory than can be had";
  }
  Destroy();
  return false;
}
