# With MOSARO_SANITIZE every target, JUCE included, is built with ASan and UBSan; the fuzz build has them too.
if(MOSARO_SANITIZE OR MOSARO_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
# With MOSARO_FUZZ every target, JUCE included, also carries the fuzzer's coverage; the fuzz targets link libFuzzer.
if(MOSARO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "the fuzz targets need clang (configure with CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
