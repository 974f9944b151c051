# How the programs and their files are laid out, in the build tree and installed.
# Included before the layers, so each folder installs what it builds with one line.
#
#   build tree            installed (any prefix, movable as a whole)
#   bin/nuv               bin/nuv, bin/nuv-run
#   bin/libtavo.so        lib/nuv/libtavo.so
#   bin/<data file>       share/nuv/<data file>
#
# The programs find everything relative to their own location (RUNPATH and
# platform/DataFiles), never through the current directory or the prefix.

# The desktop id: the name of the desktop entry, the icons and the metadata.
set(NUV_APP_ID org.nuv.nuv)

# An executable of the environment: installed in bin/, loading the interpreter
# library from beside itself first (the build tree) and then from ../lib/nuv/
# (an installed tree), as platform/DynamicLibrary searches too.
# The metadata names it as a binary the package provides.
function(nuv_install_program target)
  set_property(GLOBAL APPEND PROPERTY NUV_PROGRAMS ${target})
  set_target_properties(${target} PROPERTIES BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN:$ORIGIN/../lib/nuv")
  target_link_options(${target} PRIVATE -Wl,--enable-new-dtags)
  install(TARGETS ${target} RUNTIME DESTINATION bin)
endfunction()

# A read-only data file of the programs (the help file, the keyword list):
# copied beside the executables of the build tree and installed under share/nuv/,
# the two places DataFilePath looks.
function(nuv_data_file file)
  get_filename_component(name ${file} NAME)
  configure_file(${file} ${CMAKE_BINARY_DIR}/bin/${name} COPYONLY)
  install(FILES ${file} DESTINATION share/nuv)
endfunction()
