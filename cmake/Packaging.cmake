# The Debian package, built by CPack from the install rules: `cpack -G DEB` in a build
# folder configured with CMAKE_INSTALL_PREFIX=/usr. Its dependencies are computed from the
# shared libraries the programs link (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME puzzlebin)
set(CPACK_PACKAGE_VENDOR "The Puzzlebin developers")
set(CPACK_PACKAGE_CONTACT "The Puzzlebin developers <dev@puzzlebin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "brain-teaser puzzles in one skinned window")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://puzzlebin.example/")
set(CPACK_PACKAGE_INSTALL_DIRECTORY puzzlebin)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# Not "games": that section requires the program under /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# The skin's "Arial" is drawn with Liberation Sans; captions and pages need a Chinese font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-noto-cjk | fonts-wqy-zenhei | fonts-droid-fallback")
# The long description under the summary line; CPack indents it and marks empty lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Puzzlebin shows a collection of classic brain-teasers, each with a hint
and a worked answer: a strip of puzzle links above a large reading pane,
and a second tab with the author's shop of puzzle books. The window draws
its frame, caption and tabs from a bitmap skin of its own; the puzzle
pages come with the program and read offline.

Also contains pbskin, which builds, inspects and unpacks Puzzlebin skins.")
include(CPack)
