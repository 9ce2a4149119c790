# Installs the build into a fresh prefix and runs the installed npr-render
# with an empty environment: it must find Linvale, the plug-ins and the
# shipped styles by itself.
#   cmake -DBUILD_DIR=<build tree> -DPREFIX=<empty folder> -P install_test.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installing into ${PREFIX} failed")
endif()

set(home "${PREFIX}/home")
file(MAKE_DIRECTORY "${home}")
set(program "${PREFIX}/bin/npr-render")
set(clean_env env -i "HOME=${home}" PATH=/usr/bin:/bin)
# A sanitizer build keeps its options, so a report fails this test too.
foreach(variable ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS)
  if(DEFINED ENV{${variable}})
    list(APPEND clean_env "${variable}=$ENV{${variable}}")
  endif()
endforeach()

# The library the program loaded tells where it looks for everything else.
execute_process(COMMAND ${clean_env} "${program}" --list-styles
  RESULT_VARIABLE status OUTPUT_VARIABLE listing ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installed npr-render --list-styles failed (${status}): ${errors}")
endif()
string(FIND "${listing}" "Default style: ${PREFIX}/" from_prefix)
if(from_prefix EQUAL -1)
  message(FATAL_ERROR "installed npr-render did not use the installed library:\n${listing}")
endif()

file(GLOB styles "${PREFIX}/share/Brisco/Orvelle SR3/Styles/*.npr")
if(NOT styles)
  message(FATAL_ERROR "no styles installed under ${PREFIX}/share")
endif()
set(runs default)
foreach(style IN LISTS styles)
  get_filename_component(name "${style}" NAME_WE)
  string(FIND "${listing}" "  ${name}\n" listed)
  if(listed EQUAL -1)
    message(FATAL_ERROR "style ${name} is installed but not listed:\n${listing}")
  endif()
  list(APPEND runs "${name}")
endforeach()

foreach(run IN LISTS runs)
  set(output "${PREFIX}/${run}.png")
  set(style_option)
  if(NOT run STREQUAL "default")
    set(style_option -s "${run}")
  endif()
  execute_process(COMMAND ${clean_env} "${program}" -q --size 160x120 ${style_option} -o "${output}"
    RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0 OR NOT EXISTS "${output}")
    message(FATAL_ERROR "installed npr-render failed with style ${run} (${status}): ${errors}")
  endif()
  file(SIZE "${output}" size)
  if(size LESS 1000)
    message(FATAL_ERROR "the picture for style ${run} is suspiciously small (${size} bytes)")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
