# Copies the host build's Tapestrique.dat into the windows build (cmake -P). When the host
# build has not made it yet, builds just that target there first.
set(source "${HOST_BUILD_DIR}/assets/Tapestrique.dat")
if(NOT EXISTS "${source}")
    if(HOST_BUILD_DIR STREQUAL "" OR NOT EXISTS "${HOST_BUILD_DIR}/CMakeCache.txt")
        message(FATAL_ERROR "Tapestrique.dat comes from the host build: configure it and pass "
                            "-DTQ_HOST_BUILD_DIR=<its folder> (tools/build.sh host windows does both)")
    endif()
    execute_process(COMMAND "${CMAKE_COMMAND}" --build "${HOST_BUILD_DIR}" --target tapestrique_dat
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR NOT EXISTS "${source}")
        message(FATAL_ERROR "the host build could not make ${source}")
    endif()
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${source}" "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot copy ${source} to ${OUTPUT}")
endif()
