#include "cad_test_files.h"

#include <BRepAlgoAPI_Cut.hxx>
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

bool WriteStepWithoutShapes(const std::string& path) {
  std::ofstream file(path);
  file << "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('empty'),'2;1');\n"
          "FILE_NAME('empty.step','2026-01-01T00:00:00',(''),(''),'','','');\n"
          "FILE_SCHEMA(('AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 }'));\nENDSEC;\nDATA;\n"
          "#1=APPLICATION_CONTEXT('automotive design');\nENDSEC;\nEND-ISO-10303-21;\n";
  return static_cast<bool>(file);
}

}  // namespace linvale::test
