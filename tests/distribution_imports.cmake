# Checks that every program and library of the distribution imports only DLLs that every Windows
# from 7 on has: a DLL missing on a user's PC stops the program before it starts.
# Run by ctest: cmake -DBUILD_DIR=<windows build> -DSCRATCH=<empty folder> -DOBJDUMP=<objdump> -P this file.
cmake_minimum_required(VERSION 3.25)
set(windows_dlls
  advapi32 comctl32 comdlg32 gdi32 imm32 kernel32 msvcrt ole32 oleaut32 shell32 shlwapi user32 uxtheme
  version winmm ws2_32)

file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${SCRATCH}
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "the distribution could not be installed into ${SCRATCH}")
endif()

file(GLOB_RECURSE modules ${SCRATCH}/*.exe ${SCRATCH}/*.dll)
if(NOT modules)
  message(FATAL_ERROR "the distribution holds no program")
endif()
set(foreign "")
foreach(module ${modules})
  execute_process(COMMAND ${OBJDUMP} -p ${module} OUTPUT_VARIABLE headers RESULT_VARIABLE read)
  if(NOT read EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${module}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${headers}")
  string(REPLACE "DLL Name: " "" imports "${lines}")
  file(RELATIVE_PATH name ${SCRATCH} ${module})
  list(JOIN imports " " shown)
  message(STATUS "${name} imports ${shown}")
  foreach(import ${imports})
    string(TOLOWER "${import}" dll)
    string(REGEX REPLACE "\\.dll$" "" dll "${dll}")
    if(NOT dll IN_LIST windows_dlls)
      list(APPEND foreign "${name} imports ${import}")
    endif()
  endforeach()
endforeach()
if(foreign)
  list(JOIN foreign "\n  " lines)
  message(FATAL_ERROR "DLLs that Windows does not have:\n  ${lines}")
endif()
