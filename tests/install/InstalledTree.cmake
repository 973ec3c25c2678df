# Installs the build into a temporary prefix, moves the tree elsewhere and copies it once more, and
# runs each installed host headless with its own registry: it must register the installed component,
# find its demo script and help document, and need nothing from the build folder.
# Run by CTest with -DBUILD=<build dir> -DWORK=<scratch dir>.
cmake_minimum_required(VERSION 3.20)

# check(<message> <condition words>...): fails the test with the message unless the condition holds.
function(check message)
  if(NOT (${ARGN}))
    message(FATAL_ERROR "${message}")
  endif()
endfunction()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${WORK}/first"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
check("cmake --install failed:\n${output}" status EQUAL 0)

foreach(file bin/kvx4-host lib/kvx4/KVX4.dll lib/kvx4/libkvx4platform.so lib/kvx4/libkvx4hostlib.so
        lib/kvx4/kvx4.hlp share/kvx4/default.kvx4script share/kvx4/automation.kvx4script
        share/applications/kvx4-host.desktop share/icons/hicolor/scalable/apps/kvx4-host.svg
        share/man/man1/kvx4-host.1)
  check("the installed tree lacks ${file}" EXISTS ${WORK}/first/${file})
endforeach()

# Moved, then copied: neither place is where it was installed, and the build folder is out of reach
# of every RUNPATH.
file(RENAME "${WORK}/first" "${WORK}/moved")
file(COPY "${WORK}/moved/" DESTINATION "${WORK}/copied")
foreach(tree moved copied)
  set(root "${WORK}/${tree}")
  file(MAKE_DIRECTORY "${WORK}/${tree}-home")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=LD_LIBRARY_PATH
            "HOME=${WORK}/${tree}-home" "KVX4_REGISTRY_DIR=${WORK}/${tree}-home/registry"
            "KVX4_WINDOWS_DIR=${WORK}/${tree}-home/windows"
            "${root}/bin/kvx4-host" --register --headless --screenshot "${WORK}/${tree}.png"
    WORKING_DIRECTORY "${WORK}/${tree}-home"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  check("the ${tree} host failed (${status}):\n${output}" status EQUAL 0)
  string(FIND "${output}" "registered \"DU Dazaro Veruvur (KVX4)\" = ${root}/lib/kvx4/KVX4.dll" at)
  check("the ${tree} host did not register its own component:\n${output}" NOT at EQUAL -1)
  string(FIND "${output}" "commands in" at)
  check("the ${tree} host played no demo script:\n${output}" NOT at EQUAL -1)
  string(FIND "${output}" "${BUILD}/bin/" at)
  check("the ${tree} host reached into the build folder:\n${output}" at EQUAL -1)
  check("the ${tree} host wrote no screenshot:\n${output}" EXISTS ${WORK}/${tree}.png)
endforeach()

# No RUNPATH may name the build folder; every one must start at $ORIGIN.
find_program(READELF readelf)
if(READELF)
  foreach(file bin/kvx4-host lib/kvx4/KVX4.dll lib/kvx4/libkvx4platform.so lib/kvx4/libkvx4hostlib.so)
    execute_process(COMMAND "${READELF}" -d "${WORK}/copied/${file}" OUTPUT_VARIABLE dynamic)
    string(REGEX MATCH "R(UN)?PATH[^\n]*" runpath "${dynamic}")
    string(FIND "${runpath}" "${BUILD}" at)
    check("${file} keeps a RUNPATH into the build folder: ${runpath}" at EQUAL -1)
    string(FIND "${runpath}" "$ORIGIN" at)
    check("${file} has no RUNPATH relative to $ORIGIN: ${runpath}" NOT at EQUAL -1)
  endforeach()
endif()
file(REMOVE_RECURSE "${WORK}")
