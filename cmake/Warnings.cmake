# Warning flags for the project's own targets (not for JUCE).
function(mosaro_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      # make_shared destroys each parameter as the exact kind it made, which clang cannot see.
      target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-delete-non-abstract-non-virtual-dtor>)
    endif()
  endif()
endfunction()
