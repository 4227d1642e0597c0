# The metafile suites as a plain clone runs them: a copy of what they read
# from the checkout with no ../shared beside it and no wmf2gd on PATH. Every
# suite must pass, each skip giving its reason on the same line.
#   cmake -DSOURCE=... -DWORK=... -DTESTS="path|path" -P PlainClone.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/checkout" "${WORK}/empty-bin")
file(COPY "${SOURCE}/data" DESTINATION "${WORK}/checkout")
if(EXISTS "${WORK}/shared")
  message(FATAL_ERROR "${WORK}/shared must not exist")
endif()

set(ENV{DYPLOM_SOURCE_DIR} "${WORK}/checkout")
set(ENV{PATH} "${WORK}/empty-bin")
set(ENV{QT_QPA_PLATFORM} "offscreen")
unset(ENV{DYPLOM_WMF_CORPUS})
string(REPLACE "|" ";" TESTS "${TESTS}")
foreach(test IN LISTS TESTS)
  get_filename_component(name "${test}" NAME)
  execute_process(COMMAND "${test}" -o -,txt WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 240)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${name} failed without ../shared (exit ${rc}):\n${out}\n${err}")
  endif()
  string(REGEX MATCHALL "SKIP   : [^\n]*" skips "${out}")
  foreach(skip IN LISTS skips)
    if(NOT skip MATCHES "\\) [^ ]")
      message(FATAL_ERROR "${name}: a skip without a reason: ${skip}")
    endif()
  endforeach()
  list(LENGTH skips count)
  message(STATUS "${name}: passed, ${count} skipped")
endforeach()
