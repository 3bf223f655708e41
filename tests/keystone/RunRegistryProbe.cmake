# Runs the registry probe over a store of its own and compares what it prints with the results the
# real registry gave under Wine (scripts/test-windows records and checks those).
#   cmake -DPROBE=<qlx_regprobe> -DSCRIPT=<script> -DEXPECTED=<results> -DWORK=<folder> -P RunRegistryProbe.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/config)
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK}/config ${PROBE} ${SCRIPT} ${WORK}/posix.txt
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the probe failed: ${failed}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED} ${WORK}/posix.txt RESULT_VARIABLE different)
if(different)
  execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/posix.txt)
  message(FATAL_ERROR "the emulated registry gives other results than Windows")
endif()
