// make-cad-rack: writes the generated STEP assembly that bench_cad_read
// measures (twenty different drilled plates, a few megabytes), for
// measurements of whole programs.
//
//   make-cad-rack OUTPUT.step [PARTS]
#include "cad_test_files.h"

#include <Standard_Failure.hxx>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  const int parts = argc == 3 ? std::atoi(argv[2]) : 20;
  if (argc < 2 || argc > 3 || parts < 1) {
    std::fprintf(stderr, "usage: make-cad-rack OUTPUT.step [PARTS]\n");
    return 2;
  }
  try {
    if (linvale::test::WritePlateAssembly(argv[1], parts)) {
      return 0;
    }
  } catch (const Standard_Failure& failure) {
    std::fprintf(stderr, "make-cad-rack: %s\n", failure.GetMessageString());
  }
  std::fprintf(stderr, "make-cad-rack: cannot write %s\n", argv[1]);
  return 1;
}
