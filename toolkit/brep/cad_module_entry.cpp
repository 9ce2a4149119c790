#include "cad_module_entry.h"

#include <new>
#include <span>

#include "brep_serialisation.h"
#include "cad_model_reading.h"

// Nothing may leave the module but the answer: the toolkit's caller counts
// on no exception leaving the library.

extern "C" bool TsCadReadModelEntry(const char* path, const TS_ModelReadLimits* limits, TS_Model* model,
                                    TS_String* error) {
  try {
    return tessel::detail::ReadCadModel(path, *limits, *model, *error);
  } catch (const std::bad_alloc&) {
    *error = std::string(path) + ": needs more memory than can be had";
  } catch (...) {
    *error = std::string(path) + ": reading failed";
  }
  return false;
}

extern "C" bool TsCadSerialiseBrepsEntry(const TS_Brep* const* breps, std::size_t count, std::string* bytes) {
  try {
    return tessel::detail::SerialiseBreps(std::vector<const TS_Brep*>(breps, breps + count), *bytes);
  } catch (...) {
    return false;
  }
}

extern "C" bool TsCadDeserialiseBrepsEntry(const char* bytes, std::size_t size,
                                           std::vector<std::shared_ptr<const TS_Brep>>* breps) {
  try {
    return tessel::detail::DeserialiseBreps(std::span<const char>(bytes, size), *breps);
  } catch (...) {
    breps->clear();
    return false;
  }
}
