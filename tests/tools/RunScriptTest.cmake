# Runs one zqk-script end-to-end case: SCRIPT with the options in ARGS, its
# standard output compared with EXPECTED, its exit status with STATUS (0 when
# not given), and, when ERROR is given, that text looked for in standard error.
# The sandbox reads the settings file SETTINGS, or none at all: never the
# user's own, whose seed, latency or tick rate would change the output.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
if(SETTINGS)
  set(ENV{ZQK_SANDBOX_SETTINGS} "${SETTINGS}")
else()
  set(ENV{ZQK_SANDBOX_SETTINGS} "${WORK_DIR}/no-sandbox-settings.json")
endif()
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
