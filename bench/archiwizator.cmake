# Copying and checking a ProgramDir (included from bench/CMakeLists.txt).
if(NOT TARGET archiwizator_core OR NOT TARGET companions)
  return()
endif()
add_executable(bench_archiwizator ${CMAKE_CURRENT_LIST_DIR}/bench_archiwizator.cpp)
target_link_libraries(bench_archiwizator PRIVATE archiwizator_core companions benchmark::benchmark)
target_compile_definitions(bench_archiwizator PRIVATE DYPLOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME bench_archiwizator_smoke COMMAND bench_archiwizator --benchmark_filter=BM_Restore/10/ --benchmark_min_time=0.001)
set_tests_properties(bench_archiwizator_smoke PROPERTIES TIMEOUT 120)
