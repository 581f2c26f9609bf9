; The per-user installer of the Windows program: no administrator rights, Japanese pages on a
; Japanese Windows and English elsewhere. makensis -INPUTCHARSET UTF8 with -DVERSION, -DPROGRAM
; (the .exe), -DREADME, -DICON and -DOUTFILE (see scripts/package).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlewhistmoore"

Name "Brindlewhistmoore"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Brindlewhistmoore"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Brindlewhistmoore ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Brindlewhistmoore.exe"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
; The first is the language when the system's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString ShortcutName ${LANG_ENGLISH} "Brindlewhistmoore Power Reservations"
LangString ShortcutName ${LANG_JAPANESE} "Brindlewhistmoore 電源予約"
LangString StartAtLogon ${LANG_ENGLISH} "Start at logon"
LangString StartAtLogon ${LANG_JAPANESE} "ログオン時に起動する"
LangString RemoveMyFiles ${LANG_ENGLISH} "Also remove my reservations and settings"
LangString RemoveMyFiles ${LANG_JAPANESE} "予約と設定も削除する"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Brindlewhistmoore"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Brindlewhistmoore"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Brindlewhistmoore setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Brindlewhistmoore"

Var WasRunning

; Ends a running copy as its close box does, and waits up to ten seconds for its window to go.
!macro CloseRunningCopy
    FindWindow $0 "TForm1" "Brindlewhistmoore"
    ${If} $0 <> 0
        StrCpy $WasRunning 1
        SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        StrCpy $1 0
        ${Do}
            Sleep 200
            FindWindow $0 "TForm1" "Brindlewhistmoore"
            IntOp $1 $1 + 1
        ${LoopUntil} $0 = 0
        ${OrIf} $1 >= 50
    ${EndIf}
!macroend

; Deletes the program file, trying again for up to ten seconds: the window of a copy that was
; ended goes before its process lets go of the file.
!macro DeleteProgramFile
    StrCpy $1 0
    ${Do}
        Delete "$INSTDIR\Brindlewhistmoore.exe"
        ${IfNot} ${FileExists} "$INSTDIR\Brindlewhistmoore.exe"
            ${ExitDo}
        ${EndIf}
        Sleep 200
        IntOp $1 $1 + 1
    ${LoopUntil} $1 >= 50
!macroend

Section "!Brindlewhistmoore" SectionProgram
    SectionIn RO
    StrCpy $WasRunning 0
    !insertmacro CloseRunningCopy
    !insertmacro DeleteProgramFile
    ; The working folder of the shortcuts below: the reservations and the settings live here.
    SetOutPath "$INSTDIR"
    File "/oname=Brindlewhistmoore.exe" "${PROGRAM}"
    File "/oname=README.txt" "${README}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\$(ShortcutName).lnk" "$INSTDIR\Brindlewhistmoore.exe" "" \
        "$INSTDIR\Brindlewhistmoore.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Brindlewhistmoore"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Brindlewhistmoore.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Brindlewhistmoore"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The same shortcut as the settings dialog's ログオン時に起動する makes.
Section "$(StartAtLogon)" SectionStartAtLogon
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMSTARTUP\Brindlewhistmoore.lnk" "$INSTDIR\Brindlewhistmoore.exe" "" \
        "$INSTDIR\Brindlewhistmoore.exe" 0
SectionEnd

; A copy that ran before the installation runs again, so that no booking is left unwatched.
Function .onInstSuccess
    ${If} $WasRunning = 1
        SetOutPath "$INSTDIR"
        Exec '"$INSTDIR\Brindlewhistmoore.exe"'
    ${EndIf}
FunctionEnd

Section "un.Brindlewhistmoore" SectionUninstallProgram
    SectionIn RO
    !insertmacro CloseRunningCopy
    !insertmacro DeleteProgramFile
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\Brindlewhistmoore 電源予約.lnk"
    Delete "$SMPROGRAMS\Brindlewhistmoore Power Reservations.lnk"
    Delete "$SMSTARTUP\Brindlewhistmoore.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    RMDir "$INSTDIR"
SectionEnd

Section /o "un.$(RemoveMyFiles)" SectionUninstallMyFiles
    Delete "$INSTDIR\SetTimeData.txt"
    Delete "$INSTDIR\Brindlewhistmoore.ini"
    RMDir "$INSTDIR"
SectionEnd
