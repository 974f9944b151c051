# The Debian package of the install (make package): nuv_<version>_<arch>.deb, laid out
# under /usr. dpkg-shlibdeps finds the run-time libraries it depends on
# (PackageDepends.cmake). It has no maintainer scripts: the triggers of desktop-file-utils, shared-mime-info and the
# icon theme bring their caches up to date when it is installed or removed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nuv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The NUV developers")
set(CPACK_PACKAGE_CONTACT ${NUV_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/PackageDepends.cmake)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Printing lays text out in fixed columns of this font (README, Printing).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "environment to write, run and debug NUV models
The desktop program in which models of the NUV modelling language are
written, run and debugged: model editors with find, replace and brace
matching, runs through the interpreter library that comes with it, one
output window that collects everything a model prints, a jump from an
error line to the line of the model it names, printing, and a workspace
kept from one start to the next.")
include(CPack)
