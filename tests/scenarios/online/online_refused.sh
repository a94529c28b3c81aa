#!/usr/bin/env bash
# The picture service refusing a download: for a client it does not know, the announced
# picture's automatic download ends in the service's error token, which the notification shows
# in its headline as sent, and the picture stays not shown. The list is already there (as an earlier
# query left it), so the timer's first tick announces. Started again an hour later with another
# program full screen in front, the tick announces nothing: the picture stays not shown and
# its announcement is only put off for an hour.
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

# An hour later, with a window of another program over the whole screen kept in front.
scenario_reg_add "$general_key" btNewImageNotificationsNoFullScreen REG_BINARY 01
before=$(($(date +%s) - 3700))
scenario_reg_add "$variables_key" stLastPopupNewestImages REG_BINARY "$(systemtime_hex $before)"
exe_start /hidden
started=$(date +%s)
exe_wait hidden
full_screen_output=$SCENARIO_DIR/full-screen.txt
wine "$EXE_PROBE" full-screen 200 </dev/null >"$full_screen_output" 2>>"$SCENARIO_DIR/programs.log" &
full_screen_pid=$!
SCENARIO_BACKGROUND_PIDS="$SCENARIO_BACKGROUND_PIDS $full_screen_pid"
scenario_until 30 grep -q "^full_screen=0 0 1024 768" "$full_screen_output" ||
    scenario_fail "the full-screen window did not come in front: $(tr '\r\n' '  ' <"$full_screen_output")"
popup_stamped() { [ "$(systemtime_seconds "$(scenario_reg_query "$variables_key" stLastPopupNewestImages)")" -gt "$before" ]; }
scenario_until 120 popup_stamped || scenario_fail "no announcement was due within 120 s of the start"
! exe_probe announcement shown 5 || scenario_fail "the notification showed over the full-screen window"
[ "$(exe_value visible)" = 0 ] || scenario_fail "the notification is visible over the full-screen window"
[ "$(online_mask)" = 01 ] || scenario_fail "the picture put off counts as shown (mask $(online_mask))"
echo "the announcement put off behind the full-screen window, $(($(date +%s) - started)) s after the start"
scenario_screenshot "$SCENARIO_DIR/desktop-full-screen.png"
exe_probe close-full-screen || scenario_fail "no full-screen window to close"
scenario_wait_exit "$full_screen_pid" 30 || scenario_fail "the full-screen window did not close"
exe_exit
online_end
echo "online_refused: ok"
