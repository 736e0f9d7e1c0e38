# Runs one zqk-script end-to-end case: SCRIPT with the options in ARGS, its
# standard output compared with EXPECTED, its exit status with STATUS (0 when
# not given), and, when ERROR is given, that text looked for in standard error.
# WORK_DIR stands for the executable's directory; the folders named in DIRS
# are made in it first, as the build makes mst/ beside the console.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
foreach(dir IN LISTS DIRS)
  file(MAKE_DIRECTORY "${WORK_DIR}/${dir}")
endforeach()
# The sandbox runs on the tests' own settings (seed, latency, clock start),
# relative to the scripts' folder, so that its answers never depend on the
# user's settings file. No other per-user configuration is read either.
if(SETTINGS)
  set(ENV{ZQK_SANDBOX_SETTINGS} "${SETTINGS}")
endif()
set(ENV{XDG_CONFIG_HOME} "${WORK_DIR}/config")
# Nor on the machine's time zone: the clock starts at 09:00 local time, and a
# zone whose offset changes before a product's expiry moves its time to expiry
# (and so its model price) by that hour.
set(ENV{TZ} "UTC")
separate_arguments(args UNIX_COMMAND "${ARGS}")
get_filename_component(script_dir "${SCRIPT}" DIRECTORY)
execute_process(
  COMMAND "${ZQK_SCRIPT}" --no-timestamps --exe-dir "${WORK_DIR}" ${args} "${SCRIPT}"
  WORKING_DIRECTORY "${script_dir}"
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT DEFINED STATUS)
  set(STATUS 0)
endif()
file(READ "${EXPECTED}" expected)
if(NOT out STREQUAL expected)
  file(WRITE "${WORK_DIR}/actual.out" "${out}")
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n${out}\n--- stderr:\n${err}\n"
    "(diff ${EXPECTED} ${WORK_DIR}/actual.out)")
endif()
if(NOT rc EQUAL STATUS)
  message(FATAL_ERROR "exit status ${rc}, expected ${STATUS}; stderr:\n${err}")
endif()
if(DEFINED ERROR AND NOT err MATCHES "${ERROR}")
  message(FATAL_ERROR "standard error lacks \"${ERROR}\":\n${err}")
endif()
foreach(file IN LISTS FILES)
  if(NOT EXISTS "${WORK_DIR}/${file}")
    message(FATAL_ERROR "the run left no ${file}")
  endif()
endforeach()
# The files the run wrote against those of a reference made at test time by
# the REFERENCE command (run in WORK_DIR): COMPARE holds pairs, produced file
# then reference file, relative to WORK_DIR.
if(REFERENCE)
  execute_process(COMMAND ${REFERENCE} WORKING_DIRECTORY "${WORK_DIR}"
    OUTPUT_VARIABLE ref_out ERROR_VARIABLE ref_err RESULT_VARIABLE ref_rc)
  if(NOT ref_rc EQUAL 0)
    message(FATAL_ERROR "the reference command failed (${ref_rc}):\n${ref_out}${ref_err}")
  endif()
endif()
list(LENGTH COMPARE compare_count)
math(EXPR odd "${compare_count} % 2")
if(odd)
  message(FATAL_ERROR "COMPARE needs pairs of files: ${COMPARE}")
endif()
while(COMPARE)
  list(POP_FRONT COMPARE produced reference)
  foreach(file IN ITEMS "${produced}" "${reference}")
    if(NOT EXISTS "${WORK_DIR}/${file}")
      message(FATAL_ERROR "there is no ${file} to compare")
    endif()
  endforeach()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${produced}" "${reference}"
    WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    file(SIZE "${WORK_DIR}/${produced}" produced_size)
    file(SIZE "${WORK_DIR}/${reference}" reference_size)
    message(FATAL_ERROR "${produced} (${produced_size} bytes) differs from ${reference} "
      "(${reference_size} bytes) in ${WORK_DIR}")
  endif()
endwhile()
