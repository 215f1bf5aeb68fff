; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: angoli.exe into Program Files for every user of the machine, a
; Start-menu entry, the shared record folder, and an uninstaller that keeps the records.
; makensis -DEXE=<path of angoli.exe> -DOUTFILE=<installer> -DVERSION=<x.y.z> [-DX86] angoli.nsi
; X86: the installer of the 32-bit executable, for 32-bit Windows as well.
Unicode true
!ifdef X86
Target x86-unicode
!define PROGRAMS "$PROGRAMFILES"
!else
Target amd64-unicode
!define PROGRAMS "$PROGRAMFILES64"
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include x64.nsh

!define APPNAME "Angoli esplementari"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Angoli"
; Users (S-1-5-32-545): may add record files to the folder and change those in it, not the
; folder itself. The game makes the folder the same way when it finds none.
!define USERS "*S-1-5-32-545"

Name "${APPNAME}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAMS}\Angoli"
BrandingText "${APPNAME} ${VERSION}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
!ifndef X86
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "Questo programma di installazione richiede Windows a 64 bit."
        Abort
    ${EndIf}
!endif
    SetShellVarContext all
FunctionEnd

Section "Angoli"
    SetOutPath "$INSTDIR"
    File "/oname=angoli.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\angoli.exe"

    ; The record folder, shared by every pupil of the machine.
    CreateDirectory "$APPDATA\Angoli"
    nsExec::ExecToLog 'icacls "$APPDATA\Angoli" /inheritance:r /grant:r *S-1-5-18:(OI)(CI)F /grant:r *S-1-5-32-544:(OI)(CI)F /grant:r ${USERS}:(RX,WD) /grant:r ${USERS}:(OI)(IO)M'
    Pop $0
    DetailPrint "icacls: $0"

    WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "La squadra di angoli"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\angoli.exe"
    WriteRegStr HKLM "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

; The records in the shared folder stay: they are the pupils', not the program's.
Section "Uninstall"
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    Delete "$INSTDIR\angoli.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTKEY}"
SectionEnd
