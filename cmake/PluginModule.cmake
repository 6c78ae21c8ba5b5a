# mosaro_add_module(name SOURCES ... LIBS ... [EXPORT_MAP file]): a plugin module (.so without
# prefix) whose only exports are those of its version script.
function(mosaro_add_module name)
  cmake_parse_arguments(M "" "EXPORT_MAP;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  if(NOT M_EXPORT_MAP)
    set(M_EXPORT_MAP ${PROJECT_SOURCE_DIR}/cmake/exports.map)
  endif()
  add_library(${name} MODULE ${M_SOURCES})
  set_target_properties(${name} PROPERTIES PREFIX "" LINK_DEPENDS ${M_EXPORT_MAP})
  if(M_OUTPUT_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${M_OUTPUT_NAME})
  endif()
  target_link_libraries(${name} PRIVATE ${M_LIBS})
  mosaro_warnings(${name})
  target_link_options(${name} PRIVATE
    -Wl,--version-script=${M_EXPORT_MAP} -Wl,--exclude-libs,ALL
    $<$<NOT:$<BOOL:${MOSARO_SANITIZE}>>:-Wl,-z,defs>)
endfunction()
