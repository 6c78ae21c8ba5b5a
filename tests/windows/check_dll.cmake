# cmake -DDLL=... -DOBJDUMP=... [-DSPLIT_DEBUG=1] [-DPROGRAM=1] -P check_dll.cmake
# Fails unless the DLL exports exactly the undecorated plugMain, imports only DLLs that ship with Windows
# (no C++ runtime, threads or zlib DLL), and, for release builds, keeps its debug information in DLL.debug.
# With PROGRAM, DLL names a program: only its imports are checked.
cmake_minimum_required(VERSION 3.20)
set(system_dlls
  kernel32 user32 gdi32 advapi32 shell32 ole32 oleaut32 ws2_32 version wininet shlwapi winmm opengl32
  msvcrt ucrtbase)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p failed on ${DLL}")
endif()

# Exports: the lines after "[Ordinal/Name Pointer] Table" up to the next blank line.
set(exports "(not checked)")
if(NOT PROGRAM)
  string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${DLL} has no export name table")
  endif()
  string(SUBSTRING "${dump}" ${at} -1 tail)
  string(REGEX MATCH "Table\n([^\n]+\n)+" block "${tail}")
  string(REGEX REPLACE "^Table\n" "" block "${block}")
  # Entries read "\t[   0] name"; the brackets go before the text becomes a list.
  string(REGEX REPLACE "[ \t]*\\[ *[0-9]+\\] *" "" block "${block}")
  string(REGEX MATCHALL "[^\n]+" exports "${block}")
  if(NOT exports STREQUAL "plugMain")
    message(FATAL_ERROR "exports of ${DLL}: '${exports}', expected only 'plugMain'")
  endif()
endif()

# Imports.
string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
set(imports "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^DLL Name: " "" name "${line}")
  string(TOLOWER "${name}" lower)
  string(REGEX REPLACE "\\.dll$" "" base "${lower}")
  list(APPEND imports "${name}")
  if(NOT base IN_LIST system_dlls AND NOT base MATCHES "^api-ms-win-")
    message(FATAL_ERROR "${DLL} imports ${name}, which is no system DLL; link it statically")
  endif()
endforeach()
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${DLL}")
endif()

# The separate debug file of release builds.
if(SPLIT_DEBUG)
  execute_process(COMMAND ${OBJDUMP} -h ${DLL} OUTPUT_VARIABLE sections)
  if(NOT sections MATCHES "\\.gnu_debuglink" OR sections MATCHES "\\.debug_info")
    message(FATAL_ERROR "${DLL} should be stripped of its debug information and name ${DLL}.debug")
  endif()
  if(NOT EXISTS ${DLL}.debug)
    message(FATAL_ERROR "${DLL}.debug is missing")
  endif()
  execute_process(COMMAND ${OBJDUMP} -h ${DLL}.debug OUTPUT_VARIABLE debug_sections)
  if(NOT debug_sections MATCHES "\\.debug_info")
    message(FATAL_ERROR "${DLL}.debug holds no debug information")
  endif()
endif()
message(STATUS "exports: ${exports}; imports: ${imports}")
