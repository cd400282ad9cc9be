; The per-user installer: no administrator rights, everything under the
; user's own folders and HKCU, removed again by its uninstaller.
; scripts/package.sh compiles it once per architecture:
;   makensis -DVERSION=2.00.0001 -DFILE_VERSION=2.0.0.1 -DARCH=win64
;            -DPROGRAM=brumelis.exe -DICON=brumelis.ico -DOUTFILE=setup.exe
;            [-DSIGN_COMMAND=...] brumelis.nsi
; Silent mode: /S; /DEMARRAGE also starts Brumelis at log-on; /D=folder
; chooses the folder (last on the line, as NSIS wants it).

!macro REQUIRE name
  !ifndef ${name}
    !error "${name} is defined by scripts/package.sh"
  !endif
!macroend
!insertmacro REQUIRE VERSION
!insertmacro REQUIRE FILE_VERSION
!insertmacro REQUIRE ARCH
!insertmacro REQUIRE PROGRAM
!insertmacro REQUIRE ICON
!insertmacro REQUIRE OUTFILE

; A 64-bit installer for the 64-bit program: it runs where the program runs
; and sees the 64-bit registry without redirection.
!if "${ARCH}" == "win64"
  Target amd64-unicode
!else if "${ARCH}" == "win32"
  Target x86-unicode
!else
  !error "ARCH is win64 or win32"
!endif

!define PRODUCT "Brumelis"
!define PUBLISHER "ZOLVEC"
!define UNINSTALL_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_PARENT}\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALLER "desinstaller.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; The caption of the toolbar and of its hidden owner: the program's
; single-instance rule looks for it too.
!define TOOLBAR_TITLE "BrumelisZOLVEC"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "${PRODUCT} ${VERSION}"
; The language file's own captions end with a space.
Caption "Installation de ${PRODUCT}"
UninstallCaption "Désinstallation de ${PRODUCT}"

!ifdef SIGN_COMMAND
  ; The uninstaller is written by the installer at install time: it is
  ; signed here, while makensis builds it.
  !uninstfinalize '${SIGN_COMMAND} "%1"'
!endif

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=1036 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${PRODUCT}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "© ${PUBLISHER}"

Var WasRunning

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\brumelis.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer ${PRODUCT}"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "French"

; Ends every running toolbar and sets $WasRunning to 1 if there was one. The
; program saves nothing, so closing it loses nothing; a window close lets it
; end by itself, and a copy that does not end within 5 s (a hung one) is
; terminated, so that its file can be replaced or removed.
!macro CLOSE_TOOLBAR_FUNCTION prefix
  Function ${prefix}CloseToolbar
    StrCpy $WasRunning 0
    ; A few rounds at most: a window that outlives its process's end is
    ; not worth waiting for forever.
    StrCpy $4 0
    ${Do}
      FindWindow $0 "" "${TOOLBAR_TITLE}"
      ${IfThen} $0 == 0 ${|} ${ExitDo} ${|}
      IntOp $4 $4 + 1
      ${IfThen} $4 > 4 ${|} ${ExitDo} ${|}
      StrCpy $WasRunning 1
      System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
      ; SYNCHRONIZE | PROCESS_TERMINATE
      System::Call 'kernel32::OpenProcess(i 0x00100001, i 0, i r1) p .r2'
      ${If} $2 P= 0
        ; Not ours to end (another user's session): leave it.
        ${ExitDo}
      ${EndIf}
      System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0) i'
      System::Call 'kernel32::WaitForSingleObject(p r2, i 5000) i .r3'
      ${If} $3 != 0
        System::Call 'kernel32::TerminateProcess(p r2, i 1) i'
        System::Call 'kernel32::WaitForSingleObject(p r2, i 5000) i'
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r2) i'
    ${Loop}
  FunctionEnd
!macroend
!insertmacro CLOSE_TOOLBAR_FUNCTION ""
!insertmacro CLOSE_TOOLBAR_FUNCTION "un."

Section "${PRODUCT}" SectionProgram
  SectionIn RO
  Call CloseToolbar
  SetOutPath "$INSTDIR"
  File "/oname=brumelis.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\brumelis.exe" "" "$INSTDIR\brumelis.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brumelis.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; An install without the log-on option takes back an earlier one's.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
SectionEnd

Section /o "Démarrer ${PRODUCT} à l'ouverture de session" SectionLogon
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\brumelis.exe"'
SectionEnd

Section "-Restart"
  ; A toolbar that was running before comes back, the new one.
  ${If} $WasRunning == 1
    Exec '"$INSTDIR\brumelis.exe"'
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/DEMARRAGE" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionLogon} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function FinishPageShow
  ; Restarted already: a second copy would only say that one is running.
  ${If} $WasRunning == 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseToolbar
  Delete "$INSTDIR\brumelis.exe"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; The installer may have been the one to create the parent key: it goes
  ; too when nothing else is left in it.
  DeleteRegKey /ifempty HKCU "${UNINSTALL_PARENT}"
SectionEnd
