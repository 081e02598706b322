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
