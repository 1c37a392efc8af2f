# The Debian package (cpack -G DEB from the release build; scripts/package.sh): the installed
# layout of OndrixInstall.cmake under /usr, its library dependencies computed by dpkg-shlibdeps.
# The desktop, MIME and icon caches are refreshed by the triggers of the packages that own them.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ondrix)
set(CPACK_PACKAGE_VENDOR "The Ondrix developers")
set(CPACK_PACKAGE_CONTACT "The Ondrix developers <ondrix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "telnet terminal with its own script language")
set(CPACK_PACKAGE_DESCRIPTION "Ondrix opens telnet sessions in tabs of one window and automates them with \
scripts written in its own Pascal-like language. ondrix-cli runs the same scripts without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The MIDI sounds of scripts play through FluidSynth with this sound font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm")
set(CPACK_STRIP_FILES ON)
include(CPack)
