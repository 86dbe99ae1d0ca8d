# Packages for users, made by CPack: an NSIS installer (template in cmake/nsis) and a
# portable zip. Both hold the stand-alone executable, the licence and a short read-me.

# Windows text files: CRLF line ends, the version filled into the read-me.
set(TESVARIN_LICENCE ${TESVARIN_GENEROVANE}/LICENSE.txt)
set(TESVARIN_CTIME ${TESVARIN_GENEROVANE}/README.txt)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${TESVARIN_LICENCE} @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/res/README.txt.in ${TESVARIN_CTIME} @ONLY NEWLINE_STYLE CRLF)

# CPack installs without building "all" first: the packages are made from a built tree.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS tesvarin RUNTIME DESTINATION .)
install(FILES ${TESVARIN_LICENCE} ${TESVARIN_CTIME} DESTINATION .)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME Tesvarin)
set(CPACK_PACKAGE_VENDOR Kestrum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tesvarin – vyčištění a záloha pracovní složky")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tesvarin)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/balicky)
set(CPACK_RESOURCE_FILE_LICENSE ${TESVARIN_LICENCE})
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/res/tesvarin.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/res/tesvarin.ico)
set(CPACK_NSIS_URL_INFO_ABOUT "https://www.kestrum.cz/")
# The build's architecture, x86 (32-bit) or x64 (64-bit): every package name says it, and the
# installer template reads it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(CPACK_TESVARIN_ARCH x64)
else()
  set(CPACK_TESVARIN_ARCH x86)
endif()
# The package names, one per generator.
set(TESVARIN_INSTALATOR Tesvarin-${PROJECT_VERSION}-${CPACK_TESVARIN_ARCH}-setup)
set(TESVARIN_PRENOSNA Tesvarin-${PROJECT_VERSION}-${CPACK_TESVARIN_ARCH}-portable)
configure_file(${CMAKE_SOURCE_DIR}/cmake/balicky_nazvy.cmake.in
  ${CMAKE_BINARY_DIR}/balicky_nazvy.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/balicky_nazvy.cmake)
list(APPEND CMAKE_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake/nsis)
include(CPack)

# `balicky` builds both into build/balicky when makensis is at hand (tools/setup installs it);
# the release tests need them, tools/release runs CPack itself.
find_program(TESVARIN_MAKENSIS makensis)
if(TESVARIN_MAKENSIS)
  set(TESVARIN_BALICKY
    ${CPACK_PACKAGE_DIRECTORY}/${TESVARIN_INSTALATOR}.exe
    ${CPACK_PACKAGE_DIRECTORY}/${TESVARIN_PRENOSNA}.zip)
  # The zip is also unpacked into build/prenosna, where the tests start the program from it.
  set(TESVARIN_ROZBALENA ${CMAKE_BINARY_DIR}/prenosna)
  add_custom_command(OUTPUT ${TESVARIN_BALICKY}
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TESVARIN_ROZBALENA}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TESVARIN_ROZBALENA}
    COMMAND ${CMAKE_COMMAND} -E chdir ${TESVARIN_ROZBALENA}
      ${CMAKE_COMMAND} -E tar xf ${CPACK_PACKAGE_DIRECTORY}/${TESVARIN_PRENOSNA}.zip
    DEPENDS tesvarin ${TESVARIN_LICENCE} ${TESVARIN_CTIME}
      ${CMAKE_SOURCE_DIR}/cmake/nsis/NSIS.template.in ${CMAKE_BINARY_DIR}/balicky_nazvy.cmake
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Installer and portable zip"
    VERBATIM)
  add_custom_target(balicky DEPENDS ${TESVARIN_BALICKY})
endif()
