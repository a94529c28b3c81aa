; Takes the application's wallpaper files away with the product. The application writes the
; desktop's wallpaper as "Tapestrique - <user>.bmp" in the Windows folder; when it is the
; current user's wallpaper, the desktop is first told to show none, so that it does not point at
; a file that is gone.
;
;   Call un.RemoveWallpaper

!include LogicLib.nsh
!include "${__FILEDIR__}/desktop_settings.nsh"

!define TQ_WALLPAPER_PREFIX "Tapestrique - "
!define TQ_SPI_SETDESKWALLPAPER 20

Function un.RemoveWallpaper
    Push $0
    Push $1
    Push $2
    ReadRegStr $0 HKCU "${TQ_DESKTOP_KEY}" "Wallpaper"
    StrCpy $1 "$WINDIR\${TQ_WALLPAPER_PREFIX}"
    StrLen $2 $1
    StrCpy $2 $0 $2
    ${If} $2 == $1  ; (without regard to letter case)
        WriteRegStr HKCU "${TQ_DESKTOP_KEY}" "Wallpaper" ""
        System::Call 'user32::SystemParametersInfoW(i ${TQ_SPI_SETDESKWALLPAPER}, i 0, w "", i ${TQ_SPIF_UPDATE_AND_SEND})'
    ${EndIf}
    Delete "$WINDIR\${TQ_WALLPAPER_PREFIX}*.bmp"
    Pop $2
    Pop $1
    Pop $0
FunctionEnd
