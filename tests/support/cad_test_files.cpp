#include "cad_test_files.h"

#include <BRepAlgoAPI_Cut.hxx>
#include <BRepFilletAPI_MakeFillet.hxx>
#include <BRep_Builder.hxx>
#include <TopExp.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Vertex.hxx>
#include <BRepAlgoAPI_Fuse.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakeCylinder.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESControl_Writer.hxx>
#include <Quantity_Color.hxx>
#include <STEPCAFControl_Writer.hxx>
#include <Interface_Static.hxx>
#include <STEPControl_Writer.hxx>
#include <StepData_StepModel.hxx>
#include <Standard_Failure.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_ColorTool.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include <gp_Ax2.hxx>
#include <gp_Trsf.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>

#include <cmath>
#include <fstream>
#include <numbers>
#include <string>

namespace linvale::test {
namespace {

TopoDS_Face TopFace(const TopoDS_Shape& shape, double height) {
  for (TopExp_Explorer faces(shape, TopAbs_FACE); faces.More(); faces.Next()) {
    GProp_GProps properties;
    BRepGProp::SurfaceProperties(faces.Current(), properties);
    if (std::abs(properties.CentreOfMass().Z() - height) < 1e-9) {
      return TopoDS::Face(faces.Current());
    }
  }
  return {};
}

}  // namespace

TopoDS_Shape MakeBox() { return BRepPrimAPI_MakeBox(10.0, 20.0, 30.0).Shape(); }

TopoDS_Shape MakeCylinder() { return BRepPrimAPI_MakeCylinder(5.0, 20.0).Shape(); }

TopoDS_Shape MakeBlindHolePart() {
  const TopoDS_Shape plate = BRepPrimAPI_MakeBox(40.0, 30.0, 8.0).Shape();
  const gp_Ax2 bossAxis(gp_Pnt(kHoleCentreX, kHoleCentreY, 8.0), gp::DZ());
  const TopoDS_Shape boss = BRepPrimAPI_MakeCylinder(bossAxis, kBossRadius, 12.0).Shape();
  const TopoDS_Shape body = BRepAlgoAPI_Fuse(plate, boss).Shape();
  const gp_Ax2 holeAxis(gp_Pnt(kHoleCentreX, kHoleCentreY, 5.0), gp::DZ());
  const TopoDS_Shape hole = BRepPrimAPI_MakeCylinder(holeAxis, kHoleRadius, 20.0).Shape();
  return BRepAlgoAPI_Cut(body, hole).Shape();
}

bool WriteStep(const TopoDS_Shape& shape, const std::string& path, StepUnit unit) {
  // The writer registers the unit setting when it is made; the setting is
  // process-wide and goes back to millimetres afterwards.
  STEPControl_Writer writer;
  const bool inches = unit == StepUnit::Inch;
  Interface_Static::SetCVal("write.step.unit", inches ? "INCH" : "MM");
  // The shape's numbers are taken to be in the file's unit, so they reach
  // the file unchanged.
  writer.Model(Standard_True)->SetLocalLengthUnit(inches ? 25.4 : 1.0);
  const bool written =
      writer.Transfer(shape, STEPControl_AsIs) == IFSelect_RetDone && writer.Write(path.c_str()) == IFSelect_RetDone;
  Interface_Static::SetCVal("write.step.unit", "MM");
  return written;
}

bool WriteIges(const TopoDS_Shape& shape, const std::string& path) {
  IGESControl_Controller::Init();
  IGESControl_Writer writer("MM", 1);
  if (!writer.AddShape(shape)) {
    return false;
  }
  writer.ComputeModel();
  return writer.Write(path.c_str());
}

bool WriteBrep(const TopoDS_Shape& shape, const std::string& path) { return BRepTools::Write(shape, path.c_str()); }

bool WriteTwoBlockAssembly(const std::string& path) {
  const Handle(XCAFApp_Application) application = XCAFApp_Application::GetApplication();
  Handle(TDocStd_Document) document;
  application->NewDocument("MDTV-XCAF", document);
  const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
  const Handle(XCAFDoc_ColorTool) colors = XCAFDoc_DocumentTool::ColorTool(document->Main());

  const TopoDS_Shape box = MakeBox();
  const TDF_Label part = shapes->AddShape(box, Standard_False);
  TDataStd_Name::Set(part, "block");
  const TDF_Label top = shapes->AddSubShape(part, TopFace(box, 30.0));
  colors->SetColor(top, Quantity_Color(0.0, 1.0, 0.0, Quantity_TOC_sRGB), XCAFDoc_ColorSurf);

  const TDF_Label assembly = shapes->NewShape();
  TDataStd_Name::Set(assembly, "pair");
  const TDF_Label first = shapes->AddComponent(assembly, part, TopLoc_Location());
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), std::numbers::pi / 2.0);
  gp_Trsf move;
  move.SetTranslation(gp_Vec(kSecondBlockOffset, 0.0, 0.0));
  const TDF_Label second = shapes->AddComponent(assembly, part, TopLoc_Location(move * turn));
  colors->SetColor(first, Quantity_Color(1.0, 0.0, 0.0, Quantity_TOC_sRGB), XCAFDoc_ColorSurf);
  colors->SetColor(second, Quantity_Color(0.0, 0.0, 1.0, Quantity_TOC_sRGB), XCAFDoc_ColorSurf);
  shapes->UpdateAssemblies();

  STEPCAFControl_Writer writer;
  writer.SetColorMode(Standard_True);
  writer.SetNameMode(Standard_True);
  const bool written = writer.Transfer(document, STEPControl_AsIs) && writer.Write(path.c_str()) == IFSelect_RetDone;
  application->Close(document);
  return written;
}

namespace {

// Part k of the rack; the parts repeat their shapes and colours every
// twenty, so that larger racks stay valid and grow in proportion.
constexpr int kDistinctPlates = 20;

TopoDS_Shape MakeDrilledPlate(int k) {
  const TopoDS_Shape box = BRepPrimAPI_MakeBox(80.0, 50.0, 10.0).Shape();
  BRepFilletAPI_MakeFillet rounded(box);
  for (TopExp_Explorer edges(box, TopAbs_EDGE); edges.More(); edges.Next()) {
    const TopoDS_Edge& edge = TopoDS::Edge(edges.Current());
    TopoDS_Vertex first, last;
    TopExp::Vertices(edge, first, last);
    // The four vertical edges.
    if (std::abs(BRep_Tool::Pnt(first).Z() - BRep_Tool::Pnt(last).Z()) > 1.0) {
      rounded.Add(4.0, edge);
    }
  }
  TopoDS_Compound tools;
  BRep_Builder builder;
  builder.MakeCompound(tools);
  const int columns = 4 + k % 5;
  const double radius = 1.5 + 0.05 * k;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < columns; ++column) {
      const gp_Pnt centre(10.0 + column * 60.0 / columns, 10.0 + row * 15.0, -1.0);
      builder.Add(tools, BRepPrimAPI_MakeCylinder(gp_Ax2(centre, gp::DZ()), radius, 12.0).Shape());
    }
  }
  TopoDS_Shape plate = BRepAlgoAPI_Cut(rounded.Shape(), tools).Shape();
  for (const double x : {20.0, 60.0}) {
    const TopoDS_Shape boss = BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(x, 40.0, 10.0), gp::DZ()), 6.0, 8.0).Shape();
    plate = BRepAlgoAPI_Fuse(plate, boss).Shape();
    const TopoDS_Shape hole = BRepPrimAPI_MakeCylinder(gp_Ax2(gp_Pnt(x, 40.0, 8.0), gp::DZ()), 3.0, 12.0).Shape();
    plate = BRepAlgoAPI_Cut(plate, hole).Shape();
  }
  return plate;
}

}  // namespace

bool WritePlateAssembly(const std::string& path, int parts) {
  const Handle(XCAFApp_Application) application = XCAFApp_Application::GetApplication();
  Handle(TDocStd_Document) document;
  application->NewDocument("MDTV-XCAF", document);
  const Handle(XCAFDoc_ShapeTool) shapes = XCAFDoc_DocumentTool::ShapeTool(document->Main());
  const Handle(XCAFDoc_ColorTool) colors = XCAFDoc_DocumentTool::ColorTool(document->Main());
  const TDF_Label assembly = shapes->NewShape();
  TDataStd_Name::Set(assembly, "rack");
  for (int k = 0; k < parts; ++k) {
    const int shape = k % kDistinctPlates;
    const TDF_Label part = shapes->AddShape(MakeDrilledPlate(shape), Standard_False);
    TDataStd_Name::Set(part, TCollection_ExtendedString(("plate " + std::to_string(k + 1)).c_str()));
    colors->SetColor(part, Quantity_Color(0.3 + 0.03 * shape, 0.5, 0.8 - 0.03 * shape, Quantity_TOC_sRGB),
                     XCAFDoc_ColorSurf);
    gp_Trsf place;
    place.SetTranslation(gp_Vec(100.0 * (k % 5), 70.0 * (k / 5), 0.0));
    shapes->AddComponent(assembly, part, TopLoc_Location(place));
  }
  shapes->UpdateAssemblies();
  STEPCAFControl_Writer writer;
  writer.SetColorMode(Standard_True);
  writer.SetNameMode(Standard_True);
  const bool written = writer.Transfer(document, STEPControl_AsIs) && writer.Write(path.c_str()) == IFSelect_RetDone;
  application->Close(document);
  return written;
}

bool WriteStepWithoutShapes(const std::string& path) {
  std::ofstream file(path);
  file << "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('empty'),'2;1');\n"
          "FILE_NAME('empty.step','2026-01-01T00:00:00',(''),(''),'','','');\n"
          "FILE_SCHEMA(('AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }'));\nENDSEC;\nDATA;\n"
          "#1=APPLICATION_CONTEXT('automotive design');\nENDSEC;\nEND-ISO-10303-21;\n";
  return static_cast<bool>(file);
}

}  // namespace linvale::test
