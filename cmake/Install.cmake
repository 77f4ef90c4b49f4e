# The installation layout under any prefix, and the Debian package made from it with CPack:
#   bin/quarvel (and bin/quarvel-cli)            the programs
#   share/quarvel/                               charts, Historie.txt, the help
#   share/applications/<id>.desktop              the menu entry
#   share/metainfo/<id>.metainfo.xml             the AppStream metadata
#   share/icons/hicolor/<size>/apps/<id>.png     the application icon, and scalable/<id>.svg
#   share/doc/quarvel/copyright, changelog.gz     the licence and the package's history
#   share/man/man1/quarvel.1.gz, quarvel-cli.1.gz the manual pages
# An installed program finds its files in ../share/quarvel/ (ProgramFolders).
include(GNUInstallDirs)

set(QUARVEL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/quarvel)
set(QUARVEL_PACKAGING_BUILD_DIR ${PROJECT_BINARY_DIR}/packaging)

install(TARGETS quarvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quarvel-cli)
  install(TARGETS quarvel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${QUARVEL_SHIPPED_FILES} DESTINATION ${QUARVEL_SHARE_DIR})
# The help is built into the output folder when its sources are there; install it once it is.
install(FILES ${QUARVEL_OUTPUT_DIR}/Quarvel.chm DESTINATION ${QUARVEL_SHARE_DIR} OPTIONAL)
install(DIRECTORY ${QUARVEL_OUTPUT_DIR}/hilfe DESTINATION ${QUARVEL_SHARE_DIR} OPTIONAL)

# The menu entry.
configure_file(${PROJECT_SOURCE_DIR}/data/packaging/quarvel.desktop.in
  ${QUARVEL_PACKAGING_BUILD_DIR}/${QUARVEL_APP_ID}.desktop @ONLY)
install(FILES ${QUARVEL_PACKAGING_BUILD_DIR}/${QUARVEL_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The AppStream metadata, with the release history read from Historie.txt.
set(QUARVEL_METAINFO ${QUARVEL_PACKAGING_BUILD_DIR}/${QUARVEL_APP_ID}.metainfo.xml)
add_custom_command(OUTPUT ${QUARVEL_METAINFO}
  COMMAND ${CMAKE_COMMAND} -DHISTORY=${PROJECT_SOURCE_DIR}/data/files/Historie.txt
    -DTEMPLATE=${PROJECT_SOURCE_DIR}/data/packaging/quarvel.metainfo.xml.in
    -DOUTPUT=${QUARVEL_METAINFO} -DQUARVEL_APP_ID=${QUARVEL_APP_ID}
    -P ${PROJECT_SOURCE_DIR}/cmake/MetaInfoReleases.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/data/files/Historie.txt
    ${PROJECT_SOURCE_DIR}/data/packaging/quarvel.metainfo.xml.in
    ${PROJECT_SOURCE_DIR}/cmake/MetaInfoReleases.cmake
  COMMENT "Writing the AppStream metadata")
add_custom_target(quarvel_metainfo ALL DEPENDS ${QUARVEL_METAINFO})
install(FILES ${QUARVEL_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The application icon, rendered by cmake/Icons.cmake.
foreach(size ${QUARVEL_APP_ICON_SIZES})
  install(FILES ${QUARVEL_ICON_BUILD_DIR}/quarvel-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${QUARVEL_APP_ID}.png)
endforeach()
install(FILES ${QUARVEL_ICON_SOURCE_DIR}/quarvel.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QUARVEL_APP_ID}.svg)

install(FILES ${PROJECT_SOURCE_DIR}/data/packaging/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quarvel)

# The manual pages and the package's changelog (taken from Historie.txt), compressed as Debian
# wants them: gzip -9 without name and time, so equal sources give equal packages.
find_program(QUARVEL_GZIP gzip REQUIRED)
set(QUARVEL_MAN_PAGES)
foreach(page quarvel quarvel-cli)
  set(compressed ${QUARVEL_PACKAGING_BUILD_DIR}/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/packaging/man/${page}.1
      ${QUARVEL_PACKAGING_BUILD_DIR}/${page}.1
    COMMAND ${QUARVEL_GZIP} -9nf ${QUARVEL_PACKAGING_BUILD_DIR}/${page}.1
    DEPENDS ${PROJECT_SOURCE_DIR}/data/packaging/man/${page}.1 VERBATIM)
  list(APPEND QUARVEL_MAN_PAGES ${compressed})
endforeach()
set(QUARVEL_CHANGELOG ${QUARVEL_PACKAGING_BUILD_DIR}/changelog)
add_custom_command(OUTPUT ${QUARVEL_CHANGELOG}.gz
  COMMAND ${CMAKE_COMMAND} -DHISTORY=${PROJECT_SOURCE_DIR}/data/files/Historie.txt
    -DOUTPUT=${QUARVEL_CHANGELOG} "-DMAINTAINER=Brask <info@quarvel.de>"
    -P ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
  COMMAND ${QUARVEL_GZIP} -9nf ${QUARVEL_CHANGELOG}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/files/Historie.txt
    ${PROJECT_SOURCE_DIR}/cmake/DebianChangelog.cmake
  COMMENT "Writing the Debian changelog" VERBATIM)
add_custom_target(quarvel_package_docs ALL DEPENDS ${QUARVEL_MAN_PAGES} ${QUARVEL_CHANGELOG}.gz)
install(FILES ${QUARVEL_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QUARVEL_CHANGELOG}.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quarvel)
# Why a tag of lintian's does not apply to the package (each with its reason in the file).
install(FILES ${PROJECT_SOURCE_DIR}/data/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quarvel)

# The Debian package: cpack -G DEB in a release build (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quarvel)
set(CPACK_PACKAGE_VENDOR Brask)
set(CPACK_PACKAGE_CONTACT "Brask <info@quarvel.de>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Werkzeugkasten für Geocaching-Rätsel")
# CPack puts the summary first and indents each line below it; Debian wants lines of at most
# 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "Quarvel hilft beim Lösen von Rätselcaches: Koordinaten in drei
Schreibweisen, Quersummen, Buchstabenwerte, ROT, Vigenère, Trifid und
über fünfzig weitere Chiffren und Codes (Playfair, ADFGX, Enigma, Bacon,
Morse, Base64 und andere), ein Code-Knacker für Texte ohne bekanntes
Verfahren, ein Koordinatenrechner mit UTM, MGRS, Gauß-Krüger, LV95, RD,
Maidenhead, Geohash und Plus Codes, eine Karte mit GPX-Import und
-Export, Rechenwerkzeuge für Daten, Primzahlen, Prüfziffern und Hashes,
variable Koordinaten, neun Nachschlagetafeln, ein Sudoku-Solver, ein
Fermilab-Decoder und ein Adressbuch für Cacher. Dieselben Werkzeuge
bietet quarvel-cli auf der Kommandozeile.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.quarvel.de/)
# The libraries come from dpkg-shlibdeps; the German texts of Qt's dialog buttons do not show
# up there, nor do the Noto fonts the symbol tables render; a viewer for the help is the user's
# choice.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-noto-core")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xchm | kchmviewer, wngerman, wamerican")
set(CPACK_STRIP_FILES ON)
include(CPack)
