# The Debian package: `cpack -G DEB` in the build folder (make deb) writes
# quilvane-ryn_<version>_<arch>.deb there, installing under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilvane-ryn)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarvell Software")
set(CPACK_PACKAGE_CONTACT "Tarvell Software <support@tarvell.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compact, skinned video player")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.tarvell.example/)
# CPack puts the summary in front as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quilvane Ryn plays video in small, borderless windows painted with skins: a
control panel with the time, the seek bar and the transport buttons, and a
video window dragged by its edge and resized by its grip. The playback is
done by libmpv; the player uses no processor time while idle, starts at once
and is driven from the keyboard.
.
quilvane-ryn-reg reads and edits the player's settings store.")
# The libraries come from the binaries themselves; Qt's window-system plugins
# and libmpv (libmpv<major of its client API>) are loaded at run time, so no
# library names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(REGEX MATCH "^[0-9]+" QR_MPV_API_MAJOR "${MPV_VERSION}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libmpv${QR_MPV_API_MAJOR}")
# The fonts the skins and the subtitle window name.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
