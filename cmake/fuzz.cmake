# Proof tools: the frame benchmark and the fuzz targets.

# The frame benchmark: bench/frame/*.cpp -> bench_frame, built and run on demand by bench/frame/frame.sh.
file(GLOB VENTRIX_FRAME_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/bench/frame/*.cpp)
if(VENTRIX_FRAME_BENCH_SOURCES)
  add_executable(bench_frame EXCLUDE_FROM_ALL ${VENTRIX_FRAME_BENCH_SOURCES})
  target_link_libraries(bench_frame PRIVATE app ventrix_warnings)
endif()

# Fuzz targets: fuzz/<name>_fuzz.cpp -> fuzz_<name>, each a libFuzzer program.
# Configure a separate build tree with clang, e.g.
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVENTRIX_FUZZ=ON -DVENTRIX_SANITIZE=ON
# scripts/clang-build does that; scripts/fuzz runs each target for a given time.
option(VENTRIX_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(NOT VENTRIX_FUZZ)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "VENTRIX_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()

# Coverage feedback for the code under test; the fuzzer's own main is linked
# only into the fuzz programs.
foreach(layer ${VENTRIX_LAYERS})
  target_compile_options(${layer} PRIVATE -fsanitize=fuzzer-no-link)
endforeach()

file(GLOB VENTRIX_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
add_custom_target(fuzz_all)
foreach(source ${VENTRIX_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${name})
  add_executable(fuzz_${name} ${source})
  target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE world ventrix_warnings)
  target_include_directories(fuzz_${name} PRIVATE fuzz)
  target_compile_definitions(fuzz_${name} PRIVATE VENTRIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(fuzz_all fuzz_${name})
endforeach()
