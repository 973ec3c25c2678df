cmake_minimum_required(VERSION 3.20)
# Fails when a file includes a header of a layer above its own. Run with
#   cmake -DROOT=<source dir> -P tools/layers/CheckLayers.cmake
# Layers, lowest first. A folder may include its own files and those of lower layers; folders of
# one rank stand apart and do not include each other. The current component (the one library-wide
# pointer through which the panel, the controls and the dialogs reach the host's effect slot) is
# the exception the component's lower folders may use.
set(layers
  "platform/base:0"
  "platform/kernel:1" "platform/time:1"
  "platform/registry:2" "platform/shell:2" "platform/gdi:2"
  "platform/module:3"
  "platform/window:4"
  "platform/desktop:5"
  "host/lib:10"
  "resources:11"
  "presets:12"
  "automation:13"
  "controls:14"
  "panel:15"
  "component:16")
set(shared_headers component/CurrentComponent.h component/ComponentApi.h component/HelpFilePath.h)

function(layer_of path out_folder out_rank)
  set(best_folder "")
  set(best_rank -1)
  foreach(entry IN LISTS layers)
    string(REPLACE ":" ";" pair "${entry}")
    list(GET pair 0 folder)
    list(GET pair 1 rank)
    string(LENGTH "${folder}" n)
    string(LENGTH "${best_folder}" best_n)
    if(path MATCHES "^${folder}/" AND n GREATER best_n)
      set(best_folder "${folder}")
      set(best_rank ${rank})
    endif()
  endforeach()
  set(${out_folder} "${best_folder}" PARENT_SCOPE)
  set(${out_rank} ${best_rank} PARENT_SCOPE)
endfunction()

set(violations "")
file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/platform/*.h" "${ROOT}/platform/*.cpp" "${ROOT}/host/lib/*.h"
     "${ROOT}/host/lib/*.cpp" "${ROOT}/resources/*.h" "${ROOT}/resources/*.cpp" "${ROOT}/presets/*.h"
     "${ROOT}/presets/*.cpp" "${ROOT}/automation/*.h" "${ROOT}/automation/*.cpp" "${ROOT}/controls/*.h"
     "${ROOT}/controls/*.cpp" "${ROOT}/panel/*.h" "${ROOT}/panel/*.cpp" "${ROOT}/component/*.h" "${ROOT}/component/*.cpp")
foreach(source IN LISTS sources)
  layer_of("${source}" folder rank)
  file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" header "${line}")
    if(header IN_LIST shared_headers)
      continue()
    endif()
    layer_of("${header}" header_folder header_rank)
    if(header_rank EQUAL -1 OR header_folder STREQUAL folder)
      continue()
    endif()
    if(NOT header_rank LESS rank)
      list(APPEND violations "${source} (${folder}) includes ${header} (${header_folder})")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "layering: a lower layer includes a higher one:\n  ${text}")
endif()
message(STATUS "layering: ${count} files, no include reaches up a layer")
