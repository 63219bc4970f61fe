; The per-user installer: no administrator rights, the program in %LOCALAPPDATA%\Programs\Marqueemaster, a
; Start-menu entry, an "Apps & features" entry, the .ras association as a choice. The association and its
; removal go through marqueemaster-cli, so the Options window's Restore and Remove know what was done.
; Built by scripts/windows/check.sh: makensis -DVERSION=… -DSTAGE=… -DICON=… -DFILES=… -DOUTFILE=…
Target amd64-unicode  ; the program is 64-bit, and so is the Wine CI runs it under
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Marqueemaster"

Name "Marqueemaster ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Marqueemaster"
SetCompressor /SOLID lzma
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Marqueemaster"
VIAddVersionKey "FileDescription" "Marqueemaster ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "GNU GPL, version 3 or later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\marqueemaster.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Marqueemaster"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/COPYING.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Marqueemaster" SectionProgram
    SectionIn RO
    SetShellVarContext current
    !include "${FILES}/install-files.nsh"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Marqueemaster.lnk" "$INSTDIR\marqueemaster.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Marqueemaster"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\marqueemaster.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://github.com/marqueemaster/marqueemaster"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Open .ras files" SectionAssociate
    nsExec::ExecToLog '"$INSTDIR\marqueemaster-cli.exe" associate'
    Pop $0
    ${If} $0 != 0
        DetailPrint "The .ras association could not be made (Options > Registry Options can make it)."
    ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "The program, its command-line tool and the default leet table."
    !insertmacro MUI_DESCRIPTION_TEXT ${SectionAssociate} "Double-clicked .ras animations open in Marqueemaster. Options > Registry Options gives them back to the program they opened in before."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
    SetShellVarContext current
    ; Settings, associations (another program's given back) and the program's folders, as Options' command does.
    nsExec::ExecToLog '"$INSTDIR\marqueemaster-cli.exe" remove-settings'
    Pop $0
    ${If} $0 != 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "Marqueemaster is still running. Close it, then uninstall again." /SD IDOK
        Abort
    ${EndIf}
    Delete "$SMPROGRAMS\Marqueemaster.lnk"
    ; Only the files installed: the folder may hold a player's own files, which stay with it.
    !include "${FILES}/uninstall-files.nsh"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
