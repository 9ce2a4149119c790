// CAD models the tests make with the CAD kernel itself and write as STEP,
// IGES or B-rep files. Sizes are in millimetres.
#pragma once

#include <TopoDS_Shape.hxx>

#include <string>

namespace linvale::test {

// A box of 10 by 20 by 30 with a corner at the origin.
TopoDS_Shape MakeBox();
// A cylinder of radius 5 and height 20 standing on the origin along z.
TopoDS_Shape MakeCylinder();
// A plate of 40 by 30 by 8 with a round boss of radius 8 on top, fused
// into one solid, and a blind hole of radius 4 drilled 15 deep from the
// boss's top at z = 20 (its bottom at z = 5). Seen from above: a rectangle,
// the boss's circle and the hole's circle, centred at (20, 15).
TopoDS_Shape MakeBlindHolePart();
constexpr double kHoleCentreX = 20.0;
constexpr double kHoleCentreY = 15.0;
constexpr double kHoleRadius = 4.0;
constexpr double kBossRadius = 8.0;

// The shape's numbers are written as they are, in the file's length unit:
// a box of 10 written in inches is a box of 254 millimetres to a reader.
enum class StepUnit { Millimetre, Inch };
bool WriteStep(const TopoDS_Shape& shape, const std::string& path, StepUnit unit = StepUnit::Millimetre);
bool WriteIges(const TopoDS_Shape& shape, const std::string& path);
bool WriteBrep(const TopoDS_Shape& shape, const std::string& path);

// An assembly "pair" of two instances of the box part "block": the first
// where the part is, coloured red; the second turned a quarter about z and
// moved by (100, 0, 0), coloured blue. The part's top face (z = 30) is
// green in both.
bool WriteTwoBlockAssembly(const std::string& path);
constexpr double kSecondBlockOffset = 100.0;

// An assembly "rack" of `parts` different parts in a grid, for measuring:
// part k is a plate of 80 by 50 by 10 with rounded corners, a grid of
// through holes that grows with k and two bosses with blind holes; the
// shapes and colours repeat from the twenty-first part on, each repeat a
// part of its own. Twenty parts make a STEP file of a few megabytes.
bool WritePlateAssembly(const std::string& path, int parts);

// A well-formed STEP file whose data section holds no shape.
bool WriteStepWithoutShapes(const std::string& path);

}  // namespace linvale::test
