// A model as bytes, for handing it from the importer's process to the
// reader's. Both ends run the same program image (the importer is a fork of
// the reader), so plain records travel as their object representation.
#pragma once

#include <functional>
#include <span>

#include <tessel/ts_model.h>

namespace tessel_detail {

// Takes the model's bytes in order, piece by piece; false stops the writing.
using ByteSink = std::function<bool(std::span<const char>)>;

// Hands `model` to `sink`, a mesh's arrays each as one piece straight from
// the mesh, boundary forms in the kernel's binary format; false when the
// sink refused a piece or a form was not made by this toolkit.
bool SerialiseModel(const TS_Model& model, const ByteSink& sink);

// Rebuilds the model written by SerialiseModel; false, with `model` empty,
// when `bytes` is not exactly one such model (cut short, or with anything
// after it).
bool DeserialiseModel(std::span<const char> bytes, TS_Model& model);

}  // namespace tessel_detail
