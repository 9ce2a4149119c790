# LINVALE_SANITIZE builds every library, plug-in, program and test with
# AddressSanitizer (with its leak checker) and UndefinedBehaviorSanitizer.
# Undefined behaviour stops the program instead of printing and going on, so
# a test that triggers it fails even when its checks pass.
#
# Some files are built with -fno-delete-null-pointer-checks (calls on a null
# shader). That flag only keeps the optimiser from dropping `this == 0` tests;
# UBSan's null check still reports the call, which is what we want.
option(LINVALE_SANITIZE "Build and test with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(LINVALE_SANITIZE)
  set(LINVALE_SANITIZER_FLAGS
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${LINVALE_SANITIZER_FLAGS})
  add_link_options(${LINVALE_SANITIZER_FLAGS})
  # The sanitizers' instrumentation misleads GCC's flow analysis: it reports
  # members of libstdc++'s own <regex> automaton as maybe uninitialized,
  # which the plain build, with the same code, does not. The plain build
  # keeps the warning.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized)
  endif()
  # For the few tests whose subject the sanitizers change (see each use).
  add_compile_definitions(LINVALE_SANITIZED)

  # Every test run reads these through its ctest ENVIRONMENT property.
  # halt_on_error and a non-zero exit code make any report fail its test;
  # suppressions name third-party libraries only (see the file).
  set(LINVALE_SANITIZER_SUPPRESSIONS ${CMAKE_SOURCE_DIR}/cmake/sanitizer-leaks.supp)
  set(LINVALE_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=0:exitcode=23:strict_init_order=1"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=23"
    "LSAN_OPTIONS=suppressions=${LINVALE_SANITIZER_SUPPRESSIONS}:print_suppressions=0:exitcode=23")
else()
  set(LINVALE_SANITIZER_FLAGS)
  set(LINVALE_SANITIZER_ENVIRONMENT)
endif()
