# Checks that the program's folders include only their own files and those of lower layers:
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

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/ui/*.h
  ${SOURCE_DIR}/core/*.cpp ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/catalogue/*.cpp ${SOURCE_DIR}/catalogue/*.h
  ${SOURCE_DIR}/tweaks/*.cpp ${SOURCE_DIR}/tweaks/*.h ${SOURCE_DIR}/platform/*.cpp ${SOURCE_DIR}/platform/*.h)
if(NOT sources)
  message(FATAL_ERROR "no sources under ${SOURCE_DIR}")
endif()

set(violations "")
foreach(source ${sources})
  layer_of(${source} folder layer)
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
  message(FATAL_ERROR "includes that point up or sideways:\n  ${lines}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files include only their own folder and lower layers")
