# Installing the game (cmake --install BUILD [--prefix P], DESTDIR works too): the game and the
# asset inspector into bin/, the generated data into share/kerbrunner/, the menu entry, the
# icon in four sizes and the manual page. Nothing in it names the prefix: the game finds its
# data relative to its own file, so an installed tree can be moved as a whole.
include(GNUInstallDirs)

# Debian keeps games in /usr/games (the package passes games here); the inspector is a tool
# and stays in bin.
set(KERB_INSTALL_GAMEDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING
    "Directory of the game program, relative to the prefix")
if(IS_ABSOLUTE ${KERB_INSTALL_GAMEDIR})
  set(KERB_FULL_GAMEDIR ${KERB_INSTALL_GAMEDIR})
else()
  set(KERB_FULL_GAMEDIR ${CMAKE_INSTALL_PREFIX}/${KERB_INSTALL_GAMEDIR})
endif()
file(RELATIVE_PATH KERB_DATA_FROM_PROGRAM ${KERB_FULL_GAMEDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/kerbrunner)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/data_location.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS KERB_DATA_FROM_PROGRAM="${KERB_DATA_FROM_PROGRAM}")

# The icon, painted by the asset generator at each size in the icon theme's layout.
set(KERB_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${KERB_ICON_DIR}/.stamp
  COMMAND kerbrunner-assetgen --icons ${KERB_ICON_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${KERB_ICON_DIR}/.stamp
  DEPENDS kerbrunner-assetgen
  COMMENT "Painting the desktop icons into ${KERB_ICON_DIR}")
add_custom_target(gameicons ALL DEPENDS ${KERB_ICON_DIR}/.stamp)

# The manual page, written from the same tables as --help.
add_executable(kerbrunner-manual ${CMAKE_SOURCE_DIR}/tools/manual/main.cpp)
target_link_libraries(kerbrunner-manual PRIVATE kerbcore)
set(KERB_MANUAL ${CMAKE_BINARY_DIR}/kerbrunner.6)
add_custom_command(
  OUTPUT ${KERB_MANUAL}
  COMMAND kerbrunner-manual ${KERB_MANUAL}
  DEPENDS kerbrunner-manual
  COMMENT "Writing the manual page ${KERB_MANUAL}")
# The inspector's page, from its own --help.
set(KERB_INSPECTOR_MANUAL ${CMAKE_BINARY_DIR}/kerbrunner-assets.1)
add_custom_command(
  OUTPUT ${KERB_INSPECTOR_MANUAL}
  COMMAND sh -c "$<TARGET_FILE:kerbrunner-assets> --help > kerbrunner-assets.help"
  COMMAND kerbrunner-manual --from-help kerbrunner-assets 1
          "read the pictures, models and data of Kerb Runner with the game's own readers"
          kerbrunner-assets.help ${KERB_INSPECTOR_MANUAL}
  DEPENDS kerbrunner-manual kerbrunner-assets
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Writing the manual page ${KERB_INSPECTOR_MANUAL}"
  VERBATIM)
add_custom_target(gamemanual ALL DEPENDS ${KERB_MANUAL} ${KERB_INSPECTOR_MANUAL})

install(TARGETS kerbrunner RUNTIME DESTINATION ${KERB_INSTALL_GAMEDIR})
install(TARGETS kerbrunner-assets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only the generated assets: a table, a screenshot or a stamp left in the build's data
# directory stays behind.
install(DIRECTORY ${KERB_DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kerbrunner
        FILES_MATCHING PATTERN "*.bmp" PATTERN "*.md2" PATTERN "*.mp3" PATTERN "*.wav")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/kerbrunner.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${KERB_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
        FILES_MATCHING PATTERN "*.png")
install(FILES ${KERB_MANUAL} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${KERB_INSPECTOR_MANUAL} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
