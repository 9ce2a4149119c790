#include "cad_document.h"

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <IFSelect_ReturnStatus.hxx>
#include <IGESCAFControl_Reader.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Quantity_Color.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <TDF_Label.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopTools_MapOfShape.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "../model/neutral_grey.h"

namespace tessel::detail {
namespace {

std::optional<TS_String> LabelName(const TDF_Label& label) {
  Handle(TDataStd_Name) name;
  if (!label.FindAttribute(TDataStd_Name::GetID(), name) || name->Get().IsEmpty()) {
    return std::nullopt;
  }
  std::string text(static_cast<std::size_t>(name->Get().LengthOfCString()) + 1, '\0');
  Standard_PCharacter buffer = text.data();
  text.resize(static_cast<std::size_t>(name->Get().ToUTF8CString(buffer)));
  return TS_String(text);
}

class DocumentWalker {
public:
  DocumentWalker(const Handle(TDocStd_Document) & document, CadDocument& result)
      : mShapes(XCAFDoc_DocumentTool::ShapeTool(document->Main())),
        mColors(XCAFDoc_DocumentTool::ColorTool(document->Main())),
        mResult(result) {
    BRep_Builder().MakeCompound(mResult.prototypes);
  }

  void WalkFreeShapes() {
    TDF_LabelSequence free;
    mShapes->GetFreeShapes(free);
    for (const TDF_Label& label : free) {
      Walk(label, TopLoc_Location(), std::nullopt);
    }
  }

private:
  // An instance's own colour wins over its part's, and a part's over the
  // colour of the assembly that holds it.
  void Walk(const TDF_Label& label, const TopLoc_Location& parentPlacement, std::optional<TS_Color> inherited) {
    TDF_Label part = label;
    TopLoc_Location placement = parentPlacement;
    std::optional<TS_Color> color = LabelColor(label);
    if (XCAFDoc_ShapeTool::IsReference(label)) {
      XCAFDoc_ShapeTool::GetReferredShape(label, part);
      placement = parentPlacement * XCAFDoc_ShapeTool::GetLocation(label);
      color = color ? color : LabelColor(part);
    }
    color = color ? color : inherited;
    if (XCAFDoc_ShapeTool::IsAssembly(part)) {
      TDF_LabelSequence components;
      XCAFDoc_ShapeTool::GetComponents(part, components);
      for (const TDF_Label& component : components) {
        Walk(component, placement, color);
      }
      return;
    }
    const TopoDS_Shape shape = XCAFDoc_ShapeTool::GetShape(part);
    if (shape.IsNull()) {
      return;
    }
    TS_String name = LabelName(part).value_or(LabelName(label).value_or(TS_String()));
    if (name.empty()) {
      name = "part " + std::to_string(mResult.parts.size() + 1);
    }
    mResult.parts.push_back(
        {name, std::make_shared<OcctBrep>(shape, placement, color.value_or(NeutralGrey()), FaceColorsOf(part))});
    if (mPrototypes.Add(shape)) {
      BRep_Builder().Add(mResult.prototypes, shape);
    }
  }

  std::optional<TS_Color> LabelColor(const TDF_Label& label) const {
    Quantity_Color color;
    if (!mColors->GetColor(label, XCAFDoc_ColorSurf, color) && !mColors->GetColor(label, XCAFDoc_ColorGen, color)) {
      return std::nullopt;
    }
    double red = 0.0, green = 0.0, blue = 0.0;
    color.Values(red, green, blue, Quantity_TOC_sRGB);
    TS_Color result;
    result.SetFractionalRGB(red, green, blue);
    return result;
  }

  // Colours the file gives to pieces of a part: a solid's colour goes to
  // its faces, and a face's own colour, applied after, wins over it.
  FaceColors FaceColorsOf(const TDF_Label& part) const {
    TDF_LabelSequence pieces;
    XCAFDoc_ShapeTool::GetSubShapes(part, pieces);
    std::vector<std::pair<TopoDS_Shape, TS_Color>> colored;
    for (const TDF_Label& piece : pieces) {
      const TopoDS_Shape shape = XCAFDoc_ShapeTool::GetShape(piece);
      if (const std::optional<TS_Color> color = LabelColor(piece); color && !shape.IsNull()) {
        colored.emplace_back(shape, *color);
      }
    }
    // Larger kinds of shape come first in TopAbs_ShapeEnum.
    std::stable_sort(colored.begin(), colored.end(),
                     [](const auto& a, const auto& b) { return a.first.ShapeType() < b.first.ShapeType(); });
    FaceColors faces;
    for (const auto& [shape, color] : colored) {
      for (TopExp_Explorer explorer(shape, TopAbs_FACE); explorer.More(); explorer.Next()) {
        faces.Bind(explorer.Current(), color);
      }
    }
    return faces;
  }

  Handle(XCAFDoc_ShapeTool) mShapes;
  Handle(XCAFDoc_ColorTool) mColors;
  CadDocument& mResult;
  TopTools_MapOfShape mPrototypes;
};

// Closes the document however reading ends; the shapes taken from it stay.
class ScopedDocument {
public:
  ScopedDocument() : mApplication(XCAFApp_Application::GetApplication()) {
    mApplication->NewDocument("MDTV-XCAF", mDocument);
  }
  ~ScopedDocument() {
    if (!mDocument.IsNull() && mDocument->IsOpened()) {
      mApplication->Close(mDocument);
    }
  }
  ScopedDocument(const ScopedDocument&) = delete;
  ScopedDocument& operator=(const ScopedDocument&) = delete;

  Handle(TDocStd_Document) & Get() { return mDocument; }

private:
  Handle(XCAFApp_Application) mApplication;
  Handle(TDocStd_Document) mDocument;
};

template <class Reader>
bool ReadExchangeFile(const char* path, const char* kind, const Message_ProgressRange& range, CadDocument& document,
                      TS_String& error) {
  Reader reader;
  reader.SetColorMode(true);
  reader.SetNameMode(true);
  if (reader.ReadFile(path) != IFSelect_RetDone) {
    error = std::string(path) + ": not a readable " + kind + " file";
    return false;
  }
  ScopedDocument scoped;
  if (!reader.Transfer(scoped.Get(), range)) {
    error =
        std::string(path) + (range.UserBreak() ? ": reading was interrupted" : ": the shapes could not be converted");
    return false;
  }
  DocumentWalker(scoped.Get(), document).WalkFreeShapes();
  return true;
}

bool ReadBrepFile(const char* path, const Message_ProgressRange& range, CadDocument& document, TS_String& error) {
  TopoDS_Shape shape;
  if (!BRepTools::Read(shape, path, BRep_Builder(), range) || shape.IsNull()) {
    error = std::string(path) + (range.UserBreak() ? ": reading was interrupted" : ": not a readable B-rep file");
    return false;
  }
  BRep_Builder builder;
  builder.MakeCompound(document.prototypes);
  builder.Add(document.prototypes, shape);
  const std::string stem = std::filesystem::path(path).stem().string();
  document.parts.push_back({stem, std::make_shared<OcctBrep>(shape, TopLoc_Location(), NeutralGrey())});
  return true;
}

// OCCT's readers report to its default messenger, which prints to the
// standard output; a library has no business there, and what matters to
// the caller comes back as the result.
void SilenceKernelMessages() {
  static const bool silenced = [] {
    Message::DefaultMessenger()->ChangePrinters().Clear();
    return true;
  }();
  static_cast<void>(silenced);
}

bool HasFaces(const CadDocument& document) { return TopExp_Explorer(document.prototypes, TopAbs_FACE).More(); }

}  // namespace

bool ReadCadDocument(const char* path, CadFormat format, const Message_ProgressRange& range, CadDocument& document,
                     TS_String& error) {
  document = CadDocument();
  SilenceKernelMessages();
  bool read = false;
  switch (format) {
    case CadFormat::Step: read = ReadExchangeFile<STEPCAFControl_Reader>(path, "STEP", range, document, error); break;
    case CadFormat::Iges: read = ReadExchangeFile<IGESCAFControl_Reader>(path, "IGES", range, document, error); break;
    case CadFormat::Brep: read = ReadBrepFile(path, range, document, error); break;
  }
  if (read && (document.parts.empty() || !HasFaces(document))) {
    error = std::string(path) + ": the file holds no surface to draw";
    read = false;
  }
  if (!read) {
    document = CadDocument();
  }
  return read;
}

}  // namespace tessel::detail
