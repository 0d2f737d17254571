# A Debian package of the installed files (scripts/package-deb). Library dependencies are
# read from the binaries; the rest are what the programs load at run time by name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trovix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Trovix developers <trovix@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screenshot and annotation tool for the system tray")
set(CPACK_PACKAGE_DESCRIPTION
    "Trovix lives in the system tray and captures the screen, an area, a window\n"
    "or a scrolling page. The picture opens in an editor to annotate it with\n"
    "arrows, shapes, text and blurs, then to copy, save, pin or upload it, or to\n"
    "read its text and QR codes. Every capture also runs from the command line,\n"
    "for desktop shortcuts.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Install into a staging DESTDIR with the real prefix, so that paths written while
# installing (the bus activation file) name /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/trovix/trovix)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X platform plugin, the TIFF reader and the OCR language data are loaded by name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins, tesseract-ocr-eng")
# In a Wayland session the screens are read through the desktop portal.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "tesseract-ocr-pol, xdg-desktop-portal")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_OUTPUT_FILE_PREFIX "${PROJECT_SOURCE_DIR}/build/package")
include(CPack)
