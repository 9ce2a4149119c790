// A model as bytes, for handing it from the importer's process to the
// reader's. Both ends run the same program image (the importer is a fork of
// the reader), so plain records travel as their object representation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include <tessel/ts_model.h>

namespace tessel::detail {

// Takes the model's bytes in order, piece by piece; false stops the writing.
using ByteSink = std::function<bool(std::span<const char>)>;

// Where the meshes' arrays, nearly all of a model's bytes, travel: in the
// bytes themselves, or as their addresses in the writer's memory, for a
// reader that copies them straight out of the writer's process.
enum class ArrayPlacement { Inline, ByAddress };

// What a reader of arrays placed by address needs: a way to copy `bytes`
// bytes at `address` of the writer's memory (false when they cannot be
// had), and how many bytes it may take that way altogether, since the
// counts come from the writer.
struct ArraySource {
  std::function<bool(std::uint64_t address, void* into, std::size_t bytes)> copy;
  std::uint64_t budgetBytes = 0;
};

// Hands `model` to `sink`, a mesh's arrays each as one piece straight from
// the mesh or as its address, boundary forms in the kernel's binary format;
// false when the sink refused a piece or a form was not made by this toolkit.
bool SerialiseModel(const TS_Model& model, const ByteSink& sink, ArrayPlacement placement = ArrayPlacement::Inline);

// Rebuilds the model written by SerialiseModel, with arrays placed by
// address when `arrays` is given; false, with `model` empty, when `bytes` is
// not exactly one such model (placed otherwise, cut short, or with anything
// after it) or an array cannot be had within the budget.
bool DeserialiseModel(std::span<const char> bytes, TS_Model& model, const ArraySource* arrays = nullptr);

}  // namespace tessel::detail
