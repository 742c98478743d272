; The setup program of Moravel for 64-bit Windows (NSIS 3, Unicode). scripts/windows --installer
; makes it from the folder it assembles:
;   makensis -DVERSION=1.0.1.6 -DSOURCE=<folder> -DOUTFILE=<setup.exe> moravel.nsi
; It installs for the current user without administrator rights, and for all users when run as an
; administrator; the uninstaller takes away everything it installed.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define APP "もらべる"
!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Moravel"

Name "${APP}"
OutFile "${OUTFILE}"
RequestExecutionLevel highest
InstallDir "$LOCALAPPDATA\Programs\Moravel"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductName" "Moravel"
VIAddVersionKey /LANG=1041 "FileDescription" "${APP} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "The Moravel developers"
VIAddVersionKey /LANG=1041 "LegalCopyright" "The Moravel developers"

!define MUI_ICON "${SOURCE}\moravel.ico"
!define MUI_UNICON "${SOURCE}\moravel.ico"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\moravel.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Var AllUsers

Function .onInit
  StrCpy $AllUsers 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $AllUsers 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\Moravel"
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Moravel"
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ${If} $AllUsers == 1
    WriteRegStr HKLM "${KEY}" "DisplayName" "${APP}"
    WriteRegStr HKLM "${KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\moravel.exe"
    WriteRegStr HKLM "${KEY}" "Publisher" "The Moravel developers"
    WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${KEY}" "NoRepair" 1
  ${Else}
    WriteRegStr HKCU "${KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${KEY}" "DisplayIcon" "$INSTDIR\moravel.exe"
    WriteRegStr HKCU "${KEY}" "Publisher" "The Moravel developers"
    WriteRegStr HKCU "${KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${KEY}" "NoRepair" 1
  ${EndIf}
  ; The shortcut last: everything else is in place whatever the shell does with it.
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\moravel.exe" "" "$INSTDIR\moravel.exe" 0
SectionEnd

Function un.onInit
  ; The uninstaller of an installation for all users sits in the 64-bit Program Files.
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  RMDir /r "$INSTDIR"
  ${If} $AllUsers == 1
    DeleteRegKey HKLM "${KEY}"
  ${Else}
    DeleteRegKey HKCU "${KEY}"
  ${EndIf}
SectionEnd
