; The Tapestrique installer and its uninstaller. installer/CMakeLists.txt makes it with the Windows
; programs; tools/make_dist.sh takes it into the release files.
;
;   makensis -DPROGRAMS=FOLDER -DOUTFILE=FILE [-DPICTURES=FOLDER] tapestrique.nsi
;       PROGRAMS holds Tapestrique.exe, Tapestrique.scr and Tapestrique.dat as the build made them;
;       PICTURES the pages' pictures of render_installer_pictures.py (NSIS's own without it).
;
; Options of the installer, besides NSIS's own /S (silent) and /D=FOLDER (last):
;   /LANG=CA|EN|ES|FR     the language, without asking (otherwise the system's language is
;                         offered first in a choice of the four)
;   /SERVICE=ADDRESS      the online service this installation talks to (ServiceBaseAddress)
;   /RUN                  a silent installation starts Tapestrique too; a visible one offers it
;                         on its last page
; The uninstaller (Uninstall.exe in the installation folder) takes /S too; silent, it keeps the
; user's pictures and music.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; Files keep no dates of their own in the installer, so that the same programs make the same
; installer.
SetDateSave off
RequestExecutionLevel admin
ManifestSupportedOS all

!ifndef PROGRAMS
    !error "PROGRAMS must name the folder of the built programs (-DPROGRAMS=...)"
!endif
!ifndef OUTFILE
    !define OUTFILE "Tapestrique-setup.exe"
!endif

; One version for the programs, the installer and the Install key the programs check.
!searchparse /file "${__FILEDIR__}/../app/resources/product_version.h" '#define TQ_VERSION_TEXT "' VERSION '"'
!searchparse /file "${__FILEDIR__}/../app/resources/product_version.h" '#define TQ_VERSION_NUMBERS ' \
    VERSION_MAJOR ', ' VERSION_MINOR ', ' VERSION_BUILD ', ' VERSION_PATCH

!define PRODUCT "Tapestrique"
!define PUBLISHER "Quillmere"
!define PRODUCT_KEY "Software\${PUBLISHER}\${PRODUCT}"
!define INSTALL_KEY "${PRODUCT_KEY}\Install"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define VARIABLES_KEY "${PRODUCT_KEY}\Variables"
!define UNINSTALLER "Uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${INSTALL_KEY}" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${__FILEDIR__}/command_line_options.nsh"
!include "${__FILEDIR__}/running_programs.nsh"
!include "${__FILEDIR__}/screensaver_registration.nsh"
!include "${__FILEDIR__}/wallpaper_removal.nsh"

!define MUI_ICON "${__FILEDIR__}/../assets/icons/tapestrique.ico"
!define MUI_UNICON "${__FILEDIR__}/../assets/icons/tapestrique.ico"
!define MUI_ABORTWARNING
!ifdef PICTURES
    !define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURES}/installer_side.bmp"
    !define MUI_HEADERIMAGE
    !define MUI_HEADERIMAGE_RIGHT
    !define MUI_HEADERIMAGE_BITMAP "${PICTURES}/installer_header.bmp"
    !define MUI_HEADERIMAGE_UNBITMAP "${PICTURES}/installer_header.bmp"
!endif
; The uninstaller speaks the language the installation was made in.
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${INSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tapestrique.exe"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/firstrun"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: it is the choice when the system's language is none of the four.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Catalan"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_RESERVEFILE_LANGDLL

!include "${__FILEDIR__}/texts.nsh"

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.${VERSION_BUILD}.${VERSION_PATCH}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!insertmacro TQ_RUNNING_PROGRAMS_FUNCTIONS ""
!insertmacro TQ_RUNNING_PROGRAMS_FUNCTIONS "un."

Var ServiceAddress
Var RunWhenSilent

; /LANG= code -> $LANGUAGE; an unknown code leaves the choice to the user.
Function LanguageFromOption
    Exch $0
    ${Select} $0
        ${Case} "CA"
            StrCpy $0 ${LANG_CATALAN}
        ${Case} "EN"
            StrCpy $0 ${LANG_ENGLISH}
        ${Case} "ES"
            StrCpy $0 ${LANG_SPANISH}
        ${Case} "FR"
            StrCpy $0 ${LANG_FRENCH}
        ${CaseElse}
            StrCpy $0 ""
    ${EndSelect}
    Exch $0
FunctionEnd

; Reads the option (on the stack) from the parameters in $R0 into $R1; the error flag says
; whether it was given.
!macro TQ_READ_OPTION OPTION
    Push $R0
    Push "${OPTION}"
    Call OptionValue
    Pop $R1
!macroend

Function .onInit
    SetShellVarContext all
    ${GetParameters} $R0
    !insertmacro TQ_READ_OPTION "/SERVICE="
    StrCpy $ServiceAddress $R1
    !insertmacro TQ_READ_OPTION "/RUN"
    ${IfNot} ${Errors}
        StrCpy $RunWhenSilent 1
    ${EndIf}
    !insertmacro TQ_READ_OPTION "/LANG="
    Push $R1
    Call LanguageFromOption
    Pop $R1
    ${If} $R1 != ""
        StrCpy $LANGUAGE $R1
    ${ElseIfNot} ${Silent}
        ; Offers the system's language first (or the last installation's).
        !insertmacro MUI_LANGDLL_DISPLAY
    ${EndIf}
FunctionEnd

; Programs that run now are closed before their files are replaced; a visible installation asks
; first.
Function CloseRunningProgramsForInstall
    Call AnyProgramRunning
    Pop $0
    ${If} $0 = 1
        MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(TextProgramsRunning)" /SD IDOK IDOK close
        Abort
      close:
        Call EndRunningPrograms
    ${EndIf}
FunctionEnd

; The identifier the online service knows this installation by: kept from an earlier
; installation, otherwise a new GUID.
Function WriteClientIdentifier
    ReadRegStr $0 HKLM "${INSTALL_KEY}" "TQClientID"
    ${If} $0 == ""
        System::Call 'ole32::CoCreateGuid(g .r1)'
        ; "{XXXXXXXX-...}" without its braces
        StrCpy $0 $1 36 1
    ${EndIf}
    WriteRegStr HKLM "${INSTALL_KEY}" "TQClientID" $0
FunctionEnd

Section "${PRODUCT}" SectionPrograms
    SectionIn RO
    Call CloseRunningProgramsForInstall

    SetOutPath "$INSTDIR"
    !insertmacro TQ_MAKE_ROOM "$INSTDIR\Tapestrique.exe"
    !insertmacro TQ_MAKE_ROOM "$INSTDIR\Tapestrique.dat"
    File "${PROGRAMS}/Tapestrique.exe"
    File "${PROGRAMS}/Tapestrique.dat"
    ; The system looks for screensavers in the Windows folder, and the application registers it
    ; from there.
    SetOutPath "$WINDIR"
    !insertmacro TQ_MAKE_ROOM "$WINDIR\Tapestrique.scr"
    File "${PROGRAMS}/Tapestrique.scr"
    SetOutPath "$INSTDIR"
    ; The user's folders: an earlier installation's contents stay as they are.
    CreateDirectory "$INSTDIR\Images"
    CreateDirectory "$INSTDIR\Music"
    CreateDirectory "$INSTDIR\Skins"
    CreateDirectory "$INSTDIR\Exported"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${INSTALL_KEY}" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${INSTALL_KEY}" "InstallVersion" "${VERSION}"
    Call WriteClientIdentifier
    ${If} $ServiceAddress != ""
        WriteRegStr HKLM "${INSTALL_KEY}" "ServiceBaseAddress" $ServiceAddress
    ${EndIf}
    ; The uninstaller speaks this language (MUI_UNGETLANGUAGE reads it back).
    WriteRegStr ${MUI_LANGDLL_REGISTRY_ROOT} "${MUI_LANGDLL_REGISTRY_KEY}" "${MUI_LANGDLL_REGISTRY_VALUENAME}" $LANGUAGE
    ; The program starts in the installer's language unless the user already chose one.
    ReadRegStr $0 HKCU "${VARIABLES_KEY}" "szLanguage"
    ${If} $0 == ""
        WriteRegStr HKCU "${VARIABLES_KEY}" "szLanguage" "$(ProductLanguageCode)"
    ${EndIf}

    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Tapestrique.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\$(TextShortcutUninstall).lnk" "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tapestrique.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize ${SectionPrograms} $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function .onInstSuccess
    ; A visible installation offers the start on its last page.
    ${If} ${Silent}
    ${AndIf} $RunWhenSilent == 1
        Exec '"$INSTDIR\Tapestrique.exe" /firstrun'
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext all
    !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "Uninstall"
    Call un.AnyProgramRunning
    Pop $0
    ${If} $0 = 1
        MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(TextUninstallProgramsRunning)" /SD IDOK IDOK close
        Abort
      close:
        Call un.EndRunningPrograms
    ${EndIf}

    ; While the screensaver file is still there: its short path is what the system names.
    Call un.RemoveScreensaverRegistration
    Call un.RemoveWallpaper
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"

    Delete "$WINDIR\Tapestrique.scr"
    Delete /REBOOTOK "$WINDIR\Tapestrique.scr.old"
    Delete "$INSTDIR\Tapestrique.exe"
    Delete /REBOOTOK "$INSTDIR\Tapestrique.exe.old"
    Delete "$INSTDIR\Tapestrique.dat"
    Delete /REBOOTOK "$INSTDIR\Tapestrique.dat.old"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir /r "$SMPROGRAMS\${PRODUCT}"

    DeleteRegKey HKCU "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
    DeleteRegKey HKLM "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKLM "Software\${PUBLISHER}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The pictures and the music are the user's: they go only when the user says so, never in
    ; a silent uninstallation. Only the product's own folders are emptied, whatever the
    ; installation folder was.
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(TextDeletePictures)" /SD IDNO IDNO keep
        RMDir /r "$INSTDIR\Images"
        RMDir /r "$INSTDIR\Music"
        RMDir /r "$INSTDIR\Exported"
        RMDir /r "$INSTDIR\Skins"
  keep:
    RMDir "$INSTDIR\Images"
    RMDir "$INSTDIR\Music"
    RMDir "$INSTDIR\Exported"
    RMDir "$INSTDIR\Skins"
    RMDir "$INSTDIR"
SectionEnd
