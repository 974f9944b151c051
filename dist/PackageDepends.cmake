# Run by cpack once it has installed the package's files into its staging folder:
# the package depends on the libraries dpkg-shlibdeps finds its programs and its
# library need.
#
# This stands in for CPACK_DEBIAN_PACKAGE_SHLIBDEPS, which would do the same but
# also give the package maintainer scripts that run ldconfig, because the
# interpreter library lies under usr/lib. It lies in the private folder
# usr/lib/nuv, which ldconfig never looks at, so those scripts would do nothing.
set(root ${CPACK_TEMPORARY_DIRECTORY})
file(GLOB_RECURSE files LIST_DIRECTORIES false ${root}/*)
set(elf_files "")
foreach(file ${files})
  if(NOT IS_SYMLINK ${file})
    file(READ ${file} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      list(APPEND elf_files -e${file})
    endif()
  endif()
endforeach()

# dpkg-shlibdeps takes the folder holding DEBIAN/ as the package's root, and wants
# a debian/control in its working folder; neither may end up in the package.
set(work ${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps)
file(MAKE_DIRECTORY ${root}/DEBIAN ${work}/debian)
file(TOUCH ${work}/debian/control)
execute_process(COMMAND dpkg-shlibdeps -O ${elf_files}
                WORKING_DIRECTORY ${work}
                OUTPUT_VARIABLE substvars
                RESULT_VARIABLE result)
file(REMOVE_RECURSE ${root}/DEBIAN ${work})
if(NOT result EQUAL 0 OR NOT substvars MATCHES "shlibs:Depends=([^\n]+)")
  message(FATAL_ERROR "dpkg-shlibdeps found no dependencies of the package (${result})")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
message(STATUS "Depends: ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
