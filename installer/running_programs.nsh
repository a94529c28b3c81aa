; Ends a running Tapestrique.exe and Tapestrique.scr the way each ends itself: a close request
; to its window, which runs the program's own exit path (the application writes its window
; position and removes its tray icon). Each program holds a named mutex while it runs; a
; program that still holds it after a bounded wait is terminated, so that its files can be
; replaced or removed.
;
;   !insertmacro TQ_RUNNING_PROGRAMS_FUNCTIONS ""     (and "un." for the uninstaller) defines
;   Call [un.]AnyProgramRunning    pushes 1 when either program runs, else 0
;   Call [un.]EndRunningPrograms   ends both; the screensaver first, since it can start the
;                                  application
;   !insertmacro TQ_MAKE_ROOM FILE  clears the way for a new FILE even when the old one is still
;                                  mapped by a process that would not end

!include LogicLib.nsh

!define TQ_APPLICATION_MUTEX "TapestriqueExe_Mutex_FirstInstance"
!define TQ_APPLICATION_CLASS "TapestriqueExe_WndClass"
!define TQ_APPLICATION_TITLE "Tapestrique"
!define TQ_SCREENSAVER_MUTEX "TapestriqueScr_Mutex_FirstInstance"
!define TQ_SCREENSAVER_CLASS "TapestriqueScr_WndClass"
!define TQ_SCREENSAVER_TITLE "Tapestrique screensaver"
!define TQ_SYNCHRONIZE 0x00100000
!define TQ_PROCESS_TERMINATE 0x0001
!define TQ_WM_CLOSE 0x0010
; A program that saves its state on the way out gets this long before it is terminated.
!define TQ_CLOSE_WAIT_TENTHS 100

!macro TQ_RUNNING_PROGRAMS_FUNCTIONS PREFIX

; mutex name -> 1 while a program holds it, else 0
Function ${PREFIX}IsMutexHeld
    Exch $0
    Push $1
    System::Call 'kernel32::OpenMutexW(i ${TQ_SYNCHRONIZE}, i 0, w r0) p .r1'
    ${If} $1 P<> 0
        System::Call 'kernel32::CloseHandle(p r1)'
        StrCpy $0 1
    ${Else}
        StrCpy $0 0
    ${EndIf}
    Pop $1
    Exch $0
FunctionEnd

Function ${PREFIX}AnyProgramRunning
    Push $0
    Push "${TQ_APPLICATION_MUTEX}"
    Call ${PREFIX}IsMutexHeld
    Pop $0
    ${If} $0 = 0
        Push "${TQ_SCREENSAVER_MUTEX}"
        Call ${PREFIX}IsMutexHeld
        Pop $0
    ${EndIf}
    Exch $0
FunctionEnd

; stack: mutex name, window class, window title (pushed in reverse order)
Function ${PREFIX}EndProgram
    Exch $0  ; mutex
    Exch
    Exch $1  ; class
    Exch 2
    Exch $2  ; title
    Push $3  ; window
    Push $4  ; tenths waited, then the process identifier
    Push $5  ; process handle

    FindWindow $3 "$1" "$2"
    ${If} $3 P<> 0
        System::Call 'user32::PostMessageW(p r3, i ${TQ_WM_CLOSE}, p 0, p 0)'
    ${EndIf}
    StrCpy $4 0
    ${Do}
        Push $0
        Call ${PREFIX}IsMutexHeld
        Pop $5
        ${IfThen} $5 = 0 ${|} ${ExitDo} ${|}
        ${IfThen} $4 >= ${TQ_CLOSE_WAIT_TENTHS} ${|} ${ExitDo} ${|}
        Sleep 100
        IntOp $4 $4 + 1
    ${Loop}

    ${If} $5 <> 0
    ${AndIf} $3 P<> 0
        System::Call 'user32::GetWindowThreadProcessId(p r3, *i .r4)'
        System::Call 'kernel32::OpenProcess(i ${TQ_PROCESS_TERMINATE}|${TQ_SYNCHRONIZE}, i 0, i r4) p .r5'
        ${If} $5 P<> 0
            System::Call 'kernel32::TerminateProcess(p r5, i 1)'
            System::Call 'kernel32::WaitForSingleObject(p r5, i 5000)'
            System::Call 'kernel32::CloseHandle(p r5)'
        ${EndIf}
    ${EndIf}

    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $0
    Pop $1
FunctionEnd

Function ${PREFIX}EndRunningPrograms
    Push "${TQ_SCREENSAVER_TITLE}"
    Push "${TQ_SCREENSAVER_CLASS}"
    Push "${TQ_SCREENSAVER_MUTEX}"
    Call ${PREFIX}EndProgram
    Push "${TQ_APPLICATION_TITLE}"
    Push "${TQ_APPLICATION_CLASS}"
    Push "${TQ_APPLICATION_MUTEX}"
    Call ${PREFIX}EndProgram
FunctionEnd

!macroend

!macro TQ_MAKE_ROOM FILE
    Delete "${FILE}"
    ${If} ${FileExists} "${FILE}"
        ; A file in use can still be renamed; the old copy goes when it is free, at the latest
        ; at the next start of Windows.
        Delete "${FILE}.old"
        Rename "${FILE}" "${FILE}.old"
        Delete /REBOOTOK "${FILE}.old"
    ${EndIf}
!macroend
