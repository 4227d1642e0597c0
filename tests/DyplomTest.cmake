# dyplom_add_test(NAME name SOURCES a.cpp ... LIBS lib ...)
# A Qt Test executable registered with CTest, run offscreen with the source
# and shared test-data folders handed in through the environment.
function(dyplom_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test)
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;DYPLOM_SOURCE_DIR=${CMAKE_SOURCE_DIR};DYPLOM_BINARY_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 300)
endfunction()
