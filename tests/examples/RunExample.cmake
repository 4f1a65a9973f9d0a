# Runs one example headless and checks its log:
#   cmake -DEXAMPLE=<program> -DCONFIG=<file> -DLOG=<file> -DFRAMES=<n>
#         [-DEXPECT=<regex>] -P RunExample.cmake
# Fails when the program exits with other than 0, when the log lacks the
# engine's closing line or EXPECT, or when it holds an "Error!" line.
set(ENV{MORVANE_CONFIG} ${CONFIG})
set(ENV{MORVANE_LOG} ${LOG})
set(ENV{MORVANE_EXAMPLE_FRAMES} ${FRAMES})
file(REMOVE ${LOG})
execute_process(COMMAND ${EXAMPLE} RESULT_VARIABLE result TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${EXAMPLE} ended with '${result}'")
endif()
file(READ ${LOG} log)
if(NOT log MATCHES "Game engine stopped")
  message(FATAL_ERROR "${LOG} lacks the closing line:\n${log}")
endif()
if(log MATCHES "Error!")
  message(FATAL_ERROR "${LOG} reports an error:\n${log}")
endif()
if(DEFINED EXPECT AND NOT log MATCHES "${EXPECT}")
  message(FATAL_ERROR "${LOG} lacks '${EXPECT}':\n${log}")
endif()
message(STATUS "${EXAMPLE}: ok")
