# Fails the build when pbskin finds problems in a packed skin (unknown definition types,
# sections named but missing, values that do not parse, picture indexes outside the list).
#   cmake -DPBSKIN=<pbskin> -DSKIN=<file.skin> -DSOURCE=<folder> -DSTAMP=<file> -P CheckSkin.cmake
execute_process(COMMAND "${PBSKIN}" info "${SKIN}" OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  string(REGEX MATCHALL "[^\n]*problem:[^\n]*" problems "${out}")
  string(REPLACE ";" "\n" problems "${problems}")
  message(FATAL_ERROR "The compiled-in skin in ${SOURCE} is damaged:\n${problems}${err}")
endif()
file(TOUCH "${STAMP}")
