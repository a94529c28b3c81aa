# Sourced by `make run`, the scenarios and the benchmarks: installs Tapestrique into a Wine
# prefix, with its installer or, faster, by laying the files out as the installer does.
#
#   tq_install_with_installer PREFIX INSTALLER [/OPTION...] [PICTURE...]
#       runs the installer silently (the options go to it: /RUN, /SERVICE=..., /LANG=...) and
#       copies the pictures into the Images folder. WINEPREFIX must already name PREFIX; a
#       display is needed only when /RUN starts the application.
#   tq_install_product PREFIX PROGRAM_FOLDER [PICTURE...]
#       copies Tapestrique.exe, Tapestrique.scr and Tapestrique.dat from PROGRAM_FOLDER (those
#       that exist) into C:\Program Files\Tapestrique with its folders Images, Music, Skins and
#       Exported, the pictures into Images, and writes the machine's Install key (InstallDir,
#       InstallVersion). WINEPREFIX must already name PREFIX, with its server free to start.
#   tq_installed_folder PREFIX   prints the Unix path of the installation folder
#   tq_installed_windows_folder  prints it as the programs see it
tq_installed_folder() {
    echo "$1/drive_c/Program Files/Tapestrique"
}

tq_installed_windows_folder() {
    echo 'C:\Program Files\Tapestrique'
}

tq_install_product() {
    local prefix=$1 programs=$2 folder file
    shift 2
    folder=$(tq_installed_folder "$prefix")
    mkdir -p "$folder/Images" "$folder/Music" "$folder/Skins" "$folder/Exported" || return 1
    for file in Tapestrique.exe Tapestrique.scr Tapestrique.dat; do
        [ -f "$programs/$file" ] && { cp -f "$programs/$file" "$folder/" || return 1; }
    done
    [ $# -gt 0 ] && { cp -f "$@" "$folder/Images/" || return 1; }
    local key='HKLM\Software\Quillmere\Tapestrique\Install'
    timeout 60 wine reg add "$key" /v InstallDir /d "$(tq_installed_windows_folder)" /f >/dev/null 2>&1 &&
        timeout 60 wine reg add "$key" /v InstallVersion /d 1.0.01 /f >/dev/null 2>&1
}

tq_install_with_installer() {
    local prefix=$1 installer=$2 options=()
    shift 2
    while [ $# -gt 0 ] && [ "${1:0:1}" = / ] && [ ! -e "$1" ]; do
        options+=("$1")
        shift
    done
    timeout 120 wine "$installer" /S "${options[@]}" </dev/null >/dev/null 2>&1 || return 1
    [ -f "$(tq_installed_folder "$prefix")/Tapestrique.exe" ] || return 1
    [ $# -gt 0 ] && { cp -f "$@" "$(tq_installed_folder "$prefix")/Images/" || return 1; }
    return 0
}
