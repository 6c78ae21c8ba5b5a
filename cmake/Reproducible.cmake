# Windows GCC builds come out byte-identical wherever and whenever they are made: no time stamp in the PE
# header, no source or build folder in code or debug information. __DATE__ and __TIME__ (JUCE's core uses
# them) come from SOURCE_DATE_EPOCH, which scripts/release.sh sets to the commit's time.
if(MINGW)
  # The later map wins, so a build folder inside the source folder becomes "build" too.
  add_compile_options(
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
  # Builds optimised at link time compile again as they link, writing debug information of their own.
  add_link_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=build
    -Wl,--no-insert-timestamp)
endif()
