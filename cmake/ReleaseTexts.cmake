# The plain-text files that scripts/release.sh packs beside the DLL, written into BUILD/release/ with
# Windows line ends; the user guide gets the project version.
set(MOSARO_RELEASE_SOURCE_DIR ${PROJECT_SOURCE_DIR}/release)
configure_file(${MOSARO_RELEASE_SOURCE_DIR}/README.txt.in ${PROJECT_BINARY_DIR}/release/README.txt
  @ONLY NEWLINE_STYLE CRLF)
# Copied without substitution: licence texts may hold "@" signs.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MOSARO_RELEASE_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt)
file(READ ${MOSARO_RELEASE_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt notices)
string(REPLACE "\n" "\r\n" notices "${notices}")
file(WRITE ${PROJECT_BINARY_DIR}/release/THIRD-PARTY-NOTICES.txt "${notices}")
