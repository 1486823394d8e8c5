# What an installation holds, and the release packages made from it with CPack:
#   Windows: a zip with Tavrik.exe, tavrik-cli.exe, README.txt and LICENSE.txt;
#   Debian:  a .deb with /usr/bin/tavrik, its man page, and the CMake package
#            configuration that gives other projects find_package(Tavrik) and
#            tavrik_embed().
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TAVRIK_RELEASE ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})

if(WIN32)
  install(TARGETS Tavrik tavrik RUNTIME DESTINATION .)
  # Windows users read plain text with CR LF line ends.
  foreach(doc README.md:README.txt LICENSE:LICENSE.txt)
    string(REPLACE ":" ";" doc ${doc})
    list(GET doc 0 from)
    list(GET doc 1 to)
    configure_file(${PROJECT_SOURCE_DIR}/${from} ${CMAKE_BINARY_DIR}/package/${to} @ONLY
                   NEWLINE_STYLE CRLF)
    install(FILES ${CMAKE_BINARY_DIR}/package/${to} DESTINATION .)
  endforeach()
else()
  install(TARGETS tavrik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The man page is the --help text, so the two never disagree.
  find_program(TAVRIK_HELP2MAN help2man)
  if(TAVRIK_HELP2MAN)
    set(manpage ${CMAKE_BINARY_DIR}/man/tavrik.1)
    add_custom_command(
      OUTPUT ${manpage}.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
      COMMAND ${TAVRIK_HELP2MAN} --no-info --no-discard-stderr
              --include ${PROJECT_SOURCE_DIR}/cli/tavrik.h2m
              --name "turn binary files into C arrays or R3000 assembler"
              --output ${manpage} $<TARGET_FILE:tavrik>
      COMMAND gzip -9nf ${manpage}
      DEPENDS tavrik ${PROJECT_SOURCE_DIR}/cli/tavrik.h2m
      COMMENT "Writing the man page of tavrik"
      VERBATIM)
    add_custom_target(tavrik_manpage ALL DEPENDS ${manpage}.gz)
    install(FILES ${manpage}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  else()
    message(WARNING "help2man not found: no man page for tavrik (scripts/setup installs it)")
  endif()

  # The configuration holds no target of this build, only the converter's place
  # relative to itself, so it serves any prefix the files are unpacked to.
  set(configdir ${CMAKE_INSTALL_DATADIR}/cmake/Tavrik)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/TavrikConfig.cmake.in
    ${CMAKE_BINARY_DIR}/package/TavrikConfig.cmake
    INSTALL_DESTINATION ${configdir}
    PATH_VARS CMAKE_INSTALL_BINDIR)
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/TavrikConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
  install(FILES ${CMAKE_BINARY_DIR}/package/TavrikConfig.cmake
                ${CMAKE_BINARY_DIR}/package/TavrikConfigVersion.cmake
                ${PROJECT_SOURCE_DIR}/cmake/TavrikEmbed.cmake
          DESTINATION ${configdir})
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrik
          RENAME copyright)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavrik)
endif()

set(CPACK_PACKAGE_NAME Tavrik)
set(CPACK_PACKAGE_VENDOR Quendal)
set(CPACK_PACKAGE_VERSION ${TAVRIK_RELEASE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turns binary files into C arrays or R3000 assembler")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TAVRIK_PACKAGE_FILE_NAME Tavrik-${TAVRIK_RELEASE}-win64)
  else()
    set(TAVRIK_PACKAGE_FILE_NAME Tavrik-${TAVRIK_RELEASE}-win32)
  endif()
  set(CPACK_PACKAGE_FILE_NAME ${TAVRIK_PACKAGE_FILE_NAME})
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_PACKAGE_NAME tavrik)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quendal <tavrik@quendal.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Turns binary files into C arrays or R3000 assembler\n"
      "tavrik writes each input file as a C unsigned char array or as an R3000\n"
      "assembler block of .byte directives, for embedding PlayStation pictures and\n"
      "models (TIM, TMD) or any other file in a program. It comes with a CMake\n"
      "package: find_package(Tavrik) gives tavrik_embed(), which converts files at\n"
      "build time.")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
include(CPack)
