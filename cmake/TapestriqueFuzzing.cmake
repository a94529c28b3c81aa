# The fuzz configuration (TQ_FUZZ, clang only): every library is compiled with coverage
# instrumentation for libFuzzer plus AddressSanitizer and UndefinedBehaviorSanitizer, and the
# targets of fuzz/ link libFuzzer's driver.
#
# tq_add_fuzzer(NAME <name> SOURCES <files...> LIBS <targets...> [MAX_LEN <bytes>] [TIMEOUT <seconds>]
#               [SEEDS <files...>])
#   builds one libFuzzer binary and registers two CTest tests labelled "fuzz":
#     <name>_crashers  replays every kept input of fuzz/crashers/<name>/ and every seed once;
#     <name>_run       fuzzes for TQ_FUZZ_TEST_SECONDS seconds from the seeds alone, with the fixed
#                      random seed TQ_FUZZ_TEST_SEED.
#   Seeds are fuzz/corpus/<name>/ plus the SEEDS files (test pictures elsewhere in the tree),
#   which are copied into the build tree's fuzz-work/<name>/seeds/. TIMEOUT (default 10) is how
#   long one input may take before libFuzzer reports it as a hang.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "TQ_FUZZ needs clang (libFuzzer); configure with CMAKE_CXX_COMPILER=clang++")
endif()

set(TQ_FUZZ_TEST_SECONDS 15 CACHE STRING "How long each fuzz target runs inside the test suite")
set(TQ_FUZZ_TEST_SEED 1 CACHE STRING "libFuzzer's random seed inside the test suite")

add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

function(tq_add_fuzzer)
    cmake_parse_arguments(ARG "" "NAME;MAX_LEN;TIMEOUT" "SOURCES;LIBS;SEEDS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 10)
    endif()
    if(NOT ARG_MAX_LEN)
        set(ARG_MAX_LEN 0)  # libFuzzer's own choice, from the seeds
    endif()
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
    target_link_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY TQ_FUZZ_TARGETS ${ARG_NAME})
    set_property(GLOBAL APPEND PROPERTY TQ_FUZZ_MANIFEST "${ARG_NAME} ${ARG_MAX_LEN} ${ARG_TIMEOUT}")

    set(seeds ${CMAKE_SOURCE_DIR}/fuzz/corpus/${ARG_NAME})
    set(crashers ${CMAKE_SOURCE_DIR}/fuzz/crashers/${ARG_NAME})
    set(work ${CMAKE_BINARY_DIR}/fuzz-work/${ARG_NAME})
    file(MAKE_DIRECTORY ${work}/corpus ${work}/seeds)
    if(ARG_SEEDS)
        file(COPY ${ARG_SEEDS} DESTINATION ${work}/seeds)
    endif()
    # Replaying needs no fuzzing: libFuzzer runs each given file once and fails on any fault.
    file(GLOB kept_inputs CONFIGURE_DEPENDS ${crashers}/* ${seeds}/* ${work}/seeds/*)
    if(kept_inputs)
        add_test(NAME ${ARG_NAME}_crashers COMMAND ${ARG_NAME} ${kept_inputs})
        set_tests_properties(${ARG_NAME}_crashers PROPERTIES LABELS fuzz TIMEOUT 120)
    endif()
    # New finds go to the build tree; the seed folder in the source tree is only read.
    set(seed_folders ${work}/seeds)
    if(EXISTS ${seeds})
        list(APPEND seed_folders ${seeds})
    endif()
    # A fixed seed and a corpus that starts empty at every run: the same build fuzzes the same
    # inputs in the same order, so a failure here recurs when the test runs again. Open-ended
    # fuzzing, which keeps growing fuzz-work/<name>/corpus, is `make fuzz`.
    set(test_corpus ${work}/test-corpus)
    add_test(NAME ${ARG_NAME}_run
        COMMAND bash -c [[rm -rf "$0" && mkdir -p "$0" && ASAN_OPTIONS=detect_leaks=1 exec "$@"]] ${test_corpus}
                $<TARGET_FILE:${ARG_NAME}> -seed=${TQ_FUZZ_TEST_SEED} -max_total_time=${TQ_FUZZ_TEST_SECONDS}
                -timeout=${ARG_TIMEOUT} -rss_limit_mb=2048 -max_len=${ARG_MAX_LEN} -artifact_prefix=${work}/
                -print_final_stats=1 ${test_corpus} ${seed_folders})
    set_tests_properties(${ARG_NAME}_run PROPERTIES LABELS fuzz TIMEOUT 300)
endfunction()

# The fuzz configuration exists for its fuzz targets: everything else (programs, unit tests,
# tools) is left out of its default build, so that `make test` pays only for what it runs.
function(tq_fuzz_only_in_default_build)
    get_property(fuzz_targets GLOBAL PROPERTY TQ_FUZZ_TARGETS)
    set(directories ${CMAKE_SOURCE_DIR})
    while(directories)
        list(POP_FRONT directories directory)
        get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
        list(APPEND directories ${subdirectories})
        get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(NOT target IN_LIST fuzz_targets AND NOT type STREQUAL "INTERFACE_LIBRARY")
                set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL TRUE)
            endif()
        endforeach()
    endwhile()
    # The README's `make fuzz`, briefly: every target runs and nothing is left running. Alone,
    # because it configures and builds this tree again (which finds nothing to do).
    add_test(NAME make_fuzz COMMAND make -C ${CMAKE_SOURCE_DIR} fuzz FUZZ_SECONDS=1)
    set_tests_properties(make_fuzz PROPERTIES LABELS fuzz TIMEOUT 900 RUN_SERIAL TRUE)
    # run_fuzzers.sh reads the targets, their input size limits and timeouts from here.
    get_property(manifest GLOBAL PROPERTY TQ_FUZZ_MANIFEST)
    list(JOIN manifest "\n" lines)
    file(WRITE ${CMAKE_BINARY_DIR}/fuzz-targets.txt "${lines}\n")
endfunction()
