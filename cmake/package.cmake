# The Debian package: the program in /usr/bin; its help, sound and a fresh
# template data file in /usr/share/fennory (the program makes the user's data
# folder from them at the first start); the desktop entry and the icon.
install(TARGETS fennory RUNTIME DESTINATION bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Help ${PROJECT_SOURCE_DIR}/data/Music
        DESTINATION share/fennory)
# The template is made afresh for the package: the data file beside the built
# program may hold someone's books by now.
set(FENNORY_TEMPLATE ${CMAKE_BINARY_DIR}/package/db.eac)
add_custom_command(OUTPUT ${FENNORY_TEMPLATE}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${FENNORY_TEMPLATE}
  COMMAND make_datafile ${FENNORY_TEMPLATE}
  DEPENDS make_datafile
  COMMENT "Template data file for the package")
add_custom_target(package_template ALL DEPENDS ${FENNORY_TEMPLATE})
install(FILES ${FENNORY_TEMPLATE} DESTINATION share/fennory/Data)
install(FILES ${PROJECT_SOURCE_DIR}/data/fennory.desktop DESTINATION share/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${size}x${size}/fennory.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fennory)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Fennory <support@fennory.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Fennory记账软件 — household bookkeeping")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # fennory_{version}_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_STRIP_FILES ON)
# The shared libraries the program links, found by dpkg-shlibdeps, and what it
# loads at run time: the Qt platform plugins, the Chinese font and Qt's own
# captions in Chinese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-noto-cjk, qt6-translations-l10n")
include(CPack)
