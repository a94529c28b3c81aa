; Takes Tapestrique.scr out of the system's screensaver settings, where the application put it:
; the desktop's registry values and system.ini's [boot] scrnsave.exe. Only a setting that names
; this screensaver is touched (by its short path, as the application writes it, or by its long
; path); another screensaver the user chose stays the system's.
;
;   Call un.RemoveScreensaverRegistration   while $WINDIR\Tapestrique.scr still exists

!include LogicLib.nsh
!include "${__FILEDIR__}/desktop_settings.nsh"

!define TQ_SPI_SETSCREENSAVEACTIVE 17

; path -> 1 when it names this screensaver, else 0; $R8 and $R9 hold its two forms
Function un.NamesOurScreensaver
    Exch $0
    ${If} $0 == ""
        StrCpy $0 0
    ${ElseIf} $0 == $R8
    ${OrIf} $0 == $R9
        StrCpy $0 1  ; (== compares without regard to letter case, as Windows does)
    ${Else}
        StrCpy $0 0
    ${EndIf}
    Exch $0
FunctionEnd

Function un.RemoveScreensaverRegistration
    Push $0
    Push $1
    Push $R8
    Push $R9
    StrCpy $R8 "$WINDIR\Tapestrique.scr"
    System::Call 'kernel32::GetShortPathNameW(w R8, w .R9, i ${NSIS_MAX_STRLEN}) i .r0'
    ${IfThen} $0 = 0 ${|} StrCpy $R9 $R8 ${|}
    StrCpy $1 0  ; whether the system's screensaver was ours

    ReadRegStr $0 HKCU "${TQ_DESKTOP_KEY}" "SCRNSAVE.EXE"
    Push $0
    Call un.NamesOurScreensaver
    Pop $0
    ${If} $0 = 1
        DeleteRegValue HKCU "${TQ_DESKTOP_KEY}" "SCRNSAVE.EXE"
        WriteRegStr HKCU "${TQ_DESKTOP_KEY}" "ScreenSaveActive" "0"
        StrCpy $1 1
    ${EndIf}

    ReadINIStr $0 "$WINDIR\system.ini" "boot" "scrnsave.exe"
    Push $0
    Call un.NamesOurScreensaver
    Pop $0
    ${If} $0 = 1
        DeleteINIStr "$WINDIR\system.ini" "boot" "scrnsave.exe"
        FlushINI "$WINDIR\system.ini"
        StrCpy $1 1
    ${EndIf}

    ${If} $1 = 1
        System::Call 'user32::SystemParametersInfoW(i ${TQ_SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${TQ_SPIF_UPDATE_AND_SEND})'
    ${EndIf}
    Pop $R9
    Pop $R8
    Pop $1
    Pop $0
FunctionEnd
