# Benchmark of the print command (included from bench/CMakeLists.txt).
add_executable(bench_printing ${CMAKE_CURRENT_LIST_DIR}/bench_printing.cpp)
target_link_libraries(bench_printing PRIVATE printing benchmark::benchmark)
target_include_directories(bench_printing PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
target_compile_definitions(bench_printing PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# dyplom-druk's batch, when it is in the build.
if(TARGET druk)
  add_executable(bench_druk ${CMAKE_CURRENT_LIST_DIR}/bench_druk.cpp)
  target_link_libraries(bench_druk PRIVATE druk benchmark::benchmark)
  target_include_directories(bench_druk PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
  target_compile_definitions(bench_druk PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()
