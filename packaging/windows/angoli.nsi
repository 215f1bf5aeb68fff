; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: angoli.exe into Program Files for every user of the machine, a
; Start-menu entry, the shared record folder, and an uninstaller that keeps the records.
; makensis -DEXE=<path of angoli.exe> -DHELPER=<path of recordfolder.exe> -DOUTFILE=<installer>
;          -DVERSION=<x.y.z> [-DX86] angoli.nsi
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
!define FOLDERFAILED "La cartella dei record $APPDATA\Angoli non ha i permessi che servono: \
l'installazione si ferma. Il motivo è nei dettagli dell'installazione."

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
    ; The record folder, shared by every pupil of the machine, first: an installer that cannot
    ; give it its permissions leaves nothing behind. recordfolder.exe gives them as the game
    ; does when it makes the folder itself; it stays beside the game, as the MSI leaves it, for
    ; an administrator to run again.
    SetOutPath "$INSTDIR"
    File "/oname=recordfolder.exe" "${HELPER}"
    nsExec::ExecToLog '"$INSTDIR\recordfolder.exe"'
    Pop $0
    ${If} $0 != "0"
        Delete "$INSTDIR\recordfolder.exe"
        RMDir "$INSTDIR"
        MessageBox MB_ICONSTOP "${FOLDERFAILED} (recordfolder: $0)" /SD IDOK
        Abort "${FOLDERFAILED}"
    ${EndIf}

    File "/oname=angoli.exe" "${EXE}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\angoli.exe"

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
    Delete "$INSTDIR\recordfolder.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTKEY}"
SectionEnd
