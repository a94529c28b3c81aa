# tq_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [RESOURCE_LOCK <resource>])
# Builds one GoogleTest binary and registers it with CTest. Host binaries register each test
# case on its own, run in a process of its own. A Windows binary is one CTest test, run whole
# under Wine (CMAKE_CROSSCOMPILING_EMULATOR) with its cases in a new random order every time:
# a Wine process costs five times what its test case does, and the shuffle keeps showing that
# no case depends on another's leftovers (a failure prints the order's seed, for
# --gtest_random_seed). TQ_WINDOWS_TESTS_PER_CASE registers Windows cases one by one instead,
# listed under Wine when CTest starts (only the test run has a display and a Wine server), to
# run a single case with ctest -R or to check that each passes alone.
include(GoogleTest)
enable_testing()
option(TQ_WINDOWS_TESTS_PER_CASE "Run every Windows test case in a Wine process of its own" OFF)

if(TQ_WINDOWS)
    configure_file(${CMAKE_SOURCE_DIR}/tests/harness/wine_run.sh.in ${CMAKE_BINARY_DIR}/wine_run.sh
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                    WORLD_EXECUTE @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine_run.sh CACHE FILEPATH "" FORCE)
endif()

function(tq_add_test)
    cmake_parse_arguments(ARG "" "NAME;RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    set(properties)
    if(ARG_RESOURCE_LOCK)
        set(properties RESOURCE_LOCK ${ARG_RESOURCE_LOCK})
    endif()
    # Discovery flattens list-valued properties, so one label and no environment: the binaries
    # know the trees from tq_test_support's compile definitions instead.
    if(TQ_WINDOWS AND NOT TQ_WINDOWS_TESTS_PER_CASE)
        add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} --gtest_shuffle WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        set_tests_properties(${ARG_NAME} PROPERTIES LABELS windows TIMEOUT 600 ${properties})
    elseif(TQ_WINDOWS)
        # The first listing may wait for the Wine prefix to be created.
        gtest_discover_tests(${ARG_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} DISCOVERY_MODE PRE_TEST
                             DISCOVERY_TIMEOUT 600 PROPERTIES LABELS windows TIMEOUT 300 ${properties})
    else()
        gtest_discover_tests(${ARG_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTIES LABELS host ${properties})
    endif()
endfunction()

# tq_add_windows_test_beside(NAME <name> SOURCES <files...> LIBS <targets...> SCRIPT <script>)
# A Windows GoogleTest binary whose tests need something beside them (a sound server, a service on
# loopback): SCRIPT starts it, runs "EMULATOR BINARY --gtest_shuffle" (its arguments) and ends it
# however the tests end. Windows configuration only.
function(tq_add_windows_test_beside)
    cmake_parse_arguments(ARG "" "NAME;SCRIPT" "SOURCES;LIBS" ${ARGN})
    if(NOT TQ_WINDOWS)
        return()
    endif()
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    add_test(NAME ${ARG_NAME}
        COMMAND bash ${ARG_SCRIPT} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${ARG_NAME}> --gtest_shuffle
        WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    set_tests_properties(${ARG_NAME} PROPERTIES LABELS windows TIMEOUT 600)
endfunction()

# tq_add_cli_test(NAME <name> SCRIPT <script> [ARGS <arguments...>])
# A shell script that drives a host tool end to end, host configuration only. The script finds
# the trees in TQ_SOURCE_DIR and TQ_BINARY_DIR and the outside programs through
# tools/tool_paths.sh.
function(tq_add_cli_test)
    cmake_parse_arguments(ARG "" "NAME;SCRIPT" "ARGS" ${ARGN})
    if(NOT TQ_HOST)
        return()
    endif()
    add_test(NAME ${ARG_NAME} COMMAND bash ${ARG_SCRIPT} ${ARG_ARGS})
    set_tests_properties(${ARG_NAME} PROPERTIES LABELS "host;cli"
        ENVIRONMENT "TQ_SOURCE_DIR=${CMAKE_SOURCE_DIR};TQ_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# tq_add_scenario(NAME <name> SCRIPT <script> [ARGS <arguments...>] [TIMEOUT <seconds>])
# A shell scenario on a Wine desktop (tests/harness/scenario.sh), windows configuration only.
function(tq_add_scenario)
    cmake_parse_arguments(ARG "" "NAME;SCRIPT;TIMEOUT" "ARGS" ${ARGN})
    if(NOT TQ_WINDOWS)
        return()
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    add_test(NAME scenario_${ARG_NAME} COMMAND bash ${ARG_SCRIPT} ${ARG_ARGS}
             WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    set_tests_properties(scenario_${ARG_NAME} PROPERTIES LABELS "windows;scenario" TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "TQ_SOURCE_DIR=${CMAKE_SOURCE_DIR};TQ_BINARY_DIR=${CMAKE_BINARY_DIR}"
        RESOURCE_LOCK wine_desktop)
endfunction()
