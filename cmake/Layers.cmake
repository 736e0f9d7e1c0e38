# The layers of layers.txt as CMake libraries. Every library of a layer is made
# with zqk_add_layer_library, which refuses a link to a library of a layer that
# its own does not build on, so that the build follows the same list as the
# include check.

option(ZQK_SHARED_LAYERS
  "Link each layer as a shared library with --no-undefined, so that a call upward fails to link"
  OFF)

file(STRINGS ${CMAKE_SOURCE_DIR}/layers.txt zqk_layer_lines)
set(ZQK_LAYERS "")
foreach(line IN LISTS zqk_layer_lines)
  string(REGEX REPLACE "#.*" "" line "${line}")
  if(line MATCHES "^[ \t]*([^: \t]+):(.*)$")
    set(name "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" below)
    if(name STREQUAL "rooms")
      continue()
    endif()
    separate_arguments(below UNIX_COMMAND "${below}")
    list(APPEND ZQK_LAYERS ${name})
    set(ZQK_LAYER_BELOW_${name} ${below})
  endif()
endforeach()

# `out`: every layer that `layer` reaches downward, itself included.
function(zqk_layer_reach layer out)
  set(reached ${layer})
  set(todo ${layer})
  while(todo)
    list(POP_FRONT todo current)
    foreach(below IN LISTS ZQK_LAYER_BELOW_${current})
      if(NOT below IN_LIST reached)
        list(APPEND reached ${below})
        list(APPEND todo ${below})
      endif()
    endforeach()
  endwhile()
  set(${out} ${reached} PARENT_SCOPE)
endfunction()

# zqk_add_layer_library(target LAYER layer SOURCES ... [LINKS ...] [PRIVATE_LINKS ...])
# A library of `layer`: static, or shared under ZQK_SHARED_LAYERS. LINKS are
# public; a link to another layer's library must go downward.
function(zqk_add_layer_library target)
  cmake_parse_arguments(ARG "" "LAYER" "SOURCES;LINKS;PRIVATE_LINKS" ${ARGN})
  if(NOT ARG_LAYER IN_LIST ZQK_LAYERS)
    message(FATAL_ERROR "${target}: layer '${ARG_LAYER}' is not in layers.txt")
  endif()
  zqk_layer_reach(${ARG_LAYER} reach)
  foreach(lib IN LISTS ARG_LINKS ARG_PRIVATE_LINKS)
    get_property(libLayer GLOBAL PROPERTY ZQK_LAYER_OF_${lib})
    if(libLayer AND NOT libLayer IN_LIST reach)
      message(FATAL_ERROR "${target} (${ARG_LAYER}) links ${lib} of layer ${libLayer}, "
        "which ${ARG_LAYER} does not build on (layers.txt)")
    endif()
  endforeach()
  if(ZQK_SHARED_LAYERS)
    add_library(${target} SHARED ${ARG_SOURCES})
    target_link_options(${target} PRIVATE "LINKER:--no-undefined")
  else()
    add_library(${target} STATIC ${ARG_SOURCES})
  endif()
  set_property(GLOBAL PROPERTY ZQK_LAYER_OF_${target} ${ARG_LAYER})
  target_link_libraries(${target} PUBLIC zqk_settings ${ARG_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
endfunction()
