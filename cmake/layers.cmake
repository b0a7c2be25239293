# The program's layers: one static library per subsystem, each linking only what it
# uses, platform libraries PRIVATE. Bottom to top:
#
#   platform  SDL2, FreeType, fontconfig, the embedded resources, the file search
#   gfx       images, textures and GL names (OpenGL)
#   base      io, events, elements, the accessors, text (fonts and the string table)
#   audio     the sound (OpenAL)
#   world     the scene and its components (OpenGL)
#   ui        widgets, pages, menu, console and commands
#   app       the composition root: the application, its layers, the commands' host
#
# A layer sees only its own folders and those of the layers it links: each one's
# include root is a folder of links to its own source folders, and the header
# folders of SDL2, fontconfig and OpenAL that sit on the system include path are
# shadowed, for every layer that must not use them, by headers that stop the
# compile with a message. So a wrong-way include fails the build.

# Layer name and its folders under src/. A file belongs to the layer of its
# deepest folder (ui/text is base, the rest of ui is ui).
set(VENTRIX_LAYER_TABLE
  "platform:platform"
  "base:io,shell,ui/text"
  "gfx:gfx"
  "audio:audio"
  "world:world"
  "ui:ui"
  "app:app")

set(VENTRIX_LAYERS)
set(VENTRIX_LAYER_FOLDERS)
foreach(row ${VENTRIX_LAYER_TABLE})
  string(REPLACE ":" ";" row "${row}")
  list(GET row 0 layer)
  list(GET row 1 folders)
  string(REPLACE "," ";" folders "${folders}")
  list(APPEND VENTRIX_LAYERS ${layer})
  set(VENTRIX_FOLDERS_${layer} ${folders})
  list(APPEND VENTRIX_LAYER_FOLDERS ${folders})
endforeach()

# Headers that stand in for a library's own where a layer must not use it.
set(VENTRIX_HIDDEN_ROOT ${CMAKE_BINARY_DIR}/layers/hidden)
function(ventrix_hide_headers family message)
  set(dir ${VENTRIX_HIDDEN_ROOT}/${family})
  foreach(header_dir ${ARGN})
    file(GLOB headers /usr/include/${header_dir}/*.h)
    foreach(header ${headers})
      get_filename_component(name ${header} NAME)
      set(text "#error \"<${header_dir}/${name}> is hidden from this layer: ${message}\"\n")
      set(path ${dir}/${header_dir}/${name})
      if(EXISTS ${path})
        file(READ ${path} old)
      else()
        set(old "")
      endif()
      if(NOT old STREQUAL text)
        file(WRITE ${path} "${text}")
      endif()
    endforeach()
  endforeach()
endfunction()
ventrix_hide_headers(platform "SDL2 and fontconfig are used only in src/platform" SDL2 fontconfig)
ventrix_hide_headers(openal "OpenAL is used only in src/audio" AL)

# One warnings target for every program, library, test, tool, bench and fuzz target.
# scripts/test turns warnings into errors; scripts/run stays lenient.
option(VENTRIX_WERROR "Treat compiler warnings as errors" OFF)
add_library(ventrix_warnings INTERFACE)
target_compile_options(ventrix_warnings INTERFACE -Wall -Wextra -Wshadow
                       $<$<BOOL:${VENTRIX_WERROR}>:-Werror>)

# Creates the layer's library from its folders and its include root.
# SEES: the platform header families (platform, openal) the layer may include.
function(ventrix_layer layer)
  cmake_parse_arguments(arg "" "" "SEES" ${ARGN})
  set(sources)
  foreach(folder ${VENTRIX_FOLDERS_${layer}})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
    # Leave out what a deeper folder of another layer claims.
    foreach(other ${VENTRIX_LAYER_FOLDERS})
      string(FIND "${other}" "${folder}/" at)
      if(at EQUAL 0)
        list(FILTER found EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/src/${other}/")
      endif()
    endforeach()
    list(APPEND sources ${found})
  endforeach()
  add_library(${layer} STATIC ${sources})

  set(root ${CMAKE_BINARY_DIR}/layers/${layer})
  foreach(folder ${VENTRIX_FOLDERS_${layer}})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    set(link ${root}/${folder})
    set(target_dir ${CMAKE_SOURCE_DIR}/src/${folder})
    set(current "")
    if(IS_SYMLINK ${link})
      file(READ_SYMLINK ${link} current)
    endif()
    if(NOT current STREQUAL target_dir)
      file(REMOVE ${link})
      file(CREATE_LINK ${target_dir} ${link} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${layer} PUBLIC ${root})

  foreach(family platform openal)
    if(NOT family IN_LIST arg_SEES)
      target_include_directories(${layer} BEFORE PRIVATE ${VENTRIX_HIDDEN_ROOT}/${family})
    endif()
  endforeach()
  target_link_libraries(${layer} PRIVATE ventrix_warnings)
endfunction()

ventrix_layer(platform SEES platform)
ventrix_layer(base)
ventrix_layer(gfx)
ventrix_layer(audio SEES openal)
ventrix_layer(world)
ventrix_layer(ui)
ventrix_layer(app)

target_link_libraries(platform PRIVATE SDL2::SDL2 OpenGL::GL Freetype::Freetype Fontconfig::Fontconfig)
target_link_libraries(base PUBLIC platform gfx PRIVATE OpenGL::GL)
target_link_libraries(gfx PUBLIC platform PRIVATE OpenGL::GL)
target_link_libraries(audio PUBLIC platform PRIVATE ${OPENAL_LIBRARY} PkgConfig::ALUT)
target_include_directories(audio PRIVATE ${OPENAL_INCLUDE_DIR})
target_link_libraries(world PUBLIC base gfx audio PRIVATE OpenGL::GL OpenGL::GLU LAPACK::LAPACK)
target_link_libraries(ui PUBLIC world PRIVATE OpenGL::GL)
target_link_libraries(app PUBLIC ui PRIVATE OpenGL::GL)

# Wrong-way includes fail, right-way ones compile: each row compiles one include
# with the flags of a real source file of the layer (from compile_commands.json).
# Layer, a folder of its sources, the include, and whether it must compile.
set(VENTRIX_LAYERING_CASES
  "ui|ui/toolkit|\"app/Application.h\"|fails"
  "ui|ui/toolkit|<SDL2/SDL.h>|fails"
  "world|world/sky|<SDL2/SDL_keyboard.h>|fails"
  "world|world|\"ui/toolkit/Widget.h\"|fails"
  "world|world|<AL/al.h>|fails"
  "base|shell|\"world/Scene.h\"|fails"
  "gfx|gfx|<fontconfig/fontconfig.h>|fails"
  "ui|ui/toolkit|\"world/Scene.h\"|compiles"
  "app|app|\"app/Application.h\"|compiles"
  "platform|platform|<SDL2/SDL.h>|compiles"
  "audio|audio|<AL/al.h>|compiles")
foreach(row ${VENTRIX_LAYERING_CASES})
  string(REPLACE "|" ";" row "${row}")
  list(GET row 0 layer)
  list(GET row 1 folder)
  list(GET row 2 header)
  list(GET row 3 expect)
  string(REGEX REPLACE "[^A-Za-z0-9]+" "_" name "${header}")
  string(REGEX REPLACE "^_|_h_?$" "" name "${name}")
  set(test layering_${layer}_${expect}_${name})
  add_test(NAME ${test}
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DSOURCE=${CMAKE_SOURCE_DIR}
                   -DFOLDER=${folder} -DHEADER=${header} -DEXPECT=${expect}
                   -P ${CMAKE_SOURCE_DIR}/cmake/check_include.cmake)
endforeach()
