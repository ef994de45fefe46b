# Replays each seed input of a fuzz target alone, one process per input, as
# a crash file is replayed by hand: each must run to the end with exit 0.
# Run as a test:
#   cmake -DTARGET=<fuzz target> -DSEEDS=<corpus folder> -P replay-seeds.cmake
#
# A fuzzing run goes through the seeds in one process, where what the first
# input sets up once (Qt's fonts, say) is no longer new for the next; alone,
# an input meets all of that itself.

cmake_minimum_required(VERSION 3.25)

file(GLOB seeds LIST_DIRECTORIES false "${SEEDS}/*")
if(NOT seeds)
  message(FATAL_ERROR "no seed inputs in ${SEEDS}")
endif()

set(failed "")
foreach(seed IN LISTS seeds)
  execute_process(COMMAND "${TARGET}" "${seed}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status STREQUAL "0")
    message("${output}")
    list(APPEND failed "${seed} (exit ${status})")
  endif()
endforeach()

if(failed)
  list(JOIN failed "\n  " list)
  message(FATAL_ERROR "seed inputs that do not replay alone:\n  ${list}")
endif()
list(LENGTH seeds count)
message(STATUS "${count} seed inputs replayed alone")
