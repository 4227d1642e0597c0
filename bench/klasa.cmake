# The class window with long lists (included from bench/CMakeLists.txt).
if(TARGET klasa)
  add_executable(bench_klasa ${CMAKE_CURRENT_LIST_DIR}/bench_klasa.cpp)
  target_link_libraries(bench_klasa PRIVATE klasa benchmark::benchmark)
  target_include_directories(bench_klasa PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_compile_definitions(bench_klasa PRIVATE DYPLOM_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
endif()
