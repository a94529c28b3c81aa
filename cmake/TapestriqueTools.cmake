# The outside programs that tests and the asset build borrow (ImageMagick, Debian's Python
# with Pillow, the Liberation fonts), read from tools/tool_paths.sh so that CMake, the C++
# test support and every script find the same ones. Sets TQ_CONVERT, TQ_IDENTIFY, TQ_COMPARE,
# TQ_IMPORT, TQ_PYTHON and TQ_FONT_DIR.
set(tq_tool_paths ${CMAKE_SOURCE_DIR}/tools/tool_paths.sh)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tq_tool_paths})
execute_process(
    COMMAND bash -c [[source "$0" && for name in "${tq_tool_names[@]}"; do echo "$name=${!name}"; done]]
            ${tq_tool_paths}
    OUTPUT_VARIABLE tq_tool_lines
    RESULT_VARIABLE tq_tool_result)
if(NOT tq_tool_result EQUAL 0)
    message(FATAL_ERROR "cannot read ${tq_tool_paths}")
endif()
string(REPLACE "\n" ";" tq_tool_lines "${tq_tool_lines}")
foreach(line IN LISTS tq_tool_lines)
    if(line MATCHES "^(TQ_[A-Z_]+)=(.*)$")
        set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endif()
endforeach()
