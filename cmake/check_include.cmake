# Compiles one #include with the flags of a source file under src/FOLDER, as the
# build compiles that file, and checks the outcome.
#   cmake -DBUILD=<build tree> -DSOURCE=<source tree> -DFOLDER=ui/toolkit
#         -DHEADER=<SDL2/SDL.h> -DEXPECT=fails|compiles -P check_include.cmake
# "fails" passes only when the compiler names the header as missing or hidden, so a
# probe that breaks for another reason does not count as a wall that holds.
foreach(var BUILD SOURCE FOLDER HEADER EXPECT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_include: ${var} is not set")
  endif()
endforeach()

file(READ ${BUILD}/compile_commands.json database)
string(JSON count LENGTH "${database}")
math(EXPR last "${count} - 1")
set(command "")
foreach(i RANGE ${last})
  string(JSON file GET "${database}" ${i} file)
  if(file MATCHES "^${SOURCE}/src/${FOLDER}/[^/]+\\.cpp$")
    string(JSON command GET "${database}" ${i} command)
    break()
  endif()
endforeach()
if(command STREQUAL "")
  message(FATAL_ERROR "check_include: no source of src/${FOLDER} in ${BUILD}/compile_commands.json")
endif()

set(probe_dir ${BUILD}/layers/probes)
string(MD5 key "${FOLDER}${HEADER}")
set(probe ${probe_dir}/${key}.cpp)
file(WRITE ${probe} "#include ${HEADER}\n")
string(REPLACE "${file}" "${probe}" command "${command}")
string(REGEX REPLACE " -M[DT]( [^ -][^ ]*)?| -MF [^ ]+" "" command "${command}")
string(REGEX REPLACE " -o [^ ]+" " -o ${probe_dir}/${key}.o" command "${command}")
separate_arguments(command UNIX_COMMAND "${command}")
execute_process(COMMAND ${command} WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE status
                OUTPUT_VARIABLE output ERROR_VARIABLE output)

string(REGEX REPLACE "^[<\"](.*)[>\"]$" "\\1" bare "${HEADER}")
if(EXPECT STREQUAL "compiles")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "src/${FOLDER} should see ${HEADER}, but:\n${output}")
  endif()
  message(STATUS "src/${FOLDER} sees ${HEADER}")
elseif(status EQUAL 0)
  message(FATAL_ERROR "src/${FOLDER} must not see ${HEADER}, yet it compiled")
elseif(output MATCHES "${bare}: No such file|'${bare}' file not found|${bare}> is hidden from this layer")
  message(STATUS "src/${FOLDER} cannot see ${HEADER}")
else()
  message(FATAL_ERROR "the probe of ${HEADER} in src/${FOLDER} failed for another reason:\n${output}")
endif()
