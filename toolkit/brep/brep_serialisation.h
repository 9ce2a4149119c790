// The boundary forms of a model as bytes, for handing them from the
// isolated reader's process to its caller. OCCT's binary shape format
// carries the shapes, with their triangles, so that parts shared by several
// forms stay shared; placements and colours follow as plain records.
#pragma once

#include <tessel/ts_brep.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tessel::detail {

// False when a form is not one this toolkit made.
bool SerialiseBreps(const std::vector<const TS_Brep*>& breps, std::string& bytes);

// The forms written by SerialiseBreps, in order; false, with `breps` empty,
// when `bytes` are not exactly such forms.
bool DeserialiseBreps(std::span<const char> bytes, std::vector<std::shared_ptr<const TS_Brep>>& breps);

}  // namespace tessel::detail
