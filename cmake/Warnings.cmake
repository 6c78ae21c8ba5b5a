# Warning flags for the project's own targets (not for JUCE).
function(mosaro_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
