# The header-only libraries of the preview tool: CLI11 (command line) and stb (pictures), as the targets
# mosaro_cli11 and mosaro_stb. A cross-build for Windows takes them from the build machine: only their own
# folders are offered to the compiler, never the machine's whole include folder.
add_library(mosaro_cli11 INTERFACE)
add_library(mosaro_stb INTERFACE)
if(CMAKE_CROSSCOMPILING)
  set(header_only_dir ${PROJECT_BINARY_DIR}/header-only)
  foreach(folder CLI stb)
    find_path(MOSARO_${folder}_PARENT ${folder} PATHS /usr/include /usr/local/include NO_CMAKE_FIND_ROOT_PATH
              NO_DEFAULT_PATH)
    if(NOT MOSARO_${folder}_PARENT)
      message(FATAL_ERROR "the header-only ${folder} folder was not found (scripts/setup.sh installs it)")
    endif()
    file(MAKE_DIRECTORY ${header_only_dir})
    file(CREATE_LINK ${MOSARO_${folder}_PARENT}/${folder} ${header_only_dir}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(mosaro_cli11 SYSTEM INTERFACE ${header_only_dir})
  target_include_directories(mosaro_stb SYSTEM INTERFACE ${header_only_dir})
else()
  find_package(CLI11 REQUIRED)
  target_link_libraries(mosaro_cli11 INTERFACE CLI11::CLI11)
endif()
