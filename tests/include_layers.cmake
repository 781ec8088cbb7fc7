# Checks that every folder of program code is a layer and includes only its own files and those of
# the layers below it:
#   platform/ (portable) <- platform/win32, platform/posix <- platform/headless
#     <- core/ <- catalogue/, tweaks/ <- ui/ <- app/
# Folders of one layer include nothing of each other. Run by ctest: cmake -DSOURCE_DIR=<source> -P this file.
cmake_minimum_required(VERSION 3.25)

# Folder and layer, the longer of two nested folders first.
set(layers
  platform/headless 2
  platform/win32 1
  platform/posix 1
  platform 0
  core 3
  catalogue 4
  tweaks 4
  ui 5
  app 6)

# The folder of the table that holds path, and its layer; empty when the table has none.
function(layer_of path out_folder out_layer)
  set(${out_folder} "" PARENT_SCOPE)
  set(${out_layer} "" PARENT_SCOPE)
  set(rest ${layers})
  while(rest)
    list(POP_FRONT rest folder layer)
    if(path MATCHES "^${folder}/")
      set(${out_folder} ${folder} PARENT_SCOPE)
      set(${out_layer} ${layer} PARENT_SCOPE)
      return()
    endif()
  endwhile()
endfunction()

# Every folder of program code belongs to a layer; outside them are the tests, the benchmarks and
# the fuzz targets (which may include any layer) and what holds no program code.
set(outside .git .ci build tests bench fuzz cmake companion scripts)
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(sources "")
foreach(folder ${folders})
  if(IS_DIRECTORY ${SOURCE_DIR}/${folder} AND NOT folder IN_LIST outside)
    file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found})
  endif()
endforeach()
if(NOT sources)
  message(FATAL_ERROR "no sources under ${SOURCE_DIR}")
endif()

set(violations "")
foreach(source ${sources})
  layer_of(${source} folder layer)
  if(folder STREQUAL "")
    list(APPEND violations "${source} lies in no layer")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${includes})
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
    # The picture headers are generated from ui/pictures/ into the build tree.
    string(REGEX REPLACE "^pictures/" "ui/pictures/" included "${included}")
    layer_of(${included} included_folder included_layer)
    if(included_folder STREQUAL "" OR included_folder STREQUAL folder)
      continue()
    endif()
    if(NOT included_layer LESS layer)
      list(APPEND violations "${source} (${folder}) includes ${included} (${included_folder})")
    endif()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " lines)
  message(FATAL_ERROR "files outside the layers, or including a layer above or beside their own:\n  ${lines}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files include only their own folder and lower layers")
