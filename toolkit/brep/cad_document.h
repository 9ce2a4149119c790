// Reading the exchange files of CAD systems (STEP, IGES) and OCCT's own
// B-rep files into placed parts. Lengths come out in millimetres whatever
// unit the file uses.
#pragma once

#include <tessel/ts_string.h>

#include <Message_ProgressRange.hxx>
#include <TopoDS_Compound.hxx>

#include <memory>
#include <vector>

#include "cad_formats.h"
#include "occt_brep.h"

namespace tessel::detail {

// One placed instance of a part. Instances of one part share its shape.
struct CadPart {
  TS_String name;
  std::shared_ptr<const OcctBrep> brep;
};

struct CadDocument {
  std::vector<CadPart> parts;  // in the file's order, assemblies depth first
  // Every distinct part shape once, for meshing them all in one go.
  TopoDS_Compound prototypes;
};

// False, with `error` naming the file, when the file cannot be read, holds
// no shape, or `range` was stopped. OCCT's exceptions are left to the
// caller.
bool ReadCadDocument(const char* path, CadFormat format, const Message_ProgressRange& range, CadDocument& document,
                     TS_String& error);

}  // namespace tessel::detail
