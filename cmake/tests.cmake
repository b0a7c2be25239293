# tests/<area>/*_test.cpp   -> unit test executable test_<area>, no display needed
# tests/<area>/*_gltest.cpp -> GL test executable gltest_<area>, run under Xvfb
# tests/e2e/*_e2e.sh        -> end-to-end scripts driving the real binary (they start their own Xvfb)
#
# A unit test links the layer it tests (the table below); a GL test also links app,
# whose application opens the window it draws in, and SDL, which some drive directly.
set(VENTRIX_TEST_LAYERS
  platform=platform resources=gfx io=base text=base shell=app gfx=gfx audio=audio
  clouds=world observer=world scene=world scenery=world sky=world sun=world terrain=world
  thermals=world wind=world proof=world landmaker=world
  commands=ui composites=ui console=ui files=ui menu=ui shortcuts=ui toolkit=ui)
find_package(GTest REQUIRED)
find_package(PNG REQUIRED) # approved pictures (tests/support/Golden.h)
include(GoogleTest)

set(VENTRIX_XVFB xvfb-run -a -s "-screen 0 1024x768x24 -noreset")

# GoogleTest's headers cost more to compile than most tests: every test program
# shares one precompiled header. Test code needs no full optimisation nor debug
# information outside the sanitizer tree, whose reports want line tables.
set(VENTRIX_TEST_PCH_OWNER "")
function(ventrix_test_program target layer)
  target_link_libraries(${target} PRIVATE ${layer} GTest::gtest_main GTest::gmock PNG::PNG
                        ventrix_warnings)
  target_include_directories(${target} PRIVATE tests)
  target_compile_definitions(${target} PRIVATE VENTRIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  if(NOT VENTRIX_SANITIZE)
    target_compile_options(${target} PRIVATE -O1 -g0)
  endif()
  if(VENTRIX_TEST_PCH_OWNER)
    target_precompile_headers(${target} REUSE_FROM ${VENTRIX_TEST_PCH_OWNER})
  else()
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
    set(VENTRIX_TEST_PCH_OWNER ${target} PARENT_SCOPE)
  endif()
endfunction()

file(GLOB VENTRIX_TEST_AREAS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*)
foreach(area_dir ${VENTRIX_TEST_AREAS})
  if(NOT IS_DIRECTORY ${area_dir})
    continue()
  endif()
  get_filename_component(area ${area_dir} NAME)
  set(layer "")
  foreach(entry ${VENTRIX_TEST_LAYERS})
    if(entry MATCHES "^${area}=(.+)$")
      set(layer ${CMAKE_MATCH_1})
    endif()
  endforeach()
  file(GLOB_RECURSE unit_sources CONFIGURE_DEPENDS ${area_dir}/*_test.cpp)
  file(GLOB_RECURSE gl_sources CONFIGURE_DEPENDS ${area_dir}/*_gltest.cpp)
  file(GLOB_RECURSE helper_sources CONFIGURE_DEPENDS ${area_dir}/*_helpers.cpp)
  if((unit_sources OR gl_sources) AND NOT layer)
    message(FATAL_ERROR "tests/${area}: name the layer its tests link in VENTRIX_TEST_LAYERS")
  endif()
  if(unit_sources)
    add_executable(test_${area} ${unit_sources} ${helper_sources})
    ventrix_test_program(test_${area} ${layer})
    add_test(NAME ${area} COMMAND test_${area})
  endif()
  if(gl_sources)
    add_executable(gltest_${area} ${gl_sources} ${helper_sources})
    ventrix_test_program(gltest_${area} "${layer};app;SDL2::SDL2")
    add_test(NAME gl_${area} COMMAND ${VENTRIX_XVFB} $<TARGET_FILE:gltest_${area}>)
  endif()
  file(GLOB e2e_scripts CONFIGURE_DEPENDS ${area_dir}/*_e2e.sh)
  foreach(script ${e2e_scripts})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME e2e_${name} COMMAND bash ${script} $<TARGET_FILE:ventrix> ${CMAKE_SOURCE_DIR})
    set_tests_properties(e2e_${name} PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
  endforeach()
endforeach()
