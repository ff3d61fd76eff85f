# Installation and the Debian package.
#
#   cmake --install build [--prefix DIR]   programs, desktop entry, icon and the
#                                          first data folder below DIR
#   cmake --build build --target package   build/slipdesk_<version>_<arch>.deb
#
# An installed program finds share/slipdesk/ beside its bin/ folder; it keeps
# its data in the user's data folder and fills that folder from
# share/slipdesk/ on the first start (see storage/ProgramLocation). Keep the
# two folders in the standard places, or the program cannot tell that it is
# installed.
include(GNUInstallDirs)

install(TARGETS slipdesk slipdesk-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/slipdesk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/slipdesk.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The first data folder: the sample form picture of the default waybill
# template and the sample label template with the program settings that list
# it after the default template, as ./run.sh copies them into data/. A folder
# lock left by a program run on the sample folder is no part of it.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/sample/用户信函模版" DESTINATION ${CMAKE_INSTALL_DATADIR}/slipdesk
        PATTERN ".slipdesk.lock" EXCLUDE)
install(FILES "${PROJECT_SOURCE_DIR}/sample/SlipdeskPosts.INI" DESTINATION ${CMAKE_INSTALL_DATADIR}/slipdesk)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/slipdesk)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME slipdesk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Slipdesk")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print express waybills and trade notes onto pre-printed forms")
set(CPACK_PACKAGE_DESCRIPTION
    "Slipdesk prints express waybills, delivery notes and purchase inbound notes onto pre-printed paper forms, each laid out by a user-editable template, and keeps the address books, print logs, batch queues and a goods master with stock. The user interface is Chinese."
)
set(SLIPDESK_PACKAGE_MAINTAINER
    "Slipdesk developers <slipdesk@localhost>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${SLIPDESK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SLIPDESK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # slipdesk_0.1_amd64.deb
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)

# Dependencies are Debian's own packages. dpkg-shlibdeps (package dpkg-dev)
# derives them, with versions, from the libraries the programs link; without
# it the list is spelled out (the barcode library libzint2.11 among them).
# The CJK font is needed for the printed text and no library link reveals it.
find_program(SLIPDESK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SLIPDESK_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei")
else()
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libxlsxwriter4, libzint2.11, libc6, libstdc++6, fonts-wqy-microhei"
  )
endif()
# Workbooks open through LibreOffice Calc when it is there; the program works
# without it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc-nogui")

# The source package leaves out build trees and the data folder of ./run.sh.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/data/")

include(CPack)

if(SLIPDESK_TESTS)
  # Builds the package, checks what it holds and runs the installed command
  # line from an unpacked copy. Needs slipdesk and slipdesk-cli built.
  add_test(NAME PackageInstallsAndRuns COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/package-test.sh
                                               ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  set_tests_properties(PackageInstallsAndRuns PROPERTIES TIMEOUT 120)
endif()
