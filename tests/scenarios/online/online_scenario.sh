# Sourced by the online scenarios: Tapestrique.exe installed with the sample collection (as the
# tapestrique_exe scenarios install it), the picture service on loopback with a catalogue of
# six photographs and the client registered with it, and what the scenarios read back.
#
#   online_begin NAME PROBE.exe HOST_TQTOOL SERVICE [SERVE-OPTION...]
#                                   with ONLINE_PUBLISHED=N set, the catalogue holds only the
#                                   first N photographs until online_publish_rest
#   online_publish_rest             publishes the photographs left out
#   online_end                      stops the service (it is stopped however the script ends)
#   online_wait_announcement HEADLINE SECONDS   waits until the notification shows with a
#                                   headline that begins so; the probe's values then describe it
#   online_mask                     btNewestImagesNotShownYet, two lower-case hex digits
#   online_index_of DESCRIPTION     the slot of the newest list that holds the description
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
source "$TQ_SOURCE_DIR/tools/run_service.sh"

ONLINE_CLIENT=TQ-SCENARIO-0001
general_key="$EXE_KEYS\\Settings\\General"
variables_key="$EXE_KEYS\\Variables"
newest_key="$EXE_KEYS\\Variables\\NewestImages"

online_begin() {
    local name=$1 probe=$2 tqtool=$3 service=$4
    shift 4
    exe_begin "$name" "$probe" "$tqtool"
    mapfile -t ONLINE_PHOTOS < <(tq_service_sample_photos)
    ONLINE_PUBLISHED=${ONLINE_PUBLISHED:-${#ONLINE_PHOTOS[@]}}
    tq_service_prepare "$service" "$SCENARIO_DIR/service" "$ONLINE_CLIENT" "${ONLINE_PHOTOS[@]:0:$ONLINE_PUBLISHED}" ||
        scenario_fail "cannot make the service's catalogue (see $SCENARIO_DIR/service)"
    tq_service_start "$@" || scenario_fail "the picture service did not start"
    # However the script ends, the service ends with the rest of the scenario.
    SCENARIO_BACKGROUND_PIDS="$SCENARIO_BACKGROUND_PIDS $TQ_SERVICE_PID"
    tq_service_point_client "$ONLINE_CLIENT" || scenario_fail "cannot point the client at the service"
    echo "the picture service answers on $TQ_SERVICE_ADDRESS"
}

online_publish_rest() {
    tq_service_add "${ONLINE_PHOTOS[@]:$ONLINE_PUBLISHED}" || scenario_fail "cannot publish more photographs"
}

online_end() {
    tq_service_stop
}

online_wait_announcement() {
    EXE_PROBE_SECONDS=$(($2 + 30)) exe_probe announcement shown "$2" "$1" || {
        scenario_screenshot "$SCENARIO_DIR/no-announcement.png"
        scenario_fail "no announcement '$1' within $2 s: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
    }
}

online_mask() {
    scenario_reg_query "$newest_key" btNewestImagesNotShownYet | tr 'A-F' 'a-f'
}

online_index_of() {
    local index
    for index in 0 1 2 3 4 5 6 7; do
        if [ "$(scenario_reg_query "$newest_key" "szNewestImage${index}Description")" = "$1" ]; then
            echo "$index"
            return 0
        fi
    done
    return 1
}
