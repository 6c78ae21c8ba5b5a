# Windows: the product DLL's version resource and the texts that a release packs beside it.
enable_language(RC)

# The resource's four numbers: the project version, missing parts as 0.
set(MOSARO_VERSION_NUMBERS "")
foreach(part MAJOR MINOR PATCH TWEAK)
  set(number ${PROJECT_VERSION_${part}})
  if(number STREQUAL "")
    set(number 0)
  endif()
  list(APPEND MOSARO_VERSION_NUMBERS ${number})
endforeach()
string(REPLACE ";" "," MOSARO_VERSION_NUMBERS "${MOSARO_VERSION_NUMBERS}")
configure_file(${PROJECT_SOURCE_DIR}/windows/version.rc.in ${PROJECT_BINARY_DIR}/windows/version.rc @ONLY)
target_sources(Mosaro2 PRIVATE ${PROJECT_BINARY_DIR}/windows/version.rc)

include(${PROJECT_SOURCE_DIR}/cmake/ReleaseTexts.cmake)
