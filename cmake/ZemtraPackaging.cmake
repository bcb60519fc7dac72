# What `cmake --install` puts beside the two programs (desktop entry, icons, AppStream and MIME
# data, manual pages, documents, the CMake package) and how CPack turns that into a .deb.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(ZEMTRA_APP_ID org.zemtra.Zemtra)
set(ZEMTRA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(ZEMTRA_CMAKE_DIR lib/cmake/Zemtra)
set(ZEMTRA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zemtra)  # named after the package, as Debian has it

# Desktop integration, only with the desktop program.
if(TARGET zemtra)
  install(FILES resources/${ZEMTRA_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES resources/${ZEMTRA_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES resources/zemtra-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME zemtra.xml)
  foreach(size IN LISTS ZEMTRA_ICON_SIZES)
    install(FILES resources/icons/${size}x${size}/${ZEMTRA_APP_ID}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES resources/icons/${ZEMTRA_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# Manual pages, gzip-compressed as Debian has them when gzip is there.
set(man_pages docs/zemtra-cli.1)
if(TARGET zemtra)
  list(APPEND man_pages docs/zemtra.1)
endif()
find_program(ZEMTRA_GZIP gzip)
set(man_outputs)
foreach(page IN LISTS man_pages)
  cmake_path(GET page FILENAME name)
  if(ZEMTRA_GZIP)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
      COMMAND ${ZEMTRA_GZIP} -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/${page} > ${out}
      DEPENDS ${page} COMMENT "Compressing ${name}")
    list(APPEND man_outputs ${out})
  else()
    list(APPEND man_outputs ${CMAKE_CURRENT_SOURCE_DIR}/${page})
  endif()
endforeach()
add_custom_target(zemtra_man_pages ALL DEPENDS ${man_outputs})
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Every page of docs/: README links each of them.
file(GLOB zemtra_doc_pages CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/docs/*.md)
install(FILES ${zemtra_doc_pages} DESTINATION ${ZEMTRA_DOC_DIR})

# The license as Debian wants it: usr/share/doc/zemtra/copyright in the machine-readable format
# 1.0, made from LICENSE (Debian calls the MIT license "Expat"), and the changelog, compressed.
file(STRINGS LICENSE license_lines)
list(FILTER license_lines EXCLUDE REGEX "^(MIT License|Copyright .*)$")
set(license_body "")
foreach(line IN LISTS license_lines)
  if(line STREQUAL "" AND license_body STREQUAL "")
    continue()  # the blank lines around the title and the copyright line
  elseif(line STREQUAL "")
    string(APPEND license_body " .\n")
  else()
    string(APPEND license_body " ${line}\n")
  endif()
endforeach()
file(STRINGS LICENSE copyright_line REGEX "^Copyright ")
string(REGEX REPLACE "^Copyright \\(c\\) " "" copyright_holders "${copyright_line}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: Zemtra\n"
  "Upstream-Contact: The Zemtra developers <developers@zemtra.org>\n"
  "Source: https://zemtra.org\n\n"
  "Files: *\n"
  "Copyright: ${copyright_holders}\n"
  "License: Expat\n\n"
  "License: Expat\n"
  "${license_body}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright DESTINATION ${ZEMTRA_DOC_DIR})
if(ZEMTRA_GZIP)
  set(changelog ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${ZEMTRA_GZIP} -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/resources/changelog > ${changelog}
    DEPENDS resources/changelog COMMENT "Compressing the changelog")
  add_custom_target(zemtra_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${ZEMTRA_DOC_DIR})
else()
  install(FILES resources/changelog DESTINATION ${ZEMTRA_DOC_DIR})
endif()

# Zemtra's fontconfig rules (compiled into the programs) for the record, where Debian keeps the
# configurations a user may enable for every program.
install(FILES resources/zemtra-fonts.conf DESTINATION ${CMAKE_INSTALL_DATADIR}/fontconfig/conf.avail
        RENAME 65-zemtra-fonts.conf)
install(DIRECTORY docs/presets DESTINATION ${ZEMTRA_DOC_DIR})
install(DIRECTORY examples/hello-glyph DESTINATION ${ZEMTRA_DOC_DIR}/examples
        PATTERN "build*" EXCLUDE)

# The CMake package: find_package(Zemtra) gives Zemtra::zemtra-cli and the build rules.
set(ZEMTRA_INSTALL_CLI ${CMAKE_INSTALL_BINDIR}/zemtra-cli)
configure_package_config_file(cmake/ZemtraConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/cmake/ZemtraConfig.cmake
  INSTALL_DESTINATION ${ZEMTRA_CMAKE_DIR}
  PATH_VARS ZEMTRA_INSTALL_CLI)
# 0.x releases may change the rules between minor versions.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/cmake/ZemtraConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion ARCH_INDEPENDENT)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/cmake/ZemtraConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/cmake/ZemtraConfigVersion.cmake
              cmake/ZemtraFunctions.cmake
        DESTINATION ${ZEMTRA_CMAKE_DIR})

# Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME zemtra)
set(CPACK_PACKAGE_VENDOR "The Zemtra developers")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_CONTACT "The Zemtra developers <developers@zemtra.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://zemtra.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dot-matrix fonts for LED and LCD display controllers")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION
  "Zemtra turns characters of an installed font, or pictures, into monochrome\n"
  "dot matrices and encodes them into the data words a display controller\n"
  "expects, in row, column or banded scan order with 4 to 32-bit words. It\n"
  "writes C source for a list of characters and binary font libraries (.dzk) for\n"
  "whole code ranges (Unicode, GB2312, GBK, BIG5), and fonts for display\n"
  "libraries: LVGL 9 (1 to 8 bits per dot), Adafruit GFX and BDF (for u8g2, X).\n"
  "The package holds the desktop program zemtra, the command-line tool\n"
  "zemtra-cli and a CMake package that runs zemtra-cli at build time.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Fonts to draw with: without them fontconfig falls back to whatever is installed. The last two
# are the pixel-designed Chinese faces that stand in for SimSun and MingLiU. Qt's translations
# put its file dialogs and standard buttons in the chosen language; without them they are
# English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-liberation, fonts-wqy-zenhei, xfonts-wqy, fonts-arphic-uming, qt6-translations-l10n")
find_program(ZEMTRA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZEMTRA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # The libraries of Debian 12, listed by hand where dpkg-dev is missing.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libqt6core6, libqt6gui6, libqt6widgets6, libfreetype6, libfontconfig1, libicu72")
endif()
include(CPack)
