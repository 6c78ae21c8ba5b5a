# JUCE's core module, compiled from the Debian sources as a static, position-independent library. The preset
# reader follows the XML parser and number reader of JUCE 7.0.5, and presets/walk_places.cpp stops the build on
# any other version: moving that pin needs the comparisons its message names to pass first.
set(JUCE_MODULES_DIR /usr/share/juce/modules CACHE PATH "Folder holding juce_core")
if(NOT EXISTS ${JUCE_MODULES_DIR}/juce_core/juce_core.cpp)
  message(FATAL_ERROR "juce_core not found under ${JUCE_MODULES_DIR}; run scripts/setup.sh")
endif()
if(MINGW)
  # The DLL imports system DLLs only, so zlib is linked in.
  set(ZLIB_USE_STATIC_LIBS ON)
endif()
find_package(ZLIB REQUIRED)
add_library(juce_core_static STATIC ${JUCE_MODULES_DIR}/juce_core/juce_core.cpp)
target_include_directories(juce_core_static SYSTEM PUBLIC ${JUCE_MODULES_DIR})
target_compile_definitions(juce_core_static PUBLIC
  JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
  JUCE_STANDALONE_APPLICATION=0
  JUCE_USE_CURL=0
  JUCE_WEB_BROWSER=0
  JUCE_MODULE_AVAILABLE_juce_core=1
  JUCE_DISPLAY_SPLASH_SCREEN=0
  $<IF:$<CONFIG:Debug>,DEBUG=1,NDEBUG=1>)
if(MSVC)
  target_compile_options(juce_core_static PRIVATE /w /bigobj)
else()
  target_compile_options(juce_core_static PRIVATE -w)
endif()
set_target_properties(juce_core_static PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
find_package(Threads REQUIRED)
target_link_libraries(juce_core_static PUBLIC ZLIB::ZLIB Threads::Threads ${CMAKE_DL_LIBS})
if(WIN32)
  # The system libraries juce_core calls into; all of them are DLLs that ship with Windows. Only its network
  # classes call ws2_32 and wininet, and the product never uses them: optimised at link time, that code is
  # gone, and without these two libraries the DLL does not import them.
  target_link_libraries(juce_core_static PUBLIC version ole32 oleaut32 uuid shlwapi winmm
    $<$<NOT:$<BOOL:${MOSARO_LTO}>>:ws2_32 wininet>)
  # juce_core's high-resolution counter, a static object, would otherwise call timeBeginPeriod(1) as the DLL
  # loads and never undo it: the whole system's timer would tick every millisecond while a host runs.
  target_compile_definitions(juce_core_static PRIVATE JUCE_WIN32_TIMER_PERIOD=0)
endif()
