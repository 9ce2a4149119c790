// The CAD kernel's part of the toolkit, reached through the module that
// holds it (libtessel_brep.so beside this library). Loading OCCT takes
// about a third of a second, which every program linking the toolkit would
// otherwise pay at start-up, CAD files or not; the module is loaded on
// first use instead and stays loaded, since the B-reps it makes run its
// code.
#pragma once

#include <tessel/ts_brep.h>
#include <tessel/ts_model.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessel::detail {

class CadModule {
public:
  // As ReadCadModel, SerialiseBreps and DeserialiseBreps of the module;
  // false, with the reason in `error` (reading) or nothing (the others),
  // when the module cannot be loaded.
  static bool ReadModel(const char* path, const TS_ModelReadLimits& limits, TS_Model& model, TS_String& error);
  static bool SerialiseBreps(const std::vector<const TS_Brep*>& breps, std::string& bytes);
  static bool DeserialiseBreps(std::span<const char> bytes, std::vector<std::shared_ptr<const TS_Brep>>& breps);
};

}  // namespace tessel::detail
