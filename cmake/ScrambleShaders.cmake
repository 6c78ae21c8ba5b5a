# Scrambles the effect's four GLSL sources into fixed-length byte blocks of the module's read-only data.
#
# Included from a CMakeLists.txt: mosaro_scramble_shaders(OUTPUT SHADER_DIR) checks the sources' lengths at
# configure time and adds the build step that regenerates OUTPUT whenever a source or this file changes.
# Run as a script (cmake -DSHADER_DIR=... -DOUTPUT=... -P ScrambleShaders.cmake): pads each source with
# blanks to its block length, fails if it is longer, XORs byte i with key byte (length + i) mod 32 and
# writes a C++ file with the key material and the four blocks.

# Key material: 32 bytes each, as hex; the program appends two zero bytes to form the 34-byte keys.
set(MOSARO_LAYER_KEY_MATERIAL "beac61cbc05f5c850155ba3d11fafded6fbd6bac7d299c6a9e8ec8e3c2b35562")
set(MOSARO_OVERLAY_KEY_MATERIAL "6f86844a8e65d6a51a6e6edc66cf390c2ac4e319092def06631d328b73608d30")

# symbol|file|block length|key material variable, one entry per stored source; the one pass-through vertex
# shader serves both programs, stored once for each under its key. The lengths are written nowhere else: the
# build derives effect/shader_block_lengths.h from them.
set(MOSARO_SHADER_BLOCKS
  "kLayerVertexBlock|pass_through.vert.glsl|206|MOSARO_LAYER_KEY_MATERIAL"
  "kLayerFragmentBlock|layer.frag.glsl|3072|MOSARO_LAYER_KEY_MATERIAL"
  "kOverlayVertexBlock|pass_through.vert.glsl|206|MOSARO_OVERLAY_KEY_MATERIAL"
  "kOverlayFragmentBlock|overlay.frag.glsl|578|MOSARO_OVERLAY_KEY_MATERIAL")

set(MOSARO_SCRAMBLE_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

# Fails with a clear message when the source does not fit its block.
function(_mosaro_check_shader_length path length)
  file(SIZE "${path}" size)
  if(size GREATER length)
    message(FATAL_ERROR "${path} has ${size} bytes; its stored block holds ${length}. Shorten the shader.")
  endif()
endfunction()

# Writes "0x.., " lines (16 bytes a line) of the bytes in the hex string into out_var.
function(_mosaro_hex_to_initialiser hex out_var)
  string(LENGTH "${hex}" digits)
  math(EXPR last "${digits} / 2 - 1")
  set(text "")
  foreach(i RANGE 0 ${last})
    math(EXPR pos "${i} * 2")
    string(SUBSTRING "${hex}" ${pos} 2 byte)
    math(EXPR column "${i} % 16")
    if(column EQUAL 0)
      string(APPEND text "\n   ")
    endif()
    string(APPEND text " 0x${byte},")
  endforeach()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# Reads, pads and scrambles one source; returns its bytes as a hex string.
function(_mosaro_scramble_source path length key_hex out_var)
  _mosaro_check_shader_length("${path}" ${length})
  file(READ "${path}" plain HEX)
  string(LENGTH "${plain}" digits)
  math(EXPR padding "${length} - ${digits} / 2")
  if(padding GREATER 0)
    string(REPEAT "20" ${padding} blanks)
    string(APPEND plain "${blanks}")
  endif()
  set(scrambled "")
  math(EXPR last "${length} - 1")
  foreach(i RANGE 0 ${last})
    math(EXPR pos "${i} * 2")
    string(SUBSTRING "${plain}" ${pos} 2 byte)
    math(EXPR key_pos "((${length} + ${i}) % 32) * 2")
    string(SUBSTRING "${key_hex}" ${key_pos} 2 key_byte)
    math(EXPR mixed "0x${byte} ^ 0x${key_byte}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${mixed}" 2 -1 mixed)
    string(LENGTH "${mixed}" mixed_digits)
    if(mixed_digits EQUAL 1)
      set(mixed "0${mixed}")
    endif()
    string(APPEND scrambled "${mixed}")
  endforeach()
  set(${out_var} "${scrambled}" PARENT_SCOPE)
endfunction()

function(_mosaro_write_shader_blocks shader_dir output)
  set(text "// Generated from the effect's GLSL sources by ScrambleShaders.cmake at build time; do not edit.\n")
  string(APPEND text "#include \"effect/shader_blocks.h\"\n")
  foreach(key LAYER OVERLAY)
    string(TOLOWER "${key}" lower)
    string(SUBSTRING "${lower}" 0 1 first)
    string(TOUPPER "${first}" first)
    string(SUBSTRING "${lower}" 1 -1 rest)
    _mosaro_hex_to_initialiser("${MOSARO_${key}_KEY_MATERIAL}" bytes)
    string(APPEND text "\nextern const uint8_t k${first}${rest}KeyMaterial[32] = {${bytes}\n};\n")
  endforeach()
  foreach(entry IN LISTS MOSARO_SHADER_BLOCKS)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 symbol)
    list(GET fields 1 file)
    list(GET fields 2 length)
    list(GET fields 3 key_var)
    _mosaro_scramble_source("${shader_dir}/${file}" ${length} "${${key_var}}" scrambled)
    _mosaro_hex_to_initialiser("${scrambled}" bytes)
    string(APPEND text "\n// ${file}, ${length} bytes.\nextern const uint8_t ${symbol}[${length}] = {${bytes}\n};\n")
    string(APPEND text "static_assert(sizeof(${symbol}) == ${length}, \"${file}: block length differs\");\n")
  endforeach()
  file(WRITE "${output}" "${text}")
endfunction()

# Adds the build step that generates output from the sources in shader_dir, and writes the blocks' lengths as
# lengths_header ("kLayerVertexLength" for "kLayerVertexBlock", ...).
function(mosaro_scramble_shaders output shader_dir lengths_header)
  set(sources "")
  set(lengths "// Generated from the table of cmake/ScrambleShaders.cmake; edit that table instead.\n#pragma once\n\n")
  string(APPEND lengths "#include <cstdint>\n\n// Lengths of the stored blocks in bytes; each source is padded with blanks to its length.\n")
  foreach(entry IN LISTS MOSARO_SHADER_BLOCKS)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 symbol)
    list(GET fields 1 file)
    list(GET fields 2 length)
    _mosaro_check_shader_length("${shader_dir}/${file}" ${length})
    list(APPEND sources "${shader_dir}/${file}")
    string(REGEX REPLACE "Block$" "Length" constant "${symbol}")
    string(APPEND lengths "constexpr int32_t ${constant} = ${length};\n")
  endforeach()
  list(REMOVE_DUPLICATES sources)
  file(CONFIGURE OUTPUT "${lengths_header}" CONTENT "${lengths}")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DSHADER_DIR=${shader_dir}" "-DOUTPUT=${output}" -P "${MOSARO_SCRAMBLE_SCRIPT}"
    DEPENDS ${sources} "${MOSARO_SCRAMBLE_SCRIPT}"
    COMMENT "Scrambling the effect's shader sources"
    VERBATIM)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT SHADER_DIR OR NOT OUTPUT)
    message(FATAL_ERROR "usage: cmake -DSHADER_DIR=<dir> -DOUTPUT=<file.cpp> -P ScrambleShaders.cmake")
  endif()
  _mosaro_write_shader_blocks("${SHADER_DIR}" "${OUTPUT}")
endif()
