# tq_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
# Builds one GoogleTest binary and registers it with CTest. Host binaries register each
# test case on its own; a Windows binary is one CTest test run whole under Wine (through
# CMAKE_CROSSCOMPILING_EMULATOR), so a Wine start is paid once per binary, not per case.
include(GoogleTest)
enable_testing()

if(TQ_WINDOWS)
    configure_file(${CMAKE_SOURCE_DIR}/tests/harness/wine_run.sh.in ${CMAKE_BINARY_DIR}/wine_run.sh
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                    WORLD_EXECUTE @ONLY)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine_run.sh CACHE FILEPATH "" FORCE)
endif()

function(tq_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    set(environment "TQ_SOURCE_DIR=${CMAKE_SOURCE_DIR};TQ_BINARY_DIR=${CMAKE_BINARY_DIR}")
    if(TQ_WINDOWS)
        add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        set_tests_properties(${ARG_NAME} PROPERTIES LABELS "windows;${ARG_LABELS}" ENVIRONMENT "${environment}"
                             TIMEOUT 600)
    else()
        # Discovery flattens list-valued properties, so one label and no environment here: host
        # binaries know the trees from tq_test_support's compile definitions instead.
        gtest_discover_tests(${ARG_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTIES LABELS host)
    endif()
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
