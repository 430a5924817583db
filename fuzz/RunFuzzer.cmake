# Runs the DXF reader's fuzzer a fixed number of times from the seed corpus, in a fresh working
# corpus, so every machine runs the same inputs: cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DRUNS=N
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
    COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -rss_limit_mb=1024 -malloc_limit_mb=512 -timeout=10
            -artifact_prefix=${WORK}/ ${WORK} ${SEEDS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the fuzzer found a failing input (see ${WORK})")
endif()
