# Installing like a desktop program: the simulator and the land maker, the sample
# lands and games, a desktop entry, the icon in the hicolor theme, AppStream
# metadata; and a Debian package of all of it (cpack -G DEB).
include(GNUInstallDirs)

set(VENTRIX_APP_ID org.ventrix.Ventrix)
set(VENTRIX_PACKAGING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/packaging)

install(TARGETS ventrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS $<TARGET_FILE:landmaker> DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME ventrix-landmaker)
# The installed program copies this folder into the user's own on its first run.
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/ventrix)
install(FILES ${VENTRIX_PACKAGING_DIR}/${VENTRIX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VENTRIX_PACKAGING_DIR}/${VENTRIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The theme's icons are made from the window icon the resource generator draws.
find_program(VENTRIX_CONVERT convert REQUIRED)
set(VENTRIX_ICON_SIZES 16 24 32 48 64 128 256)
set(VENTRIX_ICON_FILES)
foreach(size ${VENTRIX_ICON_SIZES})
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${VENTRIX_APP_ID}.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${VENTRIX_CONVERT} ${VENTRIX_RESOURCE_DIR}/501.tga -resize ${size}x${size} ${icon}
    DEPENDS ${VENTRIX_EMBEDDED_SOURCE}
    VERBATIM)
  list(APPEND VENTRIX_ICON_FILES ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${VENTRIX_ICON_FILES})

set(CPACK_PACKAGE_NAME ventrix)
set(CPACK_PACKAGE_VERSION 2.0.c)
set(CPACK_PACKAGE_VENDOR "Ventrix maintainers")
set(CPACK_PACKAGE_CONTACT "Ventrix maintainers <maintainers@users.noreply.c-seed-7746ddc6.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flying-site simulator for model gliders")
set(CPACK_PACKAGE_DESCRIPTION
    "Ventrix loads a land, computes the wind over its terrain, keeps a living population of\n"
    "thermals, places the sun and draws the clouds, so that model-glider pilots can walk a\n"
    "site and study where the lift is before they fly it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries come from dpkg-shlibdeps; the fonts and SDL's OpenGL library are
# found at run time, so name them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, libgl1")
# The exact wind solve runs its LAPACK calls about twice as fast on OpenBLAS.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libopenblas0-pthread")
include(CPack)
