# Windows modules import system DLLs only: the C and C++ runtimes are linked in (MSVC: /MT for every target).
if(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()
function(mosaro_link_runtime_statically name)
  if(MINGW)
    # libgcc, libstdc++ and winpthread.
    target_link_options(${name} PRIVATE -static)
  endif()
endfunction()

# mosaro_add_module(name SOURCES ... LIBS ... [EXPORT_MAP file] [EXPORT_DEF file]): a plugin module (.so or
# .dll without prefix) that exports only what its lists name (by default plugMain alone): on Linux through the
# version script EXPORT_MAP, on Windows through the module-definition file EXPORT_DEF.
function(mosaro_add_module name)
  cmake_parse_arguments(M "" "EXPORT_MAP;EXPORT_DEF;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT M_EXPORT_MAP)
    set(M_EXPORT_MAP ${PROJECT_SOURCE_DIR}/cmake/exports.map)
  endif()
  if(NOT M_EXPORT_DEF)
    set(M_EXPORT_DEF ${PROJECT_SOURCE_DIR}/cmake/exports.def)
  endif()
  add_library(${name} MODULE ${M_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX "")
  if(M_OUTPUT_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${M_OUTPUT_NAME})
  endif()
  target_link_libraries(${name} PRIVATE ${M_LIBS})
  mosaro_warnings(${name})
  if(WIN32)
    target_sources(${name} PRIVATE ${M_EXPORT_DEF})
    mosaro_link_runtime_statically(${name})
    if(MINGW)
      # Unloading gives back all the runtime took (host/module_runtime_windows.h); pthread_once is its own.
      target_sources(${name} PRIVATE $<TARGET_OBJECTS:mosaro_module_runtime>)
      target_link_options(${name} PRIVATE -Wl,--wrap=pthread_once)
    endif()
    mosaro_split_debug_info(${name})
  else()
    set_target_properties(${name} PROPERTIES LINK_DEPENDS ${M_EXPORT_MAP})
    target_link_options(${name} PRIVATE
      -Wl,--version-script=${M_EXPORT_MAP} -Wl,--exclude-libs,ALL
      $<$<NOT:$<BOOL:${MOSARO_SANITIZE}>>:-Wl,-z,defs>)
  endif()
endfunction()

# Release builds with GNU tools move a DLL's debug information and symbol table into NAME.dll.debug beside it,
# which the stripped DLL names (MSVC keeps them in its .pdb anyway).
function(mosaro_split_debug_info name)
  if(MSVC OR NOT CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    return()
  endif()
  if(NOT CMAKE_OBJCOPY)
    message(FATAL_ERROR "objcopy not found: release builds keep their debug information in a separate file")
  endif()
  # objcopy stamps PE files it writes with SOURCE_DATE_EPOCH or else the current time: 0 keeps them unstamped.
  set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE_NAME:${name}> $<TARGET_FILE_NAME:${name}>.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${name}>.debug
            $<TARGET_FILE_NAME:${name}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>
    COMMENT "Keeping the debug information of ${name} in $<TARGET_FILE_NAME:${name}>.debug"
    VERBATIM)
endfunction()
