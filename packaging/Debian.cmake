# The Debian package: `cpack -G DEB` in a build configured with CMAKE_INSTALL_PREFIX=/usr.
set(BWM_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/brindlewhistmoore)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION ${BWM_DOC_DIR})
install(FILES ${CMAKE_BINARY_DIR}/Brindlewhistmoore.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Debian wants these compressed reproducibly (no name or time in the gzip header).
foreach(document changelog Brindlewhistmoore.1)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/${document}.gz
    COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/${document} > ${CMAKE_BINARY_DIR}/${document}.gz
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${document})
endforeach()
add_custom_target(package_documents ALL
                  DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz ${CMAKE_BINARY_DIR}/Brindlewhistmoore.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${BWM_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindlewhistmoore)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Brindlewhistmoore developers <maintainers@brindlewhistmoore.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "power actions at booked times, with a cancellable countdown")
set(CPACK_PACKAGE_DESCRIPTION
    "Brindlewhistmoore shuts the computer down, reboots it, logs the user off,\n"
    "or puts it into standby or hibernation at the times the user has booked:\n"
    "once on a date, every day, on chosen weekdays, or so many hours and\n"
    "minutes from now. A CPU-idle trigger acts once the processor has stayed\n"
    "idle for a while. Before every scheduled action a window stays on top and\n"
    "counts down, with a button to cancel. It lives in the notification area\n"
    "and its interface is Japanese.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/brindlewhistmoore")
# Dependencies from the shared libraries the program really links, by dpkg-shlibdeps; logind
# answers the power requests, and the Japanese font shows the interface as designed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "systemd, fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
