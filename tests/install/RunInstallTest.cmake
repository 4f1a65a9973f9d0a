# Installs the engine from a build folder into a fresh prefix, then
# configures, builds and runs tests/install/consumer against it:
#   cmake -DBUILD_DIR=<build> -DWORK_DIR=<scratch> -DSOURCE_DIR=<consumer>
#         -DEXAMPLES_DIR=<examples> -DEXAMPLE_CONFIG=<headless configuration>
#         [-DGUIDE=<getting-started.md>]
#         -DCXX=<compiler> [-DLAUNCHER=<ccache>] [-DSANITIZE=ON] -P RunInstallTest.cmake
# The walker example, built there too, runs headless for a few frames. With
# GUIDE, the guide's own CMakeLists.txt and main.cpp are copied into an empty
# folder and built there, so that the guide cannot drift from the engine.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out
    ERROR_VARIABLE out TIMEOUT 240)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}")
  endif()
  message(STATUS "${what}: ok")
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(file lib/libmorvane.a include/engine/Morvane.h lib/cmake/Morvane/MorvaneConfig.cmake
    lib/cmake/Morvane/MorvaneConfigVersion.cmake share/morvane/mo-font.ttf)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the install lacks ${file}")
  endif()
endforeach()

set(flags -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=Debug
  -DEXAMPLES_DIR=${EXAMPLES_DIR})
if(LAUNCHER)
  list(APPEND flags -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
# A sanitized engine needs its run-time libraries in the game's link.
if(SANITIZE)
  list(APPEND flags "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined")
endif()
run("configure" ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build ${flags})
run("build" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
set(ENV{MORVANE_LOG} ${WORK_DIR}/consumer.log)
set(ENV{MORVANE_CONFIG} ${WORK_DIR}/no-config.txt)
run("run" ${WORK_DIR}/build/consumer)
message(STATUS "${last_output}")
if(EXAMPLES_DIR)
  set(ENV{MORVANE_LOG} ${WORK_DIR}/walker.log)
  set(ENV{MORVANE_CONFIG} ${EXAMPLE_CONFIG})
  set(ENV{MORVANE_EXAMPLE_FRAMES} 60)
  run("walker" ${WORK_DIR}/build/walker)
endif()

# The first code block of a kind after a marker in the guide, or a failure.
function(guide_block marker kind out)
  file(READ ${GUIDE} text)
  string(FIND "${text}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the guide lacks ${marker}")
  endif()
  string(SUBSTRING "${text}" ${at} -1 text)
  string(FIND "${text}" "```${kind}\n" begin)
  if(begin EQUAL -1)
    message(FATAL_ERROR "the guide has no ${kind} block after ${marker}")
  endif()
  string(LENGTH "```${kind}\n" skip)
  math(EXPR begin "${begin} + ${skip}")
  string(SUBSTRING "${text}" ${begin} -1 text)
  string(FIND "${text}" "```" end)
  string(SUBSTRING "${text}" 0 ${end} text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(GUIDE)
  guide_block("`CMakeLists.txt`" cmake lists)
  guide_block("`main.cpp`" cpp main)
  file(WRITE ${WORK_DIR}/my_game/CMakeLists.txt "${lists}")
  file(WRITE ${WORK_DIR}/my_game/main.cpp "${main}")
  run("configure the guide's project" ${CMAKE_COMMAND} -S ${WORK_DIR}/my_game
    -B ${WORK_DIR}/my_game/build ${flags})
  run("build the guide's project" ${CMAKE_COMMAND} --build ${WORK_DIR}/my_game/build)
  if(NOT EXISTS ${WORK_DIR}/my_game/build/mo-font.ttf)
    message(FATAL_ERROR "the guide's project has no font beside its program")
  endif()
endif()
