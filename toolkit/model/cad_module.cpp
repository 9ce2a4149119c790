#include "cad_module.h"

#include <dlfcn.h>

#include <filesystem>

#include "../brep/cad_module_entry.h"

namespace tessel::detail {
namespace {

constexpr const char* kModuleName = "libtessel_brep.so";

// The entry points, or the reason they could not be had. Looked up once;
// the module is never closed.
struct Entries {
  TsCadReadModel* readModel = nullptr;
  TsCadSerialiseBreps* serialise = nullptr;
  TsCadDeserialiseBreps* deserialise = nullptr;
  std::string problem;
};

std::string ModulePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<const void*>(&ModulePath), &info) == 0 || info.dli_fname == nullptr) {
    return kModuleName;
  }
  return (std::filesystem::path(info.dli_fname).parent_path() / kModuleName).string();
}

Entries Load() {
  Entries entries;
  const std::string path = ModulePath();
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* reason = dlerror();
    entries.problem = "the CAD module could not be loaded (" + std::string(reason != nullptr ? reason : path) + ")";
    return entries;
  }
  entries.readModel = reinterpret_cast<TsCadReadModel*>(dlsym(module, "TsCadReadModelEntry"));
  entries.serialise = reinterpret_cast<TsCadSerialiseBreps*>(dlsym(module, "TsCadSerialiseBrepsEntry"));
  entries.deserialise = reinterpret_cast<TsCadDeserialiseBreps*>(dlsym(module, "TsCadDeserialiseBrepsEntry"));
  if (entries.readModel == nullptr || entries.serialise == nullptr || entries.deserialise == nullptr) {
    entries = Entries();
    entries.problem = "the CAD module " + path + " lacks its entry points";
  }
  return entries;
}

const Entries& Module() {
  static const Entries entries = Load();
  return entries;
}

}  // namespace

bool CadModule::ReadModel(const char* path, const TS_ModelReadLimits& limits, TS_Model& model, TS_String& error) {
  if (Module().readModel == nullptr) {
    error = std::string(path) + ": " + Module().problem;
    return false;
  }
  return Module().readModel(path, &limits, &model, &error);
}

bool CadModule::SerialiseBreps(const std::vector<const TS_Brep*>& breps, std::string& bytes) {
  return Module().serialise != nullptr && Module().serialise(breps.data(), breps.size(), &bytes);
}

bool CadModule::DeserialiseBreps(std::span<const char> bytes, std::vector<std::shared_ptr<const TS_Brep>>& breps) {
  return Module().deserialise != nullptr && Module().deserialise(bytes.data(), bytes.size(), &breps);
}

}  // namespace tessel::detail
