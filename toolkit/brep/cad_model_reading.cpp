#include "cad_model_reading.h"

#include <BRepBndLib.hxx>
#include <BRep_Builder.hxx>
#include <Message_ProgressScope.hxx>
#include <Standard_Failure.hxx>
#include <TopoDS_Compound.hxx>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "cad_document.h"
#include "occt_progress.h"
#include "shape_meshing.h"

namespace tessel::detail {
namespace {

using Clock = std::chrono::steady_clock;

// The first meshing may take this share of the time budget, so that a
// coarser second one still has time when the first runs out of it.
constexpr double kFirstTryShare = 2.0 / 3.0;
// How much coarser the second try is when the first ran out of time.
constexpr double kCoarserAfterTimeout = 4.0;
// Beyond this the mesh would no longer show the shape.
constexpr double kMostCoarser = 1000.0;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

Clock::duration Seconds(double seconds) {
  return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(std::max(seconds, 0.0)));
}

// The parts as they are placed, for measuring the model.
TopoDS_Compound PlacedParts(const CadDocument& document) {
  TopoDS_Compound placed;
  BRep_Builder builder;
  builder.MakeCompound(placed);
  for (const CadPart& part : document.parts) {
    builder.Add(placed, part.brep->Part().Moved(part.brep->Placement()));
  }
  return placed;
}

std::uint64_t PlacedTriangleCount(const CadDocument& document) {
  std::map<const TopoDS_TShape*, std::uint64_t> perShape;
  std::uint64_t total = 0;
  for (const CadPart& part : document.parts) {
    const TopoDS_Shape& shape = part.brep->Part();
    auto [entry, added] = perShape.try_emplace(shape.TShape().get(), 0);
    if (added) {
      entry->second = TriangleCount(shape);
    }
    total += entry->second;
  }
  return total;
}

std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", value);
  return text;
}

enum class MeshResult { Done, OverTime, OverTriangles, Failed };

class BudgetedMesher {
public:
  BudgetedMesher(const CadDocument& document, const TS_ModelReadLimits& limits, OcctProgress& progress)
      : mDocument(document), mLimits(limits), mProgress(progress) {}

  // Meshes at the asked tolerances, then once coarser if that went over
  // budget. `error` is set when neither fits.
  bool Mesh(const Message_ProgressRange& range, TS_ClassArray<TS_String>& warnings, TS_String& error) {
    Message_ProgressScope tries(range, "meshing", 2);
    const Clock::time_point start = Clock::now();
    const MeshTolerances asked = TolerancesFor(PlacedParts(mDocument), mLimits.meshing);
    mProgress.SetDeadline(start + Seconds(mLimits.meshSeconds * kFirstTryShare));
    const MeshResult first = Try(asked, tries.Next());
    if (first == MeshResult::Done || first == MeshResult::Failed) {
      return Finish(first, error);
    }
    // Along curved edges the count falls with the square root of the
    // deflection, so the ratio is squared to land within budget.
    const double ratio = 2.0 * static_cast<double>(mTriangles) / static_cast<double>(mLimits.meshTriangles);
    const double factor = first == MeshResult::OverTime ? kCoarserAfterTimeout : std::min(ratio * ratio, kMostCoarser);
    mProgress.SetDeadline(start + Seconds(mLimits.meshSeconds));
    const MeshResult second = Try(Coarser(asked, factor), tries.Next());
    if (second == MeshResult::Done) {
      warnings.Append(TS_String(Describe(first) + "; meshed " + Fixed(factor) + " times coarser"));
    }
    return Finish(second, error);
  }

private:
  MeshResult Try(const MeshTolerances& tolerances, const Message_ProgressRange& range) {
    if (!TriangulateShape(mDocument.prototypes, tolerances, range)) {
      return mProgress.TimedOut() ? MeshResult::OverTime : MeshResult::Failed;
    }
    mTriangles = PlacedTriangleCount(mDocument);
    return mTriangles > mLimits.meshTriangles ? MeshResult::OverTriangles : MeshResult::Done;
  }

  std::string Describe(MeshResult result) const {
    if (result == MeshResult::OverTime) {
      return "meshing took longer than " + Fixed(mLimits.meshSeconds * kFirstTryShare) + " s";
    }
    return "meshing gave " + std::to_string(mTriangles) + " triangles, more than " +
           std::to_string(mLimits.meshTriangles);
  }

  bool Finish(MeshResult result, TS_String& error) const {
    switch (result) {
      case MeshResult::Done: return true;
      case MeshResult::OverTime:
        error = "meshing took longer than " + Fixed(mLimits.meshSeconds) + " s even at coarser tolerances";
        break;
      case MeshResult::OverTriangles: error = Describe(result) + " even at coarser tolerances"; break;
      case MeshResult::Failed:
        error = mProgress.Canceled() ? "meshing was interrupted" : "the shapes could not be meshed";
        break;
    }
    return false;
  }

  const CadDocument& mDocument;
  const TS_ModelReadLimits& mLimits;
  OcctProgress& mProgress;
  std::uint64_t mTriangles = 0;
};

// One object per mesh of each placed part, with one material per colour.
void FillObjects(const CadDocument& document, TS_Model& model) {
  std::map<std::uint32_t, int> materials;
  for (const CadPart& part : document.parts) {
    TS_ClassArray<TS_Mesh> meshes;
    TS_SimpleArray<TS_Color> colors;
    part.brep->ExtractMeshes(meshes, colors);
    for (int i = 0; i < meshes.Count(); ++i) {
      auto [material, added] = materials.try_emplace(colors[i], model.m_materials.Count());
      if (added) {
        TS_Material colored;
        colored.SetDiffuse(colors[i]);
        colored.SetAmbient(colors[i]);
        model.m_materials.Append(colored);
      }
      TS_ModelObject& object = model.m_objects.AppendNew();
      object.name = part.name;
      object.mesh = std::move(meshes[i]);
      object.color = colors[i];
      object.material = material->second;
      object.brep = part.brep;
    }
  }
}

bool ReadAndMesh(const char* path, const TS_ModelReadLimits& limits, TS_Model& model, TS_String& error) {
  CadFormat format = CadFormat::Step;
  CadFormatOf(path, format);
  // OCCT's handles own what they hold and take it from new.
  const Handle(OcctProgress) progress = new OcctProgress(limits.canceled, limits.progress);
  Message_ProgressScope whole(progress->Start(), "model", 2);
  Clock::time_point start = Clock::now();
  CadDocument document;
  if (!ReadCadDocument(path, format, whole.Next(), document, error)) {
    return false;
  }
  model.m_readSeconds = SecondsSince(start);
  start = Clock::now();
  TS_String problem;
  if (!BudgetedMesher(document, limits, *progress).Mesh(whole.Next(), model.m_warnings, problem)) {
    error = std::string(path) + ": " + problem;
    return false;
  }
  FillObjects(document, model);
  model.m_meshSeconds = SecondsSince(start);
  progress->Finish();
  // CAD systems keep z up.
  model.m_up = TS_3dVector(0.0, 0.0, 1.0);
  if (model.m_objects.IsEmpty()) {
    error = std::string(path) + ": the model holds no surface to draw";
    return false;
  }
  return true;
}

}  // namespace

bool ReadCadModel(const char* path, const TS_ModelReadLimits& limits, TS_Model& model, TS_String& error) {
  try {
    return ReadAndMesh(path, limits, model, error);
  } catch (const Standard_Failure& failure) {
    const char* message = failure.GetMessageString();
    error = std::string(path) + ": reading failed (" +
            (message != nullptr && *message != '\0' ? message : failure.DynamicType()->Name()) + ")";
  }
  return false;
}

}  // namespace tessel::detail
