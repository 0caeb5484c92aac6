; The setup program: a per-user install of Zelvora, no administrator rights.
;   makensis -DZELVORA_VERSION=1.0.0.1 -DZELVORA_EXE=<Zelvora.exe> -DZELVORA_ICON=<Zelvora.ico>
;            -DSETUP_FILE=<output> [-DSIGN_FILE=<signing command> -DUNINSTALLER_COPY=<file>] Zelvora.nsi
; (scripts/make-setup gives all of them.)
; Command line of the setup: /S silent, /AUTOSTART start with Windows (for silent installs),
; /D=<folder> another program folder (last, unquoted, as NSIS wants it).
; Exit codes: 3 another setup runs, 4 the folder cannot be written, 5 a running Zelvora would not
; end, 6 the folder holds another program's files.
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef ZELVORA_VERSION | ZELVORA_EXE | ZELVORA_ICON | SETUP_FILE
  !error "ZELVORA_VERSION, ZELVORA_EXE, ZELVORA_ICON and SETUP_FILE must be defined"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include "CloseZelvora.nsh"

!define PRODUCT "Zelvora"
!define PUBLISHER "Ombrix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Ombrix\Zelvora"
; Shared by setup and uninstaller: one of them at a time.
!define SETUP_MUTEX "Ombrix.Zelvora.Setup"

; The signing command signs the uninstaller as it is written and the setup once it is made; a
; failure fails the build.
!ifdef SIGN_FILE
  !uninstfinalize '"${SIGN_FILE}" "%1" && install -m 644 "%1" "${UNINSTALLER_COPY}"' = 0
  !finalize '"${SIGN_FILE}" "%1"' = 0
!endif

Name "${PRODUCT}"
OutFile "${SETUP_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Zelvora"
BrandingText "${PRODUCT} ${ZELVORA_VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${ZELVORA_VERSION}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${ZELVORA_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${ZELVORA_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "© 2026 ${PUBLISHER}"

!define MUI_ICON "${ZELVORA_ICON}"
!define MUI_UNICON "${ZELVORA_ICON}"

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FolderPageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNowText)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartZelvoraNow
; The second box of the finish page, used for the autostart choice.
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(AutostartText)"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION WriteAutostart
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FinishPageLeave
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems that speak none of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Romanian"
!include "Texts.nsh"

Var Autostart

; The Run value names this copy when it is this folder's Zelvora.exe as a path: any case, short
; (8.3) names or long, quoted or not. Leaves 1 on the stack when it does, else 0.
!macro RunValueIsThisCopy un
Function ${un}RunValueIsThisCopy
  Push $0
  Push $1
  Push $2
  Push $3
  ReadRegStr $0 HKCU "${RUN_KEY}" "Zelvora"
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $1 $0 1 -1
    ${If} $1 == '"'
      StrCpy $0 $0 -1
    ${EndIf}
  ${EndIf}
  ${If} $0 == ""
    StrCpy $0 0
  ${Else}
    System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
    ${If} $2 <> 0
      StrCpy $0 $1
    ${EndIf}
    StrCpy $1 "$INSTDIR\Zelvora.exe"
    System::Call 'kernel32::GetLongPathNameW(w r1, w .r2, i ${NSIS_MAX_STRLEN}) i .r3'
    ${If} $3 <> 0
      StrCpy $1 $2
    ${EndIf}
    ${If} $0 == $1 ; StrCmp ignores case
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro RunValueIsThisCopy ""
!insertmacro RunValueIsThisCopy "un."

; The program writes the same value from its menu: its quoted path.
Function WriteAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Zelvora" '"$INSTDIR\Zelvora.exe"'
FunctionEnd

Function StartZelvoraNow
  Exec '"$INSTDIR\Zelvora.exe"'
FunctionEnd

; An autostart already on stays on unless the person unticks it.
Function FinishPageShow
  ReadRegStr $0 HKCU "${RUN_KEY}" "Zelvora"
  ${If} $0 != ""
    SendMessage $mui.FinishPage.ShowReadme ${BM_SETCHECK} ${BST_CHECKED} 0
  ${EndIf}
FunctionEnd

; Unticked, an autostart of this copy goes; another copy's stays.
Function FinishPageLeave
  SendMessage $mui.FinishPage.ShowReadme ${BM_GETCHECK} 0 0 $0
  Call RunValueIsThisCopy
  Pop $1
  ${If} $0 <> ${BST_CHECKED}
  ${AndIf} $1 = 1
    DeleteRegValue HKCU "${RUN_KEY}" "Zelvora"
  ${EndIf}
FunctionEnd

!macro TakeSetupMutex
  System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${SETUP_MUTEX}") p .r0 ?e'
  Pop $1
  ${If} $1 = 183 ; ERROR_ALREADY_EXISTS
    MessageBox MB_OK|MB_ICONINFORMATION "$(SetupAlreadyRunning)" /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro TakeSetupMutex
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    StrCpy $Autostart 1
  ${EndIf}
FunctionEnd

; Tries the folder before anything is changed; every folder made for the try goes again.
; Leaves 1 on the stack when it can be written, else 0.
Function FolderWritable
  Push $0
  Push $1
  Push $2
  ; The outermost folder that is missing: the try makes it and all below it.
  StrCpy $1 ""
  StrCpy $2 "$INSTDIR"
  ${DoWhile} $2 != ""
    ${If} ${FileExists} "$2\*.*"
      ${Break}
    ${EndIf}
    StrCpy $1 $2
    ${GetParent} $2 $2
  ${Loop}
  ClearErrors
  CreateDirectory "$INSTDIR"
  FileOpen $0 "$INSTDIR\zelvora-setup.tmp" w
  ${If} ${Errors}
    StrCpy $0 0
  ${Else}
    FileClose $0
    Delete "$INSTDIR\zelvora-setup.tmp"
    StrCpy $0 1
  ${EndIf}
  ${If} $1 != ""
    StrCpy $2 "$INSTDIR"
    ${Do}
      RMDir $2
      ${If} $2 == $1
      ${OrIf} $2 == ""
        ${Break}
      ${EndIf}
      ${GetParent} $2 $2
    ${Loop}
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The uninstaller deletes Zelvora.exe and Uninstall.exe by name: a folder that holds other files
; and no Zelvora.exe belongs to something else. Leaves 1 on the stack when it may be used.
Function FolderIsOurs
  Push $0
  Push $1
  Push $2
  StrCpy $0 1 ; missing, empty, or holding our program
  ${IfNot} ${FileExists} "$INSTDIR\Zelvora.exe"
    ClearErrors
    FindFirst $1 $2 "$INSTDIR\*.*"
    ${IfNot} ${Errors}
      ${Do}
        ${If} $2 != "."
        ${AndIf} $2 != ".."
        ${AndIf} $2 != ""
          StrCpy $0 0
          ${Break}
        ${EndIf}
        ClearErrors
        FindNext $1 $2
      ${LoopUntil} ${Errors}
      FindClose $1
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

Function FolderPageLeave
  Call FolderIsOurs
  Pop $0
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderNotOurs)"
    Abort ; stays on the page
  ${EndIf}
  Call FolderWritable
  Pop $0
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderNotWritable)"
    Abort ; stays on the page
  ${EndIf}
FunctionEnd

!insertmacro CloseZelvora ""
!insertmacro CloseZelvora "un."

Section "Zelvora"
  Call FolderIsOurs
  Pop $0
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderNotOurs)" /SD IDOK
    SetErrorLevel 6
    Quit
  ${EndIf}
  Call FolderWritable
  Pop $0
  ${If} $0 = 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FolderNotWritable)" /SD IDOK
    SetErrorLevel 4
    Quit
  ${EndIf}
  Call CloseZelvora
  Pop $0
  ${If} $0 = 0
    SetErrorLevel 5
    Quit
  ${EndIf}

  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "/oname=Zelvora.exe" "${ZELVORA_EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Zelvora.lnk" "$INSTDIR\Zelvora.exe" "" "$INSTDIR\Zelvora.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${ZELVORA_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\Zelvora.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; Our two files only, whatever else the folder holds.
  ${GetSize} "$INSTDIR" "/M=Zelvora.exe /S=0K /G=0" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=Uninstall.exe /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

  ; Silent installs have no finish page: the switch stands for its box.
  ${If} $Autostart = 1
    Call WriteAutostart
  ${EndIf}
SectionEnd

Function un.onInit
  !insertmacro TakeSetupMutex
FunctionEnd

Section "Uninstall"
  StrCpy $R0 1
  MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepSettingsQuestion)" /SD IDYES IDYES +2
  StrCpy $R0 0
  Call un.CloseZelvora
  Pop $0
  ${If} $0 = 0
    SetErrorLevel 5
    Quit
  ${EndIf}
  ; Only a Run value that starts this copy; another copy's stays. Asked while the file is there
  ; (its long name is read from the disk).
  Call un.RunValueIsThisCopy
  Pop $0
  ${If} $0 = 1
    DeleteRegValue HKCU "${RUN_KEY}" "Zelvora"
  ${EndIf}

  Delete "$INSTDIR\Zelvora.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Zelvora.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $R0 = 0
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Ombrix"
  ${EndIf}
SectionEnd
