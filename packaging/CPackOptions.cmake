# Per package: the .deb installs the console component alone (no mst/ under
# /usr); the relocatable folder is rooted where it is unpacked.
if(CPACK_GENERATOR STREQUAL "DEB")
  string(REPLACE ";ALL;" ";console;" CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_INSTALL_CMAKE_PROJECTS}")
else()
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
endif()
