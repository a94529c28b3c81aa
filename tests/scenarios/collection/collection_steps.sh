# Sourced after exe_scenario.sh by the scenarios that work Tapestrique.exe's collection through
# its own controls and dialogs with collection_probe (COLLECTION_PROBE names it):
#
#   collection_probe ARGS...       runs the probe (exe_value reads its output)
#   expect_dialog WHAT ID TEXT     waits for the front dialog with the control ID and checks its
#                                  caption and that one of its texts is TEXT (line breaks as \n)
#   answer ID                      clicks a button of the front dialog
#   expect_main WHAT COUNT         waits for the main window and checks its count label
#   select_title TITLE             selects a listed title, as a click does
#   main_reads COUNT               whether the count label reads COUNT now (for scenario_until)
collection_probe() {
    exe_run_probe "${COLLECTION_PROBE:?}" "$@"
}

expect_dialog() { # what id text
    collection_probe dialog 30 "$2" || scenario_fail "$1: no dialog came: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
    [ "$(exe_value caption)" = Tapestrique ] || scenario_fail "$1: the dialog is captioned '$(exe_value caption)'"
    grep -qxF "text=$3" "$SCENARIO_DIR/probe.txt" ||
        scenario_fail "$1: the dialog says $(exe_value text | tr '\n' ' '), not $3"
}

answer() {
    collection_probe answer "$1" || scenario_fail "no dialog to answer with $1"
}

expect_main() { # what count
    collection_probe main 30 || scenario_fail "$1: no main window"
    [ "$(exe_value count)" = "$2" ] || scenario_fail "$1: the count label reads '$(exe_value count)', not '$2'"
}

select_title() {
    collection_probe select "$1" || scenario_fail "'$1' is not listed"
}

main_reads() { # count
    collection_probe main 5 && [ "$(exe_value count)" = "$1" ]
}
