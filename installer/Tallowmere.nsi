; Setup for Tallowmere: copies Tallowmere.exe and NOTICE.txt, writes the install.txt its /uninstall
; reads, the shortcuts and the installed-programs entry. There is no separate uninstaller: the entry
; runs the program's own /uninstall.
; makensis /DVERSION=x.y.z /DNAMES=<framework/core/Product.h> /DSTAGE=<folder with Tallowmere.exe>
;          /DPLUGINS=<folder with amd64-unicode\TakeBack.dll> /DICON=<.ico> /DOUTFILE=<setup.exe>
;          Tallowmere.nsi   (installer/package.sh passes them)
Unicode true
Target amd64-unicode
SetCompressor /SOLID /FINAL lzma
; Installed files get the staged file's time, which the build sets to the commit date.
SetDateSave on
RequestExecutionLevel admin
; System DPI aware: Windows does not stretch the pages into a blur, and every page is laid out at
; the DPI of the session. Not PerMonitorV2 (ManifestDPIAwareness, experimental in makensis): the
; pages' bold titles are fonts made at the system DPI, and on a monitor with another scaling they
; would keep that size while Windows rescales the rest of the page.
ManifestDPIAware true

!addplugindir /amd64-unicode "${PLUGINS}/amd64-unicode"
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

; The names the program itself uses, from the one header that spells them.
!searchparse /file "${NAMES}" '#define TALLOWMERE_PRODUCT "' PRODUCT '"'
!searchparse /file "${NAMES}" '#define TALLOWMERE_PUBLISHER "' PUBLISHER '"'
!define EXE_NAME "Tallowmere.exe"
!define CLI_NAME "tallowmere-cli.exe"
; Every file setup writes, the program first: install.txt lists them, and a folder whose
; install.txt lists nothing else is an earlier install of this setup's.
!define SETUP_FILES "${EXE_NAME}|${CLI_NAME}|NOTICE.txt|install.txt"
; Exit codes besides NSIS's own 0 (installed) and 1 (cancelled on a page); the README and the
; winget manifest (installer/manifests.sh) list them.
!define EXIT_FOLDER_ASKED 2        ; /D= cannot be taken as it stands
!define EXIT_RUNNING 3             ; the program is running
!define EXIT_INSTALLED_ELSEWHERE 4 ; installed in another folder
!define EXIT_FOLDER_REFUSED 5      ; the folder is not one setup may install to
!define EXIT_CANNOT_WRITE 6        ; the program, its list or the folder's access cannot be written
!define ENTRY_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An upgrade goes where the last install went.
InstallDirRegKey HKLM "${ENTRY_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright (C) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_ABORTWARNING
; The page texts break their own lines, each well short of the page's width: a line that the
; automatic wrap fills to the edge loses its last letters under some fonts and scalings.
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION}, the$\r$\n\
  Tallowmere password generator, with shortcuts$\r$\n\
  on your desktop and in the Start menu.$\r$\n$\r$\n\
  To remove it later, use $\"Uninstall ${PRODUCT}$\"$\r$\n\
  in the Start menu or in the installed programs.$\r$\n$\r$\n\
  Click Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install ${PRODUCT} in the folder below.$\r$\n\
  To install it in another folder, click Browse and choose one.$\r$\n\
  Click Install to start the installation."
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; Silent mode shows no pages, so an unattended install starts nothing.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "&Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Var NewFolder

Function .onInit
  SetRegView 64
  ${If} ${Silent}
    Call CheckAskedFolder
    Call CheckInstalledElsewhere
  ${EndIf}
FunctionEnd

; Setup runs with administrator rights, perhaps another account's: the program is started by the
; desktop's shell instead, as the signed-in user with that user's ordinary rights, in the shell's
; own working folder. Where no shell answers, nothing is started (the Start menu has it); never by
; setup, whose rights and folders are not the user's.
Function StartProgram
  TakeBack::StartAsUser "$INSTDIR\${EXE_NAME}" ""
  Pop $0
FunctionEnd

Function DirectoryLeave
  Call CheckInstalledElsewhere
FunctionEnd

; Unattended, /D= is taken as it stands or not at all. Setup quietly replaces a /D= that is
; quoted, relative, lower-case, on a missing drive or under a file by the entry's or its default
; folder, and strips the characters a name cannot hold; Windows drops the dot or blank a folder
; name ends in. So the command line's folder, less the trailing blanks and backslashes setup drops
; too, must be $INSTDIR, with no part ending in a dot or blank ("..\" included). Read from the
; command line as started: setup cuts $CMDLINE short before " /D=". PowerShell and Wine quote
; the whole argument ("/D=C:\a b") when it holds a blank, and setup then ignores it: such a folder
; is taken here, by the same rules.
Function CheckAskedFolder
  System::Call 'kernel32::GetCommandLineW() t .R2'
  ; Past the program's own path (quoted, or up to the first blank), then to the first "/D=".
  StrCpy $R5 " "
  StrCpy $R3 0
  StrCpy $R4 $R2 1
  ${If} $R4 == '"'
    StrCpy $R5 '"'
    StrCpy $R3 1
  ${EndIf}
  ${Do}
    StrCpy $R4 $R2 1 $R3
    ${IfThen} $R4 == "" ${|} Return ${|}
    IntOp $R3 $R3 + 1
  ${LoopUntil} $R4 == $R5
  ${Do}
    StrCpy $R4 $R2 3 $R3
    ${IfThen} $R4 == "" ${|} Return ${|}
    ${IfThen} $R4 == "/D=" ${|} ${Break} ${|}
    IntOp $R3 $R3 + 1
  ${Loop}
  StrCpy $R6 ""  ; the whole argument is quoted
  ${If} $R3 > 0
    IntOp $R4 $R3 - 1
    StrCpy $R6 $R2 1 $R4
    ${IfThen} $R6 != '"' ${|} StrCpy $R6 "" ${|}
  ${EndIf}
  IntOp $R3 $R3 + 3
  StrCpy $R0 $R2 "" $R3
  ${If} $R6 != ""
    Call TakeQuotedFolder
  ${EndIf}
  ${Do}
    StrCpy $R4 $R0 1 -1
    ${If} $R4 == " "
    ${OrIf} $R4 == "\"
      StrCpy $R0 $R0 -1
    ${Else}
      ${Break}
    ${EndIf}
  ${Loop}
  ${If} $R6 != ""
    StrCpy $INSTDIR $R0
  ${ElseIf} $R0 != $INSTDIR
    Goto refuse
  ${EndIf}
  StrCpy $R2 "$R0\"
  StrCpy $R3 0
  ${Do}
    StrCpy $R4 $R2 2 $R3
    ${IfThen} $R4 == "" ${|} Return ${|}
    ${If} $R4 == ".\"
    ${OrIf} $R4 == " \"
      ${Break}
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  refuse:
  SetErrorLevel ${EXIT_FOLDER_ASKED}
  Abort "Cannot install to /D=$R0: nothing was changed."
FunctionEnd

; $R0, the rest of a quoted "/D=..." argument: without its closing quote (else refused) and the
; blanks after it, and refused unless it is a full path of names that can be folder names.
Function TakeQuotedFolder
  ${Do}
    StrCpy $R4 $R0 1 -1
    ${IfThen} $R4 != " " ${|} ${Break} ${|}
    StrCpy $R0 $R0 -1
  ${Loop}
  ${IfThen} $R4 != '"' ${|} Goto refuse ${|}
  StrCpy $R0 $R0 -1
  StrCpy $R4 $R0 2 1
  ${IfThen} $R4 != ":\" ${|} Goto refuse ${|}
  StrCpy $R3 2
  ${Do}
    StrCpy $R4 $R0 1 $R3
    ${IfThen} $R4 == "" ${|} Return ${|}
    StrCpy $R5 $R0 2 $R3
    ${If} $R4 == '"'
    ${OrIf} $R4 == "*"
    ${OrIf} $R4 == "?"
    ${OrIf} $R4 == "<"
    ${OrIf} $R4 == ">"
    ${OrIf} $R4 == "|"
    ${OrIf} $R4 == ":"
    ${OrIf} $R4 == "/"
    ${OrIf} $R5 == "\\"
      Goto refuse
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  refuse:
  SetErrorLevel ${EXIT_FOLDER_ASKED}
  Abort "Cannot install to /D=$R0: nothing was changed."
FunctionEnd

; A copy installed in another folder would stay there without its entry, and its /uninstall would
; take this copy's shortcuts and entry with it: an upgrade goes where that copy is.
Function CheckInstalledElsewhere
  ClearErrors
  ReadRegStr $R0 HKLM "${ENTRY_KEY}" "InstallLocation"
  ${If} ${Errors}
  ${OrIf} $R0 == $INSTDIR
  ${OrIfNot} ${FileExists} "$R0\${EXE_NAME}"
    Return
  ${EndIf}
  MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} is installed in $R0.$\r$\n$\r$\n\
    Install it there, or uninstall that copy first." /SD IDOK
  ${If} ${Silent}
    SetErrorLevel ${EXIT_INSTALLED_ELSEWHERE}
  ${EndIf}
  Abort
FunctionEnd

; The plugin makes every missing folder of the path: a failed install removes those it made.
Function FindNewFolder
  StrCpy $NewFolder ""
  StrCpy $R0 $INSTDIR
  ${DoUntil} ${FileExists} "$R0\*.*"
    StrCpy $NewFolder $R0
    ${GetParent} $R0 $R0
    ${IfThen} $R0 == "" ${|} ${Break} ${|}
  ${Loop}
FunctionEnd

Function RemoveNewFolders
  ${IfThen} $NewFolder == "" ${|} Return ${|}
  SetOutPath "$TEMP"
  StrCpy $R0 $INSTDIR
  ${Do}
    RMDir $R0
    ${IfThen} $R0 == $NewFolder ${|} Return ${|}
    ${GetParent} $R0 $R0
  ${LoopUntil} $R0 == ""
FunctionEnd

; A .old an earlier setup could not delete is not this setup's to put back: it goes first, and if
; it cannot, setup stops before anything is written.
!macro DeleteStale NAME
  ${If} ${FileExists} "$INSTDIR\${NAME}.old"
    Delete "$INSTDIR\${NAME}.old"
    ${IfThen} ${FileExists} "$INSTDIR\${NAME}.old" ${|} Goto failed ${|}
  ${EndIf}
!macroend

; Moves an old file (or a link in its place, as a link) out of the new one's way, and marks it for
; PutBack; a folder of that name stays, and the new file then cannot be made.
!macro MoveAside NAME MOVED
  ${If} ${FileExists} "$INSTDIR\${NAME}"
  ${AndIfNot} ${FileExists} "$INSTDIR\${NAME}\*.*"
    ClearErrors
    Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}.old"
    IfErrors failed
    StrCpy ${MOVED} "moved"
  ${EndIf}
!macroend

; Undoes MoveAside after a failure; $7 says if it could not.
!macro PutBack NAME MOVED
  ${If} ${MOVED} != ""
    Delete "$INSTDIR\${NAME}"
    ClearErrors
    Rename "$INSTDIR\${NAME}.old" "$INSTDIR\${NAME}"
    ${IfThen} ${Errors} ${|} StrCpy $7 "$7 ${NAME}.old" ${|}
  ${EndIf}
!macroend

; A running copy holds its exe ($2: the window program or the command line) open, and replacing it
; would fail or pull it from under the user: ask until it is closed. Silent mode cannot ask, so it
; stops before anything is written.
Function EnsureNotRunning
  ${Do}
    ${IfNot} ${FileExists} "$INSTDIR\$2"
      Return
    ${EndIf}
    ClearErrors
    FileOpen $0 "$INSTDIR\$2" a
    ${IfNot} ${Errors}
      FileClose $0
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} ($2) is running.$\r$\n$\r$\nClose it, then choose Retry." /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_RUNNING}
    Abort "${PRODUCT} is running: nothing was changed."
  retry:
  ${Loop}
FunctionEnd

Section "${PRODUCT}" SecMain
  SectionIn RO
  SetRegView 64
  Call FindNewFolder

  ; The plugin makes the missing folders: outside Program Files the first of them has Program
  ; Files' access from the start, so that no user can replace what the entry and the shortcuts
  ; start. An existing folder there gets that access only when it is empty or holds an earlier
  ; install. Anywhere, one holding other files, a Program Files folder itself or a drive is
  ; refused, as is a path through a link or below any folder users may rename.
  TakeBack::PrepareFolder "$INSTDIR" "${SETUP_FILES}"
  Pop $0
  StrCpy $8 ""  ; "protected" once an existing folder's access has changed
  StrCpy $1 $0 2
  ${If} $1 == "ok"
    StrCpy $8 $0 "" 3
  ${Else}
    StrCpy $1 $0 8
    ${If} $1 == "refused "
      StrCpy $0 $0 "" 8
      StrCpy $0 "Cannot install to $INSTDIR: $0.$\r$\n$\r$\nNothing was changed."
      SetErrorLevel ${EXIT_FOLDER_REFUSED}
    ${Else}
      StrCpy $0 $0 "" 7
      StrCpy $0 "Cannot install to $INSTDIR: $0."
      SetErrorLevel ${EXIT_CANNOT_WRITE}
    ${EndIf}
    MessageBox MB_OK|MB_ICONSTOP "$0" /SD IDOK
    Abort "$0"
  ${EndIf}
  SetOutPath "$INSTDIR"
  StrCpy $2 "${EXE_NAME}"
  Call EnsureNotRunning
  StrCpy $2 "${CLI_NAME}"
  Call EnsureNotRunning

  ; The list, read by /uninstall (ANSI, CR LF, relative to this folder, every installed file and
  ; itself), then the program. Old files are moved aside rather than written through, since a
  ; link at either name would carry the write elsewhere; they come back if the new ones cannot be
  ; made, and nothing else is changed until both are.
  ; (The error flag is read with IfErrors, which also clears it.)
  SetOverwrite try
  StrCpy $1 ""  ; set once this setup writes into the names moved aside
  StrCpy $5 ""  ; set once install.txt is moved aside
  StrCpy $6 ""  ; set once the exe is moved aside
  StrCpy $4 ""  ; set once NOTICE.txt is moved aside
  StrCpy $7 ""  ; the moved-aside files that could not be put back
  StrCpy $3 ""  ; set once the command line is moved aside
  !insertmacro DeleteStale "install.txt"
  !insertmacro DeleteStale "${EXE_NAME}"
  !insertmacro DeleteStale "${CLI_NAME}"
  !insertmacro MoveAside "install.txt" $5
  !insertmacro MoveAside "${EXE_NAME}" $6
  !insertmacro MoveAside "${CLI_NAME}" $3
  !insertmacro DeleteStale "NOTICE.txt"
  !insertmacro MoveAside "NOTICE.txt" $4
  ClearErrors
  FileOpen $0 "$INSTDIR\install.txt" w
  IfErrors failed
  StrCpy $1 "written"
  FileWrite $0 "${EXE_NAME}$\r$\n"
  FileWrite $0 "${CLI_NAME}$\r$\n"
  FileWrite $0 "NOTICE.txt$\r$\n"
  FileWrite $0 "install.txt$\r$\n"
  FileClose $0
  File "${STAGE}\${EXE_NAME}"
  File "${STAGE}\${CLI_NAME}"
  File "${STAGE}\NOTICE.txt"
  IfErrors failed written
  failed:
    ${If} $1 != ""
      Delete "$INSTDIR\install.txt"
      Delete "$INSTDIR\${EXE_NAME}"
      Delete "$INSTDIR\NOTICE.txt"
      Delete "$INSTDIR\${CLI_NAME}"
    ${EndIf}
    !insertmacro PutBack "install.txt" $5
    !insertmacro PutBack "${EXE_NAME}" $6
    !insertmacro PutBack "NOTICE.txt" $4
    !insertmacro PutBack "${CLI_NAME}" $3
    Call RemoveNewFolders
    SetErrorLevel ${EXIT_CANNOT_WRITE}
    ${If} $7 != ""
      Abort "Cannot write $INSTDIR\${EXE_NAME} and install.txt; the old files stay as$7."
    ${ElseIf} $8 != ""
      Abort "Cannot write $INSTDIR\${EXE_NAME} and install.txt: nothing was installed, but the \
        folder keeps the access setup gave it."
    ${EndIf}
    Abort "Cannot write $INSTDIR\${EXE_NAME} and install.txt: nothing was changed."
  written:
  Delete "$INSTDIR\install.txt.old"
  Delete "$INSTDIR\${EXE_NAME}.old"
  Delete "$INSTDIR\NOTICE.txt.old"
  Delete "$INSTDIR\${CLI_NAME}.old"
  ; An uninstall since the last logon left a run-once command that would delete this new copy at
  ; the next one: cancelled, but only if it names this folder (another copy's stays).
  TakeBack::RunOnceDeletes "$INSTDIR\${EXE_NAME}"

  ; An uninstall since the last restart may also have left this folder, or files it lists, to be
  ; deleted at the restart; the plugin takes those back by the program's own rule. The copy that
  ; uninstall retired (renamed) is no longer needed now that its command is cancelled.
  TakeBack::RestartDeletes "$INSTDIR\${EXE_NAME}"
  Delete "$INSTDIR\~tlm*.del"

  ; The per-user places that /uninstall cleans: the Desktop and Programs shell folders.
  SetShellVarContext current
  ; A shortcut's working folder is the output folder: the user's Documents, so that the program's
  ; first Save As does not aim at the install folder. Only if it exists: SetOutPath would make it.
  ${If} ${FileExists} "$DOCUMENTS\*.*"
    SetOutPath "$DOCUMENTS"
  ${EndIf}
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${EXE_NAME}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\${EXE_NAME}" "/uninstall"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${EXE_NAME}"

  ; The program finds this key present and leaves it alone; its /uninstall deletes it.
  WriteRegStr HKLM "${ENTRY_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${ENTRY_KEY}" "UninstallString" '"$INSTDIR\${EXE_NAME}" /uninstall'
  WriteRegStr HKLM "${ENTRY_KEY}" "QuietUninstallString" '"$INSTDIR\${EXE_NAME}" /uninstall /S'
  ; The folders made above the install folder, which the uninstall removes when they are empty;
  ; an upgrade in the same folder keeps what its first install noted.
  ReadRegStr $1 HKLM "${ENTRY_KEY}" "InstallLocation"
  ${If} $NewFolder != ""
  ${AndIf} $NewFolder != $INSTDIR
    WriteRegStr HKLM "${ENTRY_KEY}" "FoldersMadeFrom" "$NewFolder"
  ${ElseIf} $1 != $INSTDIR
    DeleteRegValue HKLM "${ENTRY_KEY}" "FoldersMadeFrom"
  ${EndIf}
  WriteRegStr HKLM "${ENTRY_KEY}" "DisplayIcon" "$INSTDIR\${EXE_NAME}"
  WriteRegStr HKLM "${ENTRY_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${ENTRY_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${ENTRY_KEY}" "InstallLocation" "$INSTDIR"
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKLM "${ENTRY_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${ENTRY_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${ENTRY_KEY}" "NoRepair" 1
SectionEnd
