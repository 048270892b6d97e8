; Tavlin's installer and uninstaller: the control program and both add-in
; DLLs in one program folder, switched on for the installing user. One
; script, made twice: on the x86 stub (the download, for 32- and 64-bit
; Windows) and on the amd64 stub.
;
; Layout of the program folder:
;   Tavlinar.exe            the control program, of the stub's bitness
;   TavlinAddin.dll         i686, for 32-bit Word (every Word 2007)
;   x64\TavlinAddin.dll     x86_64, for 64-bit Word; 64-bit Windows only
;   PolicyDefinitions\      the administrative templates, with a folder for
;                           each language's file (en-US, de-DE...)
;
; makensis defines (the build passes them; see CMakeLists.txt beside this):
;   TAVLIN_ARCH        x86 or x64: the stub
;   TAVLIN_ADDIN32     the i686 TavlinAddin.dll
;   TAVLIN_ADDIN64     the x86_64 TavlinAddin.dll
;   TAVLIN_CONTROL     Tavlinar.exe of the stub's bitness
;   TAVLIN_POLICY_DIR  the administrative templates: Tavlin.admx, and a
;                      language file <locale>/Tavlin.adml for each language
;   TAVLIN_SETUP_STRINGS  the setup program's texts made from po/: a
;                      <language>.nsh for each language, and languages.nsh
;                      inserting each language
;   TAVLIN_VERSION     the version shown to users, e.g. 7.00
;   TAVLIN_VI_VERSION  the same as four numbers, e.g. 7.0.0.0
;   TAVLIN_OUTFILE     where the installer goes
;   TAVLIN_HAND_CURSOR optional: the hand cursor file, shipped when given

!ifndef TAVLIN_ARCH | TAVLIN_ADDIN32 | TAVLIN_ADDIN64 | TAVLIN_CONTROL | TAVLIN_POLICY_DIR | TAVLIN_SETUP_STRINGS | TAVLIN_VERSION | TAVLIN_VI_VERSION | TAVLIN_OUTFILE
  !error "TAVLIN_ARCH, TAVLIN_ADDIN32, TAVLIN_ADDIN64, TAVLIN_CONTROL, TAVLIN_POLICY_DIR, TAVLIN_SETUP_STRINGS, TAVLIN_VERSION, TAVLIN_VI_VERSION and TAVLIN_OUTFILE must be defined"
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
; Files keep no build-time dates: two builds of one commit are the same file.
SetDateSave off
; A signing build (TAVLIN_SIGN_SCRIPT, TAVLIN_SIGN_CONFIG; see
; scripts/sign.sh) signs the uninstaller before it is packed, and the
; installer itself (TAVLIN_SIGN_NAME) once written.
!ifdef TAVLIN_SIGN_SCRIPT
  !uninstfinalize 'bash "${TAVLIN_SIGN_SCRIPT}" "${TAVLIN_SIGN_CONFIG}" "%1" "Uninstall-${TAVLIN_ARCH}.exe"' = 0
  !finalize 'bash "${TAVLIN_SIGN_SCRIPT}" "${TAVLIN_SIGN_CONFIG}" "%1" "${TAVLIN_SIGN_NAME}"' = 0
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Tavlin"
!define PUBLISHER "Drevalo"
!define CONTROL_NAME "Tavlinar"
!define CONTROL_EXE "${CONTROL_NAME}.exe"
!define ADDIN_DLL "TavlinAddin.dll"
!define ADDIN64_DIR "x64"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define WORD_ADDIN_KEY "Software\Microsoft\Office\Word\AddIns\TavlinCom.Connect"
; Click-to-Run Word overlays its private hive on HKLM. Only Office's own
; processes write there, so nothing of ours belongs in it, but a key left
; there (by Word itself, or by an old tool run inside Office) overrides the
; real one: the uninstaller takes it away. The Wow6432Node one is what
; 32-bit Word on 64-bit Windows sees.
!define C2R_HIVE "SOFTWARE\Microsoft\Office\ClickToRun\REGISTRY\MACHINE\Software"
!define C2R_ADDIN_KEY "${C2R_HIVE}\Microsoft\Office\Word\Addins\TavlinCom.Connect"
!define C2R_ADDIN_KEY_WOW "${C2R_HIVE}\Wow6432Node\Microsoft\Office\Word\Addins\TavlinCom.Connect"
; A machine-wide installation made by a Windows Installer package leaves
; this key in HKLM's 64-bit view (the only one on 32-bit Windows); only the
; package writes it. The names are common/product.h's kMachineInstallKey and
; kMachineInstallProductCodeValue: change them there and here together.
!define MSI_MARKER_KEY "Software\Drevalo\Tavlin"
!define MSI_MARKER_PRODUCT_CODE "ProductCode"

; Every path has to stay below MAX_PATH (260 with its terminating zero):
; Windows' loader, regsvr32, the programs' own module-path buffers and this
; installer's file writes stop there.
!define MAX_PATH_CHARS 259

Name "${PRODUCT}"
OutFile "${TAVLIN_OUTFILE}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${TAVLIN_VERSION}"
; No InstallDir: .onInit tells a /D= folder (then $INSTDIR is set) from
; none, and only then looks for an earlier installation.

VIProductVersion "${TAVLIN_VI_VERSION}"
VIFileVersion "${TAVLIN_VI_VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${TAVLIN_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${TAVLIN_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

; Sharp at 150 and 200 per cent: Windows scales a program that does not
; say it is DPI aware as a bitmap.
ManifestDPIAware true
; Tavlin's own icon, not NSIS's, on the setup program, its uninstaller and
; their pages.
!define MUI_ICON "${TAVLIN_ICON}"
!define MUI_UNICON "${TAVLIN_ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${CONTROL_EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartControl)"
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The pages speak the user's display language (NSIS picks the language
; table of GetUserDefaultUILanguage, else the first one, English), and so
; do our own messages: each language's file, made from its PO file (po/),
; holds them as LangStrings. A language missing one of them stops the build
; (-WX). languages.nsh inserts each of po/languages.txt's languages,
; English first.
!macro TAVLIN_LANGUAGE NAME
  !insertmacro MUI_LANGUAGE "${NAME}"
  !include /CHARSET=UTF8 "${TAVLIN_SETUP_STRINGS}/${NAME}.nsh"
!macroend
!include /CHARSET=UTF8 "${TAVLIN_SETUP_STRINGS}/languages.nsh"
; The longest file path the installation makes, past the folder: the
; administrative template's language file of the longest locale name
; (languages.nsh names it).
!define LONGEST_TAIL "\PolicyDefinitions\${TAVLIN_LONGEST_LOCALE}\Tavlin.adml"

; Exit codes for administrators' scripts (silent mode shows no message).
!define EXIT_IN_USE 3
!define EXIT_NOT_ADMIN 4
!define EXIT_REGISTRATION_FAILED 5
!define EXIT_BAD_FOLDER 6
!define EXIT_MSI_INSTALLED 7

Var RegistrationFailed
Var Windows64 ; 1 on 64-bit Windows

!macro TAVLIN_SHARED UN
; $0 in, $0 out: the folder as Windows names it, so that "C:\T3\..\T4",
; "C:\T4\", "c:\t4" and an 8.3 name of it all come out as one text: full
; path (no "." or ".."), long names where the folder exists, no trailing
; backslash past a drive root. Comparisons of the result still ignore case
; (StrCmp does): NTFS folder names do.
Function ${UN}Canonical
  Push $1
  Push $2
  System::Call 'kernel32::GetFullPathNameW(w r0, i ${NSIS_MAX_STRLEN}, w .r1, p 0) i .r2'
  ${If} $2 > 0
  ${AndIf} $2 < ${NSIS_MAX_STRLEN}
    StrCpy $0 $1
  ${EndIf}
  ; Fails for a folder that does not exist yet; the full path then stands.
  System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
  ${If} $2 > 0
  ${AndIf} $2 < ${NSIS_MAX_STRLEN}
    StrCpy $0 $1
  ${EndIf}
  StrLen $2 $0
  ${If} $2 > 3
    StrCpy $1 $0 1 -1
    ${If} $1 == "\"
      StrCpy $0 $0 -1
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
FunctionEnd

; $0: where the listed installation lives, canonical, or "" for none. The
; x86 installer of the one-DLL days listed it in the 32-bit view.
Function ${UN}FindInstalled
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${AndIf} $Windows64 = 1
    SetRegView 32
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    SetRegView 64
  ${EndIf}
  ${If} $0 != ""
    Call ${UN}Canonical
  ${EndIf}
FunctionEnd

; $0: a path; $1 set to 1 when a program has the file open or loaded.
; Windows refuses write or delete access to a running program or a loaded
; DLL, and an exclusive open while any other handle is open. A missing file
; is not in use.
Function ${UN}FileInUse
  Push $2
  Push $3
  StrCpy $1 0
  ; GENERIC_WRITE | DELETE, no sharing, OPEN_EXISTING
  System::Call 'kernel32::CreateFileW(w r0, i 0x40010000, i 0, p 0, i 3, i 0x80, p 0) p .r2 ?e'
  Pop $3
  ${If} $2 P= -1
    ${If} $3 <> 2       ; ERROR_FILE_NOT_FOUND
    ${AndIf} $3 <> 3    ; ERROR_PATH_NOT_FOUND
      StrCpy $1 1
    ${EndIf}
  ${Else}
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  Pop $3
  Pop $2
FunctionEnd

; Replacing or removing only some of the files would leave a program folder
; of two versions (an old Tavlinar switching a new add-in, or Word holding a
; DLL whose registration is gone). So every file is checked before any is
; touched; whoever holds one is named, and Cancel (or a silent run) changes
; nothing and ends with EXIT_IN_USE.
Function ${UN}RequireFilesFree
  Push $0
  Push $1
  Push $2
  retry:
  StrCpy $2 ""
  StrCpy $0 "$INSTDIR\${CONTROL_EXE}"
  Call ${UN}FileInUse
  ${If} $1 = 1
    StrCpy $2 "${CONTROL_NAME}"
  ${Else}
    StrCpy $0 "$INSTDIR\${ADDIN_DLL}"
    Call ${UN}FileInUse
    ${If} $1 = 0
      StrCpy $0 "$INSTDIR\${ADDIN64_DIR}\${ADDIN_DLL}"
      Call ${UN}FileInUse
    ${EndIf}
    ${If} $1 = 1
      StrCpy $2 "Microsoft Word"
    ${EndIf}
  ${EndIf}
  ${If} $2 != ""
    DetailPrint "$(InUseDetail)"
    MessageBox MB_ICONEXCLAMATION|MB_RETRYCANCEL "$(InUse)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_IN_USE}
    Abort
  ${EndIf}
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Runs one regsvr32 and waits for it: $R0 the tool, $R1 its switches, $R2
; the DLL, $R3 what it does ("register" or "unregister"). A failure is said
; at once (interactive) and remembered for the exit code; the other DLL is
; still tried.
Function ${UN}Regsvr32
  Push $0
  DetailPrint '"$R0" $R1 "$R2"'
  ClearErrors
  ExecWait '"$R0" $R1 "$R2"' $0
  ${If} ${Errors}
    StrCpy $0 "$(ToolNotStarted)"
  ${ElseIf} $0 <> 0
    StrCpy $0 "$(ToolExitCode)"
  ${Else}
    StrCpy $0 ""
  ${EndIf}
  ${If} $0 != ""
    DetailPrint "$0."
    ${If} $R3 == "register"
      MessageBox MB_ICONEXCLAMATION|MB_OK "$(RegisterFailed)" /SD IDOK
    ${Else}
      MessageBox MB_ICONEXCLAMATION|MB_OK "$(UnregisterFailed)" /SD IDOK
    ${EndIf}
    StrCpy $RegistrationFailed 1
  ${EndIf}
  Pop $0
FunctionEnd

; Both DLLs, each by the regsvr32 of its own bitness, which writes into its
; own registry view. RegDLL would load the DLL into this installer, so it
; can only ever register one bitness. $R1, $R3: as for Regsvr32.
Function ${UN}SwitchBoth
  ${If} $Windows64 = 1
    StrCpy $R0 "$WINDIR\SysWOW64\regsvr32.exe"
  ${Else}
    StrCpy $R0 "$SYSDIR\regsvr32.exe"
  ${EndIf}
  StrCpy $R2 "$INSTDIR\${ADDIN_DLL}"
  ${If} ${FileExists} $R2
    Call ${UN}Regsvr32
  ${EndIf}
  ${If} $Windows64 = 1
!if ${TAVLIN_ARCH} == x64
    StrCpy $R0 "$SYSDIR\regsvr32.exe"
!else
    ; A 32-bit process asking for System32 lands in SysWOW64; Sysnative
    ; is its name for the real one.
    StrCpy $R0 "$WINDIR\Sysnative\regsvr32.exe"
!endif
    StrCpy $R2 "$INSTDIR\${ADDIN64_DIR}\${ADDIN_DLL}"
    ${If} ${FileExists} $R2
      Call ${UN}Regsvr32
    ${EndIf}
  ${EndIf}
FunctionEnd

!macroend
!insertmacro TAVLIN_SHARED ""
!insertmacro TAVLIN_SHARED "un."

!macro TAVLIN_REQUIRE_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "admin"
    MessageBox MB_ICONSTOP|MB_OK "$(NotAdmin)" /SD IDOK
    SetErrorLevel ${EXIT_NOT_ADMIN}
    Quit
  ${EndIf}
!macroend

; The installed-programs entry lives in the 64-bit view wherever there is
; one, whichever stub wrote it, so that both stubs find and replace one
; entry. (The x86 installer of the one-DLL days wrote it in the 32-bit
; view; that one is found too, and taken away.)
!macro TAVLIN_NATIVE_VIEW
  ; Asked once, here: on the amd64 stub ${RunningX64} is a constant, and
  ; every branch on it would leave makensis an unused label to warn about.
!if ${TAVLIN_ARCH} == x64
  StrCpy $Windows64 1
!else
  StrCpy $Windows64 0
  ${If} ${RunningX64}
    StrCpy $Windows64 1
  ${EndIf}
!endif
  ${If} $Windows64 = 1
    SetRegView 64
  ${EndIf}
!macroend

; $0: the folder after /D= on the command line, or "". NSIS itself drops a
; /D= folder it cannot use (a relative one) and would then install into
; the default folder, which the user did not ask for; so the folder is
; read from the command line as it was typed and refused by name.
Function GivenFolder
  Push $1
  Push $2
  Push $3
  System::Call 'kernel32::GetCommandLineW() w .r1'
  StrCpy $0 ""
  StrLen $2 $1
  ${DoWhile} $2 > 0
    IntOp $2 $2 - 1
    StrCpy $3 $1 4 $2
    ${If} $3 S== " /D="
      IntOp $2 $2 + 4
      StrCpy $0 $1 "" $2
      ${Break}
    ${EndIf}
  ${Loop}
  Pop $3
  Pop $2
  Pop $1
FunctionEnd

; A folder must be absolute (a relative one would land wherever the
; installer happened to be started) and short enough for every file's path
; to stay below MAX_PATH. $0 gets the reason, or "" when it is fine.
Function CheckFolder
  Push $1
  Push $2
  StrCpy $1 $INSTDIR 2 1
  StrCpy $2 $INSTDIR 2
  ${If} $1 != ":\"
  ${AndIf} $2 != "\\"
    StrCpy $0 "$(NotFullPath)"
  ${Else}
    StrCpy $0 $INSTDIR
    Call Canonical
    StrCpy $INSTDIR $0
    StrLen $1 "$INSTDIR${LONGEST_TAIL}"
    ${If} $1 > ${MAX_PATH_CHARS}
      StrCpy $0 "$(FolderTooLong)"
    ${Else}
      StrCpy $0 ""
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
FunctionEnd

; Beside the package's installation this one would register the same class
; and add-in over it, and removing either would switch the other off. The
; package's installation is left as it is: the user is told how to remove
; it, and nothing is installed.
Function RefuseBesideMsi
  Push $0
  ReadRegStr $0 HKLM "${MSI_MARKER_KEY}" "${MSI_MARKER_PRODUCT_CODE}"
  ${If} $0 != ""
    MessageBox MB_ICONSTOP|MB_OK "$(PackageInstalled)" /SD IDOK
    SetErrorLevel ${EXIT_MSI_INSTALLED}
    Quit
  ${EndIf}
  Pop $0
FunctionEnd

Function .onInit
  !insertmacro TAVLIN_NATIVE_VIEW
  SetShellVarContext all
  ; Before the administrator check: reading the key needs no rights, and a
  ; user who is not an administrator would only be sent to elevate a run
  ; that is refused anyway.
  Call RefuseBesideMsi
  !insertmacro TAVLIN_REQUIRE_ADMIN
  StrCpy $RegistrationFailed 0
  Call GivenFolder
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
  ${If} $INSTDIR == ""
    ; An upgrade goes where the first install went.
    Call FindInstalled
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${Else}
!if ${TAVLIN_ARCH} == x64
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
!else
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
!endif
    ${EndIf}
  ${EndIf}
  Call CheckFolder
  ${If} $0 != ""
    MessageBox MB_ICONSTOP|MB_OK "$0$\r$\n$\r$\n$(NothingInstalled)" /SD IDOK
    SetErrorLevel ${EXIT_BAD_FOLDER}
    Quit
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CheckFolder
  ${If} $0 != ""
    MessageBox MB_ICONSTOP|MB_OK "$0"
    Abort
  ${EndIf}
FunctionEnd

Section "Tavlin" SecMain
  SectionIn RO
  Call RequireFilesFree

  ; Only now can 8.3 parts of an existing folder be expanded and the length
  ; be measured as Windows will measure it; a folder made here and then
  ; refused is taken away again.
  StrCpy $R9 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $R9 1
  ${EndIf}
  CreateDirectory "$INSTDIR"
  Call CheckFolder
  ${If} $0 != ""
    ${If} $R9 = 1
      RMDir "$INSTDIR"
    ${EndIf}
    MessageBox MB_ICONSTOP|MB_OK "$0$\r$\n$\r$\n$(NothingInstalled)" /SD IDOK
    SetErrorLevel ${EXIT_BAD_FOLDER}
    Abort
  ${EndIf}

  ; RequireFilesFree found every file free; should one be taken in the
  ; meantime, "try" skips it and says so through the error flag rather than
  ; ask in a silent run.
  SetOverwrite try
  ClearErrors
  SetOutPath "$INSTDIR"
  File "/oname=${ADDIN_DLL}" "${TAVLIN_ADDIN32}"
  File "/oname=${CONTROL_EXE}" "${TAVLIN_CONTROL}"
!ifdef TAVLIN_HAND_CURSOR
  File "/oname=HAND-M.CUR" "${TAVLIN_HAND_CURSOR}"
!endif
  ; The administrative templates, for an administrator to copy into the
  ; domain's central store or C:\Windows\PolicyDefinitions.
  ; Each language file keeps its folder (en-US, de-DE...): Group Policy
  ; editors take the one of their display language.
  SetOutPath "$INSTDIR\PolicyDefinitions"
  File "/oname=Tavlin.admx" "${TAVLIN_POLICY_DIR}/Tavlin.admx"
  File /r "${TAVLIN_POLICY_DIR}/*.adml"
  SetOutPath "$INSTDIR"
  ; 32-bit Windows cannot load the x86_64 DLL; there it is not installed.
  ${If} $Windows64 = 1
    SetOutPath "$INSTDIR\${ADDIN64_DIR}"
    File "/oname=${ADDIN_DLL}" "${TAVLIN_ADDIN64}"
    SetOutPath "$INSTDIR"
  ${EndIf}
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ${If} ${Errors}
    MessageBox MB_ICONSTOP|MB_OK "$(FileTaken)" /SD IDOK
    SetErrorLevel ${EXIT_IN_USE}
    Abort
  ${EndIf}

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${CONTROL_NAME}.lnk" "$INSTDIR\${CONTROL_EXE}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\${UNINSTALLER}"

  ${If} $Windows64 = 1
    SetRegView 32
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    SetRegView 64
  ${EndIf}
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
  ; registration: Word may be started from the last page right away.
  StrCpy $R1 "/s"
  StrCpy $R3 "register"
  Call SwitchBoth
  ; The control program creates the key even when registration fails; the
  ; self-registration fills in its values.
  System::Call 'advapi32::RegCreateKeyExW(p 0x80000001, w "${WORD_ADDIN_KEY}", i 0, p 0, i 0, i 0xF003F, p 0, *p .r1, p 0) i .r0'
  ${If} $0 = 0
    System::Call 'advapi32::RegCloseKey(p r1)'
  ${EndIf}
  ${If} $RegistrationFailed = 1
    SetErrorLevel ${EXIT_REGISTRATION_FAILED}
  ${EndIf}
SectionEnd

Function un.onInit
  !insertmacro TAVLIN_NATIVE_VIEW
  SetShellVarContext all
  !insertmacro TAVLIN_REQUIRE_ADMIN
  StrCpy $RegistrationFailed 0
  StrCpy $0 $INSTDIR
  Call un.Canonical
  StrCpy $INSTDIR $0
FunctionEnd

Section "Uninstall"
  Call un.RequireFilesFree

  ; An uninstaller left in an older folder (after a reinstall elsewhere)
  ; must not switch off or unlist the copy that is installed now: it only
  ; removes its own files. Both sides are canonical, so a folder spelled
  ; another way at install time is still recognised as this one.
  Call un.FindInstalled
  ${If} $0 == ""
  ${OrIf} $0 == $INSTDIR
    ; Switch the add-in off as the control program does. The settings under
    ; VB and VBA Program Settings stay: they belong to the user.
    StrCpy $R1 "/u /s"
    StrCpy $R3 "unregister"
    Call un.SwitchBoth
    DeleteRegKey /ifnosubkeys HKCU "${WORD_ADDIN_KEY}"
    DeleteRegKey HKLM "${C2R_ADDIN_KEY}"
    DeleteRegKey HKLM "${C2R_ADDIN_KEY_WOW}"

    Delete "$SMPROGRAMS\${PRODUCT}\${CONTROL_NAME}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ${If} $Windows64 = 1
      SetRegView 32
      DeleteRegKey HKLM "${UNINSTALL_KEY}"
      SetRegView 64
    ${EndIf}
  ${Else}
    DetailPrint "$(OtherInstallation)"
  ${EndIf}

  Delete "$INSTDIR\${ADDIN64_DIR}\${ADDIN_DLL}"
  RMDir "$INSTDIR\${ADDIN64_DIR}"
  Delete "$INSTDIR\${ADDIN_DLL}"
  Delete "$INSTDIR\${CONTROL_EXE}"
  Delete "$INSTDIR\HAND-M.CUR"
  ; Every language's file, also of languages a later version may add; a
  ; folder is only taken away when nothing else is left in it.
  FindFirst $0 $1 "$INSTDIR\PolicyDefinitions\*.*"
  ${DoWhile} $1 != ""
    ${If} $1 != "."
    ${AndIf} $1 != ".."
      Delete "$INSTDIR\PolicyDefinitions\$1\Tavlin.adml"
      RMDir "$INSTDIR\PolicyDefinitions\$1"
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  Delete "$INSTDIR\PolicyDefinitions\Tavlin.admx"
  RMDir "$INSTDIR\PolicyDefinitions"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ${If} $RegistrationFailed = 1
    SetErrorLevel ${EXIT_REGISTRATION_FAILED}
  ${EndIf}
SectionEnd
