// A model as bytes, for handing it from the importer's process to the
// reader's. Both ends run the same program image (the importer is a fork of
// the reader), so plain records travel as their object representation.
#pragma once

#include <span>
#include <string>

#include <tessel/ts_model.h>

namespace tessel_detail {

// Appends `model` to `bytes`; false when memory runs out.
bool SerialiseModel(const TS_Model& model, std::string& bytes);

// Rebuilds the model written by SerialiseModel; false, with `model` empty,
// when `bytes` is not exactly one such model (cut short, or with anything
// after it).
bool DeserialiseModel(std::span<const char> bytes, TS_Model& model);

}  // namespace tessel_detail
