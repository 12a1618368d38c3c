# The Debian package: `cpack -G DEB` in a build packs what `cmake --install`
# puts in place (the program, its data files and its desktop integration,
# the MIME type of the copier formats included), under /usr; the desktop's
# own packages refresh the menu and the MIME database through their triggers.
# scripts/package makes it from a build without tests or benchmarks.

set(CPACK_PACKAGE_NAME torvale)
set(CPACK_PACKAGE_VENDOR "The Torvale developers")
set(CPACK_PACKAGE_CONTACT "The Torvale developers <torvale@example.org>")
# The package names a home page only when the build was given one.
if(TORVALE_HOMEPAGE)
  set(CPACK_PACKAGE_HOMEPAGE_URL "${TORVALE_HOMEPAGE}")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the game data of a Final Fantasy II (US) ROM image")
set(CPACK_PACKAGE_DESCRIPTION [[
Torvale edits the Super Nintendo ROM image of Final Fantasy II (US) in place:
the copier header and internal name, items, magic spells, characters,
equipment, shops, maps and music, treasure chests, monsters, battle tables
and short texts. Every editor reads its fields from the open file and writes
them back the moment Apply is pressed.]])
# The build keeps its debugging information; the package does not.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps names the packages of the shared libraries the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
