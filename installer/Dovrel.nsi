; The setup program of Dovrel: a 64-bit installer for "Program Files\Dovrel" with a
; Start-menu shortcut, the context-menu extension registered by the program itself, and an
; uninstaller that leaves the user's data folder alone.
; Built by the CMake target "installer" (scripts/package), which passes
;   /DVERSION=x.y.z /DBINDIR=<folder of the built programs> /DOUTFILE=<setup program>

Unicode true
Target amd64-unicode
ManifestDPIAware true
; The program writes machine-wide registration keys and asks for the same rights.
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Dovrel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define APP_KEY "Software\Kestrane\${PRODUCT}"
!define EXTENSION_DLL "TOLV_CONTEXT_MENU.dll"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An upgrade goes where the installed version is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 the ${PRODUCT} developers"

!define MUI_ICON "${BINDIR}\res\Dovrel.ico"
!define MUI_UNICON "${BINDIR}\res\Dovrel.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Dovrel.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit edition of Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

; Items the program hid stay hidden from Explorer once it is gone: say so, and let the user
; stop to show them first, before anything is removed. A silent uninstall goes on.
Function un.onInit
    SetRegView 64
    SetShellVarContext current
    ReadINIStr $0 "$APPDATA\${PRODUCT}\base.dat" "Count" "Count"
    IntOp $0 $0 + 0
    ${If} $0 > 0
        MessageBox MB_OKCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} still hides $0 item(s) from Explorer.$\r$\n$\r$\nThey stay hidden after ${PRODUCT} is removed. To see them again, press Cancel, start ${PRODUCT} and use Show (or run dovrel-cli show --all), then uninstall.$\r$\n$\r$\nRemove ${PRODUCT} anyway?" \
            /SD IDOK IDOK proceed
        Abort
    proceed:
    ${EndIf}
FunctionEnd

; Explorer keeps a loaded extension open, so an upgrade cannot overwrite it: the old file
; is moved aside and removed at the next restart.
!macro InstallExtension
    ClearErrors
    File "${BINDIR}\${EXTENSION_DLL}"
    ${If} ${Errors}
        Delete "$INSTDIR\${EXTENSION_DLL}.old"
        Rename "$INSTDIR\${EXTENSION_DLL}" "$INSTDIR\${EXTENSION_DLL}.old"
        Delete /REBOOTOK "$INSTDIR\${EXTENSION_DLL}.old"
        File "${BINDIR}\${EXTENSION_DLL}"
    ${EndIf}
!macroend

Section "Dovrel" SecMain
    SectionIn RO
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${BINDIR}\Dovrel.exe"
    File "${BINDIR}\Dovrel.exe.map"
    File "${BINDIR}\dovrel-cli.exe"
    !insertmacro InstallExtension
    File "${BINDIR}\cryptos*.ini"
    File "${BINDIR}\shreds*.ini"
    File "${BINDIR}\*.lng"
    SetOutPath "$INSTDIR\res"
    File "${BINDIR}\res\*.jpg"
    File "${BINDIR}\res\Dovrel.ico"
    SetOutPath "$INSTDIR\Help"
    File "${BINDIR}\Help\Help.chm"
    SetOutPath "$INSTDIR"

    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Dovrel.exe" "" "$INSTDIR\res\Dovrel.ico"

    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The ${PRODUCT} developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\res\Dovrel.ico"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    ; The program registers its extension itself, as its options dialog does; a user who
    ; turned the integration off in an installed version keeps it off.
    SetShellVarContext current
    ReadINIStr $0 "$APPDATA\${PRODUCT}\options.ini" "Options" "IntegrateContextMenu"
    ${If} $0 == "0"
        ExecWait '"$INSTDIR\Dovrel.exe" /deactivate'
    ${Else}
        ExecWait '"$INSTDIR\Dovrel.exe" /activate'
    ${EndIf}
SectionEnd


Section "Uninstall"
    ExecWait '"$INSTDIR\Dovrel.exe" /deactivate'

    Delete "$INSTDIR\Dovrel.exe"
    Delete "$INSTDIR\Dovrel.exe.map"
    Delete "$INSTDIR\dovrel-cli.exe"
    Delete /REBOOTOK "$INSTDIR\${EXTENSION_DLL}"
    Delete /REBOOTOK "$INSTDIR\${EXTENSION_DLL}.old"
    Delete "$INSTDIR\cryptos*.ini"
    Delete "$INSTDIR\shreds*.ini"
    Delete "$INSTDIR\*.lng"
    RMDir /r "$INSTDIR\res"
    RMDir /r "$INSTDIR\Help"
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: files the user put there stay.
    RMDir "$INSTDIR"

    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; The program folder the extension looked up; the data folder (options, hidden items)
    ; stays for a later installation.
    DeleteRegKey HKCU "${APP_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Kestrane"
SectionEnd
