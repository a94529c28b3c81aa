; The installer's own options on its command line. NSIS's GetOptions takes every "/" for the
; start of the next option, which cuts an address such as /SERVICE=http://host/ short; here a
; value runs to the next blank, or to its closing double quote when it begins with one.
;
;   Push PARAMETERS
;   Push "/SERVICE="
;   Call OptionValue
;   Pop $0          ; the value ("" for a bare switch); the error flag is set when it is absent

!include LogicLib.nsh

Function OptionValue
    Exch $1  ; the option
    Exch
    Exch $0  ; the parameters, then the value
    Push $2  ; where the option starts, then the value's length
    Push $3  ; the option's length
    Push $4  ; a piece of the parameters
    Push $5  ; the character that ends the value

    StrLen $3 $1
    StrCpy $2 0
    StrCpy $5 ""
    ${Do}
        StrCpy $4 $0 $3 $2
        ${IfThen} $4 == "" ${|} ${ExitDo} ${|}
        ${If} $4 == $1  ; (without regard to letter case)
            ; An option begins the parameters or follows a blank.
            IntOp $4 $2 - 1
            ${If} $2 = 0
                StrCpy $5 " "
            ${Else}
                StrCpy $4 $0 1 $4
                ${IfThen} $4 == " " ${|} StrCpy $5 " " ${|}
            ${EndIf}
            ${IfThen} $5 != "" ${|} ${ExitDo} ${|}
        ${EndIf}
        IntOp $2 $2 + 1
    ${Loop}

    ${If} $5 == ""
        StrCpy $0 ""
        SetErrors
    ${Else}
        IntOp $2 $2 + $3
        StrCpy $0 $0 "" $2
        StrCpy $4 $0 1
        ${If} $4 == '"'
            StrCpy $5 '"'
            StrCpy $0 $0 "" 1
        ${EndIf}
        StrCpy $2 0
        ${Do}
            StrCpy $4 $0 1 $2
            ${IfThen} $4 == "" ${|} ${ExitDo} ${|}
            ${IfThen} $4 == $5 ${|} ${ExitDo} ${|}
            IntOp $2 $2 + 1
        ${Loop}
        StrCpy $0 $0 $2
        ClearErrors
    ${EndIf}

    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Exch $0
FunctionEnd
