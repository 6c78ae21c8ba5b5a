# Runs `mosaro-preview` as a user would and checks exit codes, messages and the file render writes.
file(MAKE_DIRECTORY ${OUT})

# expect_run(<exit code> <text expected in the output> <arguments>...)
function(expect_run code expected)
  execute_process(COMMAND ${PREVIEW} ${ARGN} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL code)
    message(FATAL_ERROR "${ARGN}\n  exited ${rc}, expected ${code}\n${out}${err}")
  endif()
  string(FIND "${out}${err}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${ARGN}\n  printed\n${out}${err}\n  without\n${expected}")
  endif()
endfunction()

set(png ${OUT}/example.png)
file(REMOVE ${png})
expect_run(1 "no parameter named \"Opacty 1\"; did you mean \"Opacity 1\""
           render --preset ${EXAMPLES}/stage.xml --set "Opacty 1=0.5" ${png})
expect_run(1 "Slice Output 1 has no element \"Front Lef\"; did you mean \"Front Left\"? Elements by position: 0 \"None\", 1 \"( Front Wall )\""
           render --preset ${EXAMPLES}/stage.xml --set "Slice Output 1=Front Lef" ${png})
expect_run(1 "cannot read image ${OUT}/none.png: No such file or directory"
           render -i ${OUT}/none.png ${png})
expect_run(2 "cannot load ${OUT}/none.so" --module ${OUT}/none.so render ${png})
expect_run(1 "not expected: --no-such-option" render --no-such-option ${png})
# A preset that is not read has a status of its own; the listing with the read status is still printed.
execute_process(COMMAND ${WRITE_PRESET} --slices 2 --cut 100 ${OUT}/torn.xml RESULT_VARIABLE written)
if(NOT written EQUAL 0)
  message(FATAL_ERROR "cannot write ${OUT}/torn.xml")
endif()
expect_run(4 "\"status\": \"parse failed" slices --json ${OUT}/torn.xml)
if(EXISTS ${png})
  message(FATAL_ERROR "a failed render wrote ${png}")
endif()

# --set comes after the scene; each parameter is reported once, where the scene first set it.
expect_run(0 "Kaleidoscope 4 = 9\nRotate In 4 = 15 (+15)\n"
           render --preset ${EXAMPLES}/stage.xml --scene ${EXAMPLES}/stage.scene --size 96x54 --frames 2
                  --set "Kaleidoscope 4=9" --verbose ${png})
if(NOT EXISTS ${png})
  message(FATAL_ERROR "render wrote no ${png}")
endif()
