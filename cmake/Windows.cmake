# Windows: the product DLL's version resource, and the Windows test host.
enable_language(RC)

configure_file(${PROJECT_SOURCE_DIR}/windows/version.rc.in ${PROJECT_BINARY_DIR}/windows/version.rc @ONLY)
target_sources(Mosaro2 PRIVATE ${PROJECT_BINARY_DIR}/windows/version.rc)

if(MOSARO_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
  add_subdirectory(tests/frames)
endif()
