# What an install holds and the two packages cpack makes of it: a .deb for
# Debian 12 (dependencies found by dpkg-shlibdeps) and a relocatable .tar.gz
# folder. Both lay the programs out the same way, under a prefix:
#
#   lib/zqkcommclient/   ZQKCommClient, ZQKCommAgent.ocx, ZQKFixtureAgent.ocx,
#                        zqk-script (the console looks for its agent beside
#                        itself); the .tar.gz also holds an empty mst/ there
#   bin/                 ZQKCommClient and zqk-script, relative links into it
#   share/applications/  zqkcommclient.desktop, the menu entry
#   share/icons/hicolor/ the application's icon in the usual sizes
#
# A system install (/usr) is never written at run time: the console then keeps
# its log and mst/ in the user's data folder (app/DataFolder.h), and the .deb
# has no mst/. The relocatable folder is writable, so they stay beside the
# console there, as in a build tree.

set(ZQK_INSTALL_APPDIR lib/zqkcommclient)

install(TARGETS ZQKCommClient zqk-script RUNTIME DESTINATION ${ZQK_INSTALL_APPDIR}
  COMPONENT console)
install(TARGETS zqk_sandbox_agent zqk_fixture_agent LIBRARY DESTINATION ${ZQK_INSTALL_APPDIR}
  COMPONENT console)

# Relative links, so that the folder can move and an unpacked .deb works in
# place; made here and installed as links.
set(links ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${links})
foreach(program ZQKCommClient zqk-script)
  file(CREATE_LINK ../${ZQK_INSTALL_APPDIR}/${program} ${links}/${program} SYMBOLIC)
  install(FILES ${links}/${program} DESTINATION bin COMPONENT console)
endforeach()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/zqkcommclient.desktop
  DESTINATION share/applications COMPONENT console)
# 16 to 64 are the console's own icons; 22 and 24 are made smaller from 32 and
# 48, 128 and 256 larger from 64.
foreach(size 16 32 48 64)
  install(FILES ${CMAKE_SOURCE_DIR}/ui/qt/resources/ZQKCommClient-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME zqkcommclient.png
    COMPONENT console)
endforeach()
foreach(size 22 24 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/zqkcommclient-${size}.png
    DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME zqkcommclient.png
    COMPONENT console)
endforeach()

install(DIRECTORY DESTINATION ${ZQK_INSTALL_APPDIR}/mst COMPONENT relocatable)

set(CPACK_PACKAGE_NAME zqkcommclient)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZQKCommClient")
set(CPACK_PACKAGE_CONTACT "ZQKCommClient maintainers <maintainers@zqkcommclient.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Desktop console for a futures broker's trading agent, with a sandbox broker")
set(CPACK_PACKAGE_DESCRIPTION
  "ZQKCommClient drives a trading agent's whole programming interface from one window of\n\
buttons and edit boxes and logs everything the agent sends back. It ships with a sandbox\n\
agent (a simulated broker), a fixture agent for scripted tests and zqk-script, a\n\
headless driver.")
set(CPACK_PACKAGE_FILE_NAME
  "zqkcommclient-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR}")
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The dialog's captions are Korean: a font with Hangul, as the console asks for
# it (ui/qt/DialogFont.h).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")

set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/CPackOptions.cmake)
include(CPack)
