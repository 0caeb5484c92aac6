; Ends every running Zelvora the orderly way, as its close button does, so it saves its
; settings, and waits until each process is gone and its program file is free.
; Leaves 1 on the stack when none runs any more, 0 when one would not end.
!macro CloseZelvora PREFIX
Function ${PREFIX}CloseZelvora
  Push $0
  Push $1
  Push $2
  Push $3
  retry:
  FindWindow $0 "TfrmZelvora"
  ${DoWhile} $0 <> 0
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r1) i'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2' ; SYNCHRONIZE
    System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0) i'
    StrCpy $3 258 ; WAIT_TIMEOUT
    ${If} $2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i 15000) i .r3'
      System::Call 'kernel32::CloseHandle(p r2) i'
    ${EndIf}
    ${If} $3 <> 0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ZelvoraStillRunning)" /SD IDCANCEL IDRETRY retry
      StrCpy $0 0
      Goto done
    ${EndIf}
    FindWindow $0 "TfrmZelvora"
  ${Loop}
  StrCpy $0 1
  done:
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
