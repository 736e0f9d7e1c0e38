# Records a session of SCRIPT against the sandbox, then replays the recording
# twice: with its recorded steps, and with SCRIPT's steps against the recorded
# agent. All three runs print the same lines, and the recorded one those of
# EXPECTED.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(ENV{ZQK_SANDBOX_SETTINGS} "${SETTINGS}")
set(ENV{XDG_CONFIG_HOME} "${WORK_DIR}/config")
set(ENV{TZ} "UTC")
get_filename_component(script_dir "${SCRIPT}" DIRECTORY)
set(recording "${WORK_DIR}/session.jsonl")
set(runs recorded replayed scripted)
set(args_recorded --record "${recording}" "${SCRIPT}")
set(args_replayed --replay "${recording}")
set(args_scripted --replay "${recording}" "${SCRIPT}")
foreach(run IN LISTS runs)
  execute_process(
    COMMAND "${ZQK_SCRIPT}" --no-timestamps --exe-dir "${WORK_DIR}" ${args_${run}}
    WORKING_DIRECTORY "${script_dir}"
    OUTPUT_VARIABLE out_${run} ERROR_VARIABLE err RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the ${run} run ended with status ${rc}:\n${err}")
  endif()
  file(WRITE "${WORK_DIR}/${run}.out" "${out_${run}}")
endforeach()
file(READ "${EXPECTED}" expected)
if(NOT out_recorded STREQUAL expected)
  message(FATAL_ERROR "the recorded run differs from ${EXPECTED} "
    "(diff ${EXPECTED} ${WORK_DIR}/recorded.out)")
endif()
foreach(run replayed scripted)
  if(NOT out_${run} STREQUAL out_recorded)
    message(FATAL_ERROR "the ${run} run differs from the recorded one "
      "(diff ${WORK_DIR}/recorded.out ${WORK_DIR}/${run}.out)")
  endif()
endforeach()
