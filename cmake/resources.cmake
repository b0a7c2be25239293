# Built-in resources: the resgen tool draws the pictures, the icon and the wave
# sound at build time and writes a source that embeds them into the platform layer.
# The user-interface texts are a compiled table in resources/.
file(GLOB VENTRIX_RESGEN_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/resgen/*.cpp)
add_executable(resgen ${VENTRIX_RESGEN_SOURCES})
target_link_libraries(resgen PRIVATE Freetype::Freetype Fontconfig::Fontconfig ventrix_warnings)

set(VENTRIX_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)
set(VENTRIX_EMBEDDED_SOURCE ${VENTRIX_RESOURCE_DIR}/EmbeddedResources.cpp)
add_custom_command(
  OUTPUT ${VENTRIX_EMBEDDED_SOURCE}
  COMMAND resgen ${VENTRIX_RESOURCE_DIR}
  DEPENDS resgen
  COMMENT "Drawing the built-in pictures and sound"
  VERBATIM)

target_sources(platform PRIVATE
  ${VENTRIX_EMBEDDED_SOURCE}
  ${CMAKE_CURRENT_SOURCE_DIR}/resources/Texts.cpp)
