# Runs `mosaro-preview slices --svg OUT PRESET` and checks the picture names and outlines each slice.
execute_process(COMMAND ${PREVIEW} slices --svg ${OUT} --size 1920x1080 ${PRESET}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "slices --svg failed (${rc}): ${err}")
endif()
file(READ ${OUT} svg)
foreach(expected
    "<polygon points=\"80,80 680,80 680,420 80,420\""
    ">4 Front Left</text>"
    ">7 Pillar</text>"
    ">1 ( Front Wall )</text>"
    ">5 ( Side Screen )</text>"
    "<rect x=\"0\" y=\"0\" width=\"1920\" height=\"1080\"")
  string(FIND "${svg}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the SVG lacks ${expected}:\n${svg}")
  endif()
endforeach()
