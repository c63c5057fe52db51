; Bootmarshal's installer and uninstaller (NSIS 3, Modern UI 2).
;
;   makensis -DVERSION=2.5 -DVERSION_QUAD=2.5.0.0 -DBIN_DIR=<folder of the built files>
;            -DOUT_FILE=<setup.exe> Bootmarshal.nsi
;
; Installs for all users into Program Files (administrator rights) or for the
; current user alone into the user's own programs folder (no administrator
; rights), chosen on a page or by /AllUsers or /CurrentUser on the command line.
; The user's data lives in %LOCALAPPDATA%\Veltmanix\Bootmarshal and is never
; touched by an installation, so an upgrade keeps it.
;
; Uninstaller options for silent runs (/S): /REMOVEDATA deletes the user's data
; (kept otherwise), /SWITCHON switches entries switched off with this copy back
; on (otherwise they stay off and inactive.exe stays where they point).

; 64-bit like the program it installs (an x86 installer would also need WoW64).
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!ifndef VERSION | VERSION_QUAD | BIN_DIR | OUT_FILE
  !error "VERSION, VERSION_QUAD, BIN_DIR and OUT_FILE must be defined (see scripts/build-release.sh)"
!endif

!define PRODUCT "Bootmarshal"
!define PUBLISHER "Veltmanix"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Bootmarshal"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define BLOCK_CHECK_VALUE "Bootmarshal Block-check"

; Per-machine or per-user; a later run finds the earlier folder and mode.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include x64.nsh

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
BrandingText "${PRODUCT} ${VERSION} - ${PUBLISHER}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${__FILEDIR__}\Bootmarshal.ico"
!define MUI_UNICON "${__FILEDIR__}\Bootmarshal.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\Welcome.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\Welcome.bmp"
; The language chosen at installation is the uninstaller's and the next installer's.
!define MUI_LANGDLL_REGISTRY_ROOT SHCTX
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
!define MUI_LANGDLL_ALLLANGUAGES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; No "Run Bootmarshal" box: started from an elevated installer, the program would
; run as administrator, and with another account's credentials it would manage
; that account's entries instead of the user's.
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!include /CHARSET=UTF8 "${__FILEDIR__}\Strings.nsh"

Var KeepData
Var SwitchOn
Var KeepCompanion

Function .onInit
  !insertmacro MULTIUSER_INIT
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section "Bootmarshal" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}\Bootmarshal.exe"
  File "${BIN_DIR}\Bootmarshal.com"
  File "${BIN_DIR}\inactive.exe"
  File "${BIN_DIR}\Bootmarshal.t00"
  File "${BIN_DIR}\Bootmarshal.t01"
  File "${BIN_DIR}\Bootmarshal.t02"
  File "${BIN_DIR}\Bootmarshal.c00"
  File "${BIN_DIR}\Bootmarshal.c01"
  File "${BIN_DIR}\Bootmarshal.c02"
  File "${BIN_DIR}\Bootmarshal.d00"
  File "${BIN_DIR}\Bootmarshal.d01"
  File "${BIN_DIR}\Bootmarshal.d02"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Bootmarshal.lnk" "$INSTDIR\Bootmarshal.exe" "" "$INSTDIR\Bootmarshal.exe" 0 \
    SW_SHOWNORMAL "" "$(DESC_SHORTCUT)"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Bootmarshal.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.veltmanix.com/bootmarshal/"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "mailto:support@veltmanix.com"
  ; Also after a silent installation, where the Modern UI does not record it.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Installer Language" $LANGUAGE
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
  ; The uninstaller belongs to the installation whose folder it lies in.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 == $INSTDIR
    Call un.MultiUser.InstallMode.AllUsers
  ${Else}
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

; Other users of a per-machine installation may have switched entries off with
; it; their entries cannot be reached from here. A data folder of Bootmarshal in
; another profile says that this may be so.
Function un.OtherUsersHaveData
  StrCpy $R9 0
  ${GetParent} "$PROFILE" $R5
  ${GetFileName} "$PROFILE" $R8
  FindFirst $R6 $R7 "$R5\*"
  ${DoWhile} $R7 != ""
    ${If} $R7 != "."
    ${AndIf} $R7 != ".."
    ${AndIf} $R7 != $R8
    ${AndIf} ${FileExists} "$R5\$R7\AppData\Local\Veltmanix\Bootmarshal\*.*"
      StrCpy $R9 1
    ${EndIf}
    FindNext $R6 $R7
  ${Loop}
  FindClose $R6
FunctionEnd

Section "Uninstall"
  ${GetParameters} $R0

  ; The user's data is kept unless the user asks for its removal.
  StrCpy $KeepData 1
  ClearErrors
  ${GetOptions} $R0 "/REMOVEDATA" $R1
  ${IfNot} ${Errors}
    StrCpy $KeepData 0
  ${Else}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON1 "$(ASK_KEEP_DATA)" /SD IDYES IDYES +2
    StrCpy $KeepData 0
  ${EndIf}

  ; Switched-off entries start this folder's inactive.exe. They are switched back
  ; on when the user asks; whatever still starts the companion afterwards keeps
  ; it in place, so that no entry points at a missing program.
  StrCpy $SwitchOn ""
  ClearErrors
  ${GetOptions} $R0 "/SWITCHON" $R1
  ${IfNot} ${Errors}
    StrCpy $SwitchOn " /switch-on"
  ${ElseIfNot} ${Silent}
    ClearErrors
    ExecWait '"$INSTDIR\Bootmarshal.exe" /uninstall-cleanup /count' $0
    ${IfNot} ${Errors}
    ${AndIf} $0 > 0
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(ASK_SWITCH_ON)" IDNO +2
      StrCpy $SwitchOn " /switch-on"
    ${EndIf}
  ${EndIf}
  StrCpy $KeepCompanion 0
  ClearErrors
  ExecWait '"$INSTDIR\Bootmarshal.exe" /uninstall-cleanup$SwitchOn' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    StrCpy $KeepCompanion 1
  ${EndIf}
  ${If} $MultiUser.InstallMode == "AllUsers"
    Call un.OtherUsersHaveData
    ${If} $R9 == 1
      StrCpy $KeepCompanion 1
    ${EndIf}
  ${EndIf}

  ; The logon check of this copy; the program removed it already when it could run.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${BLOCK_CHECK_VALUE}"
  ${UnStrStr} $1 $0 "$INSTDIR\Bootmarshal.exe"
  ${If} $1 != ""
    DeleteRegValue HKCU "${RUN_KEY}" "${BLOCK_CHECK_VALUE}"
  ${EndIf}

  Delete "$INSTDIR\Bootmarshal.exe"
  Delete "$INSTDIR\Bootmarshal.com"
  Delete "$INSTDIR\Bootmarshal.t00"
  Delete "$INSTDIR\Bootmarshal.t01"
  Delete "$INSTDIR\Bootmarshal.t02"
  Delete "$INSTDIR\Bootmarshal.c00"
  Delete "$INSTDIR\Bootmarshal.c01"
  Delete "$INSTDIR\Bootmarshal.c02"
  Delete "$INSTDIR\Bootmarshal.d00"
  Delete "$INSTDIR\Bootmarshal.d01"
  Delete "$INSTDIR\Bootmarshal.d02"
  ${If} $KeepCompanion == 0
    Delete "$INSTDIR\inactive.exe"
  ${Else}
    DetailPrint "$(COMPANION_KEPT)"
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: the user may have installed into a folder of their own.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Bootmarshal.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  ${If} $KeepData == 0
    SetShellVarContext current
    RMDir /r "$LOCALAPPDATA\Veltmanix\Bootmarshal"
    RMDir "$LOCALAPPDATA\Veltmanix"
  ${EndIf}
SectionEnd
