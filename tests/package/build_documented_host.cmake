# Script mode: takes the minimal host's CMake and C++ blocks from
# docs/hosting.md, builds them against the installed tree and runs the host,
# which must render a picture and save it.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
set(source ${WORK_DIR}/source)

function(run_step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "step failed (${result}): ${ARGN}\n${out}\n${err}")
  endif()
  set(step_output "${out}" PARENT_SCOPE)
endfunction()

# The first fenced block of `language` in `text`, into `out`.
function(fenced_block text language out)
  string(FIND "${text}" "```${language}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "no ${language} block in ${GUIDE}")
  endif()
  string(LENGTH "```${language}\n" fence)
  math(EXPR start "${start} + ${fence}")
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(FIND "${rest}" "```" end)
  string(SUBSTRING "${rest}" 0 ${end} block)
  set(${out} "${block}" PARENT_SCOPE)
endfunction()

file(READ ${GUIDE} guide)
fenced_block("${guide}" cmake project_file)
fenced_block("${guide}" cpp program)
file(WRITE ${source}/CMakeLists.txt "${project_file}")
file(WRITE ${source}/main.cpp "${program}")

run_step(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
list(JOIN SANITIZER_FLAGS " " sanitizer_flags)
run_step(${CMAKE_COMMAND} -S ${source} -B ${WORK_DIR}/build -G ${GENERATOR}
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
  "-DCMAKE_CXX_FLAGS=${sanitizer_flags}" "-DCMAKE_EXE_LINKER_FLAGS=${sanitizer_flags}")
run_step(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
set(picture ${WORK_DIR}/cube.png)
run_step(${WORK_DIR}/build/quorra_host ${picture})
if(NOT step_output MATCHES "320 x 240")
  message(FATAL_ERROR "the host did not report a 320 x 240 picture:\n${step_output}")
endif()
file(SIZE ${picture} picture_size)
if(picture_size EQUAL 0)
  message(FATAL_ERROR "the host saved an empty file")
endif()
