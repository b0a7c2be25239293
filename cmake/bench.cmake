# bench/*.cpp -> one benchmark program each (Google Benchmark), built with the project.
find_package(benchmark REQUIRED)
file(GLOB VENTRIX_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench/*.cpp)
foreach(source ${VENTRIX_BENCH_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(bench_${name} ${source})
  target_link_libraries(bench_${name} PRIVATE world benchmark::benchmark ventrix_warnings)
  target_include_directories(bench_${name} PRIVATE tests)
endforeach()
