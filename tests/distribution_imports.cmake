# Checks that every program and library of the distribution imports only DLLs that every Windows
# from 7 on has and always loads from System32: a DLL missing on a user's PC stops the program
# before it starts, and Windows looks for any other imported DLL beside the program first, where
# a file of the same name (in a Downloads folder, say) would run inside it.
# Run by ctest: cmake -DBUILD_DIR=<windows build> -DSCRATCH=<empty folder> -DOBJDUMP=<objdump> -P this file.
cmake_minimum_required(VERSION 3.25)
# The Known DLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs) that Windows 7
# and every later Windows share, ntdll, which is always loaded first, and comctl32, which the
# program's manifest redirects to the system's side-by-side copy.
set(windows_dlls
  advapi32 clbcatq comctl32 comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi
  ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32)

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
  message(FATAL_ERROR "DLLs that are not Known DLLs of every Windows:\n  ${lines}")
endif()
