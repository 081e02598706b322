# Images of the component are drawn at build time from committed pixel maps.
# vtl_add_images(<target> <map> <output> [<map> <output> ...]) generates each
# output file (named as the resource script refers to it) into
# ${VTL_GENERATED_DIR}; the resource library depends on every such target.
set(VTL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

function(vtl_add_images target)
  set(outputs)
  set(args ${ARGN})
  while(args)
    list(POP_FRONT args map out)
    set(src ${CMAKE_CURRENT_SOURCE_DIR}/${map})
    set(dst ${VTL_GENERATED_DIR}/${out})
    add_custom_command(OUTPUT ${dst}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${VTL_GENERATED_DIR}
      COMMAND python3 ${CMAKE_SOURCE_DIR}/tools/resgen.py ${src} ${dst}
      DEPENDS ${src} ${CMAKE_SOURCE_DIR}/tools/resgen.py
      VERBATIM)
    list(APPEND outputs ${dst})
  endwhile()
  add_custom_target(${target} DEPENDS ${outputs})
  set_property(GLOBAL APPEND PROPERTY VTL_IMAGE_TARGETS ${target})
  set_property(GLOBAL APPEND PROPERTY VTL_GENERATED_IMAGES ${outputs})
endfunction()

# The product version comes from one place, the VERSION file at the top of
# the tree ("MAJOR.MINOR.BUILD"), unless VTL_VERSION names another (the
# package tests build a lower version from the same sources). It feeds the
# DLL's VERSIONINFO and the About page's text (through the generated
# vtl_version.h) and the Windows Installer packages (tools/package.sh reads
# the same file).
set(VTL_VERSION "" CACHE STRING "Product version MAJOR.MINOR.BUILD; empty: the VERSION file")
if(VTL_VERSION)
  set(VTL_VERSION_USED ${VTL_VERSION})
else()
  file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION VTL_VERSION_USED LIMIT_COUNT 1)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)
endif()
string(STRIP "${VTL_VERSION_USED}" VTL_VERSION_USED)
if(NOT VTL_VERSION_USED MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "version '${VTL_VERSION_USED}' is not MAJOR.MINOR.BUILD")
endif()
set(VTL_VERSION_MAJOR ${CMAKE_MATCH_1})
set(VTL_VERSION_MINOR ${CMAKE_MATCH_2})
set(VTL_VERSION_BUILD ${CMAKE_MATCH_3})
file(CONFIGURE OUTPUT ${VTL_GENERATED_DIR}/vtl_version.h CONTENT [=[
// Generated from the VERSION file (or VTL_VERSION) by cmake/Resources.cmake.
#pragma once
#define VTL_VERSION_COMMAS @VTL_VERSION_MAJOR@,@VTL_VERSION_MINOR@,@VTL_VERSION_BUILD@,0
#define VTL_VERSION_TEXT "@VTL_VERSION_MAJOR@.@VTL_VERSION_MINOR@.@VTL_VERSION_BUILD@.0"
#define VTL_VERSION_SHOWN "@VTL_VERSION_MAJOR@.@VTL_VERSION_MINOR@.@VTL_VERSION_BUILD@"
]=] @ONLY)
