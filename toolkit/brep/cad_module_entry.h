// The entry points of the CAD module (libtessel_brep.so), which the
// toolkit looks up when it first needs the CAD kernel. Both sides are built
// together, so C++ types pass by pointer; C linkage only keeps the names
// plain for the lookup.
#pragma once

#include <tessel/ts_brep.h>
#include <tessel/ts_model.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

extern "C" {

// ReadCadModel of cad_model_reading.h.
using TsCadReadModel = bool(const char* path, const TS_ModelReadLimits* limits, TS_Model* model, TS_String* error);
// SerialiseBreps and DeserialiseBreps of brep_serialisation.h.
using TsCadSerialiseBreps = bool(const TS_Brep* const* breps, std::size_t count, std::string* bytes);
using TsCadDeserialiseBreps = bool(const char* bytes, std::size_t size,
                                   std::vector<std::shared_ptr<const TS_Brep>>* breps);

TsCadReadModel TsCadReadModelEntry;
TsCadSerialiseBreps TsCadSerialiseBrepsEntry;
TsCadDeserialiseBreps TsCadDeserialiseBrepsEntry;
}
