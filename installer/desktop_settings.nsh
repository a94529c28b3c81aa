; Where the user's desktop settings live, for the uninstaller's clean-up of the screensaver and
; the wallpaper.
!ifndef TQ_DESKTOP_SETTINGS_NSH
!define TQ_DESKTOP_SETTINGS_NSH

!define TQ_DESKTOP_KEY "Control Panel\Desktop"
!define TQ_SPIF_UPDATE_AND_SEND 3  ; SPIF_UPDATEINIFILE + SPIF_SENDCHANGE

!endif
