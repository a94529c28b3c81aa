#!/usr/bin/env bash
# The picture service refusing a download: for a client it does not know, the announced
# picture's automatic download ends in the service's error token, which the notification shows
# in its headline as sent, and the picture stays not shown. The list is already there (as an earlier
# query left it), so the timer's first tick announces.
#   online_refused.sh PROBE.exe HOST_TQTOOL SERVICE
source "${TQ_SOURCE_DIR:?}/tests/scenarios/online/online_scenario.sh"
online_begin online_refused "$@"
tq_service_point_client TQ-UNKNOWN-0002 || scenario_fail "cannot name another client"

scenario_reg_add "$newest_key" szNewestImage0Description REG_SZ Dune
scenario_reg_add "$newest_key" szNewestImage0IdString REG_SZ Nature/Samples/Dune
scenario_reg_add "$newest_key" btNewestImagesNotShownYet REG_BINARY 01
scenario_reg_add "$variables_key" stLastCheckNewestImages REG_BINARY "$(systemtime_hex $(($(date +%s) - 60)))"
exe_start /hidden
started=$(date +%s)
exe_wait hidden
online_wait_announcement ERROR_ 100
[ "$(exe_value headline)" = ERROR_TQCLIENTID ] || scenario_fail "the headline is '$(exe_value headline)'"
[ "$(exe_value description)" = Dune ] || scenario_fail "the description is '$(exe_value description)'"
echo "the download refused: '$(exe_value headline)', $(($(date +%s) - started)) s after the start"
scenario_screenshot "$SCENARIO_DIR/desktop-refused.png"
[ "$(online_mask)" = 01 ] || scenario_fail "the refused picture counts as shown (mask $(online_mask))"
# The list was not asked for again.
! grep -q GetNewestImages "$TQ_SERVICE_FOLDER/service.log" || scenario_fail "the fresh list was asked for again"
exe_exit
online_end
echo "online_refused: ok"
