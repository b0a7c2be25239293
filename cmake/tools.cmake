# The land maker: a library (so tests and benchmarks can use its pieces), the
# landmaker tool, and landsketch, which sketches the sample lands' height maps.
set(LANDMAKER_DIR ${CMAKE_CURRENT_SOURCE_DIR}/tools/landmaker)
add_library(landmaker_lib STATIC
  ${LANDMAKER_DIR}/Bintree.cpp
  ${LANDMAKER_DIR}/GeoLand.cpp
  ${LANDMAKER_DIR}/GeoRaster.cpp
  ${LANDMAKER_DIR}/HeightMap.cpp
  ${LANDMAKER_DIR}/Horizon.cpp
  ${LANDMAKER_DIR}/LandMaker.cpp
  ${LANDMAKER_DIR}/LandRecipe.cpp
  ${LANDMAKER_DIR}/Painter.cpp
  ${LANDMAKER_DIR}/TgaWriter.cpp)
target_include_directories(landmaker_lib PUBLIC ${LANDMAKER_DIR})
# GDAL reads elevation data and pictures in any format and places them with PROJ.
find_package(GDAL REQUIRED)
target_link_libraries(landmaker_lib PUBLIC world GDAL::GDAL PRIVATE ventrix_warnings)

add_executable(landmaker ${LANDMAKER_DIR}/main.cpp)
target_link_libraries(landmaker PRIVATE landmaker_lib ventrix_warnings)

add_executable(landsketch ${LANDMAKER_DIR}/landsketch.cpp)
target_link_libraries(landsketch PRIVATE landmaker_lib ventrix_warnings)

# Makes the sample lands again from their sources in data/lands.
add_custom_target(sample_lands
  COMMAND landsketch ${CMAKE_CURRENT_SOURCE_DIR}/data/lands
  COMMAND landmaker ${CMAKE_CURRENT_SOURCE_DIR}/data/lands/ridge/ridge.land
                    ${CMAKE_CURRENT_SOURCE_DIR}/data/lands/field/field.land
  DEPENDS landsketch landmaker
  COMMENT "Making the sample lands")

# Tests and benchmarks of the land maker need its library; their targets are
# made after this file, so link them once the whole directory is read.
function(landmaker_link_consumers)
  foreach(consumer test_landmaker gltest_landmaker bench_terrain bench_geoland)
    if(TARGET ${consumer})
      target_link_libraries(${consumer} PRIVATE landmaker_lib)
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL landmaker_link_consumers)
