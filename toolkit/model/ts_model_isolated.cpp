// Reading a model in a child process, so that the importer's faults on
// damaged files end the child instead of the host.
#include <tessel/ts_model.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "../brep/cad_formats.h"
#include "child_heap.h"
#include "isolated_run.h"
#include "memory_budget.h"
#include "model_file_check.h"
#include "model_serialisation.h"

namespace {

using tessel::detail::ArrayPlacement;
using tessel::detail::IsolatedResult;
using tessel::detail::ReplyWriter;
using Outcome = tessel::detail::IsolatedResult::Outcome;

// The child's reply: one byte saying which, then the model or the error.
constexpr char kModelReply = 'M';
constexpr char kErrorReply = 'E';

// Copying the meshes' arrays straight out of the importer's memory saves
// writing them into the reply first; a system whose rules forbid reading
// another process's memory (a ptrace policy, a seccomp filter) gets them in
// the reply, from the first refusal on.
std::atomic<bool> gArraysInReply{false};

bool IsRefusal(int error) { return error == EPERM || error == EACCES || error == ENOSYS; }

// The model goes out as it is serialised, so the child never holds a
// second copy of it; a write that fails ends the child without a reply.
// The model lives on while the parent copies arrays out of it. The caller's
// cancel callback stays behind: the parent asks it and ends the child.
bool ReadAndEncode(const char* path, const TS_ModelReadLimits& limits, ArrayPlacement placement, ReplyWriter& reply) {
  // The CAD kernel's readers are the ones measured to gain from it.
  if (tessel::detail::CadFormat format{}; tessel::detail::CadFormatOf(path, format)) {
    tessel::detail::KeepFreedMemory();
  }
  TS_ModelReadLimits inChild = limits;
  inChild.canceled = nullptr;
  inChild.progress = [&reply](double fraction) { reply.ReportProgress(fraction); };
  TS_Model model;
  TS_String error;
  if (!model.Read(path, error, inChild)) {
    return reply.Write(std::string_view(&kErrorReply, 1)) && reply.Write(error);
  }
  if (!reply.Write(std::string_view(&kModelReply, 1)) ||
      !tessel::detail::SerialiseModel(
          model, [&reply](std::span<const char> bytes) { return reply.Write(bytes); }, placement)) {
    return false;
  }
  reply.CompleteAndWait();
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

// `copyError` is the errno of an array that could not be copied out of the
// importer, else 0.
bool Decode(const IsolatedResult& result, ArrayPlacement placement, std::uint64_t budgetBytes, TS_Model& model,
            TS_String& error, int& copyError) {
  const std::span<const char> reply = result.reply.Bytes();
  copyError = 0;
  if (result.outcome == Outcome::Replied && !reply.empty()) {
    const tessel::detail::ArraySource arrays{[&result, &copyError](std::uint64_t address, void* into, std::size_t bytes) {
                                              const bool copied = result.child.ReadMemory(address, into, bytes);
                                              copyError = copied ? 0 : errno;
                                              return copied;
                                            },
                                            budgetBytes};
    const bool byAddress = placement == ArrayPlacement::ByAddress;
    if (reply.front() == kModelReply &&
        tessel::detail::DeserialiseModel(reply.subspan(1), model, byAddress ? &arrays : nullptr)) {
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

// The state of one read between its start and its finish.
struct TS_IsolatedModelRead::Reading {
  std::string path;
  // Why the read failed before the importer could start; empty otherwise.
  TS_String refusal;
  tessel::detail::IsolationLimits isolation;
  TS_ModelReadLimits limits;
  ArrayPlacement placement = ArrayPlacement::ByAddress;
  std::optional<tessel::detail::IsolatedRun> run;

  void Start() {
    placement = gArraysInReply ? ArrayPlacement::Inline : ArrayPlacement::ByAddress;
    run.emplace([this](ReplyWriter& reply) { return ReadAndEncode(path.c_str(), limits, placement, reply); },
                isolation);
  }
};

TS_IsolatedModelRead::TS_IsolatedModelRead(const char* path, const TS_ModelReadLimits& limits) {
  try {
    mReading = std::make_unique<Reading>();
    Reading& reading = *mReading;
    reading.limits = limits;
    if (path == nullptr || *path == '\0') {
      reading.refusal = "no model file given";
      return;
    }
    reading.path = path;
    if (!tessel::detail::CheckModelFile(path, reading.refusal)) {
      return;
    }
    reading.isolation.cpuSeconds = limits.seconds;
    reading.isolation.memoryBytes =
        limits.memoryBytes > 0 ? limits.memoryBytes : tessel::detail::MemoryBudgetForModel(path);
    reading.isolation.canceled = limits.canceled;
    reading.isolation.progress = limits.progress;
    reading.Start();
  } catch (const std::bad_alloc&) {
    mReading.reset();  // Finish says so
  }
}

TS_IsolatedModelRead::~TS_IsolatedModelRead() = default;

bool TS_IsolatedModelRead::Finish(TS_Model& model, TS_String& error) {
  model.Destroy();
  error.clear();
  if (!mReading || (mReading->refusal.empty() && !mReading->run)) {
    error = mReading ? mReading->path + ": the model was taken already" : "no memory to read a model";
    return false;
  }
  Reading& reading = *mReading;
  if (!reading.refusal.empty()) {
    error = reading.refusal;
    return false;
  }
  try {
    while (true) {
      const IsolatedResult result = reading.run->Await();
      reading.run.reset();
      int copyError = 0;
      if (Decode(result, reading.placement, reading.isolation.memoryBytes, model, error, copyError)) {
        return true;
      }
      if (reading.placement == ArrayPlacement::ByAddress && IsRefusal(copyError)) {
        gArraysInReply = true;
        reading.Start();
        continue;
      }
      if (error.empty()) {
        error = reading.path + ": " + Describe(result, reading.limits);
      }
      break;
    }
  } catch (const std::bad_alloc&) {
    error = reading.path + ": needs more memory than can be had";
  }
  model.Destroy();
  return false;
}

bool TS_Model::ReadIsolated(const char* path, TS_String& error, const TS_ModelReadLimits& limits) {
  TS_IsolatedModelRead reading(path, limits);
  return reading.Finish(*this, error);
}
