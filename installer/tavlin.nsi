; Tavlin's installer and uninstaller: the add-in and its control program in
; one program folder, switched on for the installing user.
;
; makensis defines (the build passes them; see CMakeLists.txt beside this):
;   TAVLIN_ARCH     x86 (Word 2007 is 32-bit only) or x64
;   TAVLIN_ADDIN    the built TavlinAddin.dll
;   TAVLIN_CONTROL  the built Tavlinar.exe
;   TAVLIN_VERSION  the version shown to users, e.g. 7.00
;   TAVLIN_VI_VERSION  the same as four numbers, e.g. 7.0.0.0
;   TAVLIN_OUTFILE  where the installer goes
;   TAVLIN_HAND_CURSOR  optional: the hand cursor file, shipped when given

!ifndef TAVLIN_ARCH | TAVLIN_ADDIN | TAVLIN_CONTROL | TAVLIN_VERSION | TAVLIN_VI_VERSION | TAVLIN_OUTFILE
  !error "TAVLIN_ARCH, TAVLIN_ADDIN, TAVLIN_CONTROL, TAVLIN_VERSION, TAVLIN_VI_VERSION and TAVLIN_OUTFILE must be defined"
!endif

Unicode true
!if ${TAVLIN_ARCH} == x64
  Target amd64-unicode
!else if ${TAVLIN_ARCH} == x86
  Target x86-unicode
!else
  !error "TAVLIN_ARCH must be x86 or x64"
!endif
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh

!define PRODUCT "Tavlin"
!define PUBLISHER "Drevalo"
!define CONTROL_NAME "Tavlinar"
!define CONTROL_EXE "${CONTROL_NAME}.exe"
!define ADDIN_DLL "TavlinAddin.dll"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define WORD_ADDIN_KEY "Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect"
!define WORD_ADDINS_KEY "Software\Microsoft\Office\Word\AddIns"

Name "${PRODUCT}"
OutFile "${TAVLIN_OUTFILE}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${TAVLIN_VERSION}"
!if ${TAVLIN_ARCH} == x64
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; An upgrade goes where the first install went unless /D= says otherwise.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${TAVLIN_VI_VERSION}"
VIFileVersion "${TAVLIN_VI_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${TAVLIN_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${TAVLIN_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${CONTROL_EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${CONTROL_NAME}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Exit codes for administrators' scripts (silent mode shows no message).
!define EXIT_ADDIN_IN_USE 3
!define EXIT_NOT_ADMIN 4
!define EXIT_REGISTRATION_FAILED 5

; Sets $R9 to 1 when a program (in practice Word) holds the add-in file.
; Windows refuses write or delete access to a loaded DLL; an exclusive open
; also fails while any other handle is open. A missing file is not in use.
!macro TAVLIN_ADDIN_IN_USE UN
Function ${UN}AddinInUse
  StrCpy $R9 0
  ; GENERIC_WRITE | DELETE, no sharing, OPEN_EXISTING
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\${ADDIN_DLL}", i 0x40010000, i 0, p 0, i 3, i 0x80, p 0) p .r0 ?e'
  Pop $1
  ${If} $0 P= -1
    ${If} $1 <> 2       ; ERROR_FILE_NOT_FOUND
    ${AndIf} $1 <> 3    ; ERROR_PATH_NOT_FOUND
      StrCpy $R9 1
    ${EndIf}
  ${Else}
    System::Call 'kernel32::CloseHandle(p r0)'
  ${EndIf}
FunctionEnd
!macroend
!insertmacro TAVLIN_ADDIN_IN_USE ""
!insertmacro TAVLIN_ADDIN_IN_USE "un."

!macro TAVLIN_REQUIRE_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP|MB_OK "${PRODUCT} is installed for all users of this computer: please run this program as an administrator." /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
!macroend

Function .onInit
!if ${TAVLIN_ARCH} == x64
  SetRegView 64
!endif
  SetShellVarContext all
  !insertmacro TAVLIN_REQUIRE_ADMIN
FunctionEnd

; Word keeps the add-in loaded while it runs: overwriting or removing it then
; would leave a folder with one old and one new file, or half removed.
!macro TAVLIN_WAIT_FOR_WORD UN
  retry:
  Call ${UN}AddinInUse
  ${If} $R9 == 1
    MessageBox MB_ICONEXCLAMATION|MB_RETRYCANCEL "Microsoft Word is using ${PRODUCT} ($INSTDIR\${ADDIN_DLL}).$\r$\n$\r$\nClose Word, then choose Retry. Cancel leaves ${PRODUCT} as it is." /SD IDCANCEL IDRETRY retry
    DetailPrint "$INSTDIR\${ADDIN_DLL} is in use; nothing was changed."
    SetErrorLevel ${EXIT_ADDIN_IN_USE}
    Abort
  ${EndIf}
!macroend

Section "Tavlin" SecMain
  SectionIn RO
  !insertmacro TAVLIN_WAIT_FOR_WORD ""

  SetOutPath "$INSTDIR"
  File "/oname=${ADDIN_DLL}" "${TAVLIN_ADDIN}"
  File "/oname=${CONTROL_EXE}" "${TAVLIN_CONTROL}"
!ifdef TAVLIN_HAND_CURSOR
  File "/oname=HAND-M.CUR" "${TAVLIN_HAND_CURSOR}"
!endif
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${CONTROL_NAME}.lnk" "$INSTDIR\${CONTROL_EXE}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\${UNINSTALLER}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${TAVLIN_VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${CONTROL_EXE},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Switch the add-in on as the control program's OK does, but wait for the
  ; registration: Word may be started from the last page right away. In the
  ; 32-bit installer $SYSDIR is redirected to the 32-bit system folder on
  ; 64-bit Windows, which is the regsvr32 a 32-bit DLL needs.
  DetailPrint "Registering $INSTDIR\${ADDIN_DLL}"
  ClearErrors
  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\${ADDIN_DLL}"' $0
  ${If} ${Errors}
  ${OrIf} $0 <> 0
    DetailPrint "regsvr32 failed ($0)"
    MessageBox MB_ICONEXCLAMATION|MB_OK "${PRODUCT} could not register its add-in with Windows (regsvr32 returned $0). Word will not show the Classic tab; start ${CONTROL_NAME} and press OK to try again." /SD IDOK
    SetErrorLevel ${EXIT_REGISTRATION_FAILED}
  ${EndIf}
  ; The control program creates the key even when registration fails; the
  ; self-registration fills in its values.
  System::Call 'advapi32::RegCreateKeyExW(p 0x80000001, w "${WORD_ADDIN_KEY}", i 0, p 0, i 0, i 0xF003F, p 0, *p .r1, p 0) i .r0'
  ${If} $0 = 0
    System::Call 'advapi32::RegCloseKey(p r1)'
  ${EndIf}
SectionEnd

Function un.onInit
!if ${TAVLIN_ARCH} == x64
  SetRegView 64
!endif
  SetShellVarContext all
  !insertmacro TAVLIN_REQUIRE_ADMIN
FunctionEnd

Section "Uninstall"
  !insertmacro TAVLIN_WAIT_FOR_WORD "un."

  ; An uninstaller left in an older folder (after a reinstall elsewhere)
  ; must not switch off or unlist the copy that is installed now: it only
  ; removes its own files.
  ReadRegStr $R8 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R8 == ""
  ${OrIf} $R8 == $INSTDIR
    ; Switch the add-in off as the control program does. The settings under
    ; VB and VBA Program Settings stay: they belong to the user.
    ${If} ${FileExists} "$INSTDIR\${ADDIN_DLL}"
      DetailPrint "Unregistering $INSTDIR\${ADDIN_DLL}"
      ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\${ADDIN_DLL}"' $0
    ${EndIf}
    DeleteRegKey /ifnosubkeys HKCU "${WORD_ADDIN_KEY}"

    Delete "$SMPROGRAMS\${PRODUCT}\${CONTROL_NAME}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${Else}
    DetailPrint "${PRODUCT} is installed in $R8; only $INSTDIR is removed."
  ${EndIf}

  Delete "$INSTDIR\${ADDIN_DLL}"
  Delete "$INSTDIR\${CONTROL_EXE}"
  Delete "$INSTDIR\HAND-M.CUR"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
SectionEnd
