; The per-user installer of the Windows program: no administrator rights, Japanese pages on a
; Japanese Windows and English elsewhere. makensis -INPUTCHARSET UTF8 with -DVERSION, -DPROGRAM
; (the .exe), -DCONSOLE (the .com), -DHELPER (the PATH helper), -DREADME, -DICON and -DOUTFILE
; (see packaging/windows/CMakeLists.txt). The install folder goes on the user's PATH, so that cmd
; and PowerShell find the console program.
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
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartFromFinishPage
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
LangString RemoveMyFiles ${LANG_ENGLISH} "Also remove my reservations, settings and history"
LangString RemoveMyFiles ${LANG_JAPANESE} "予約・設定・履歴も削除する"
LangString PathTooLong ${LANG_ENGLISH} "Your PATH is too long to take the install folder; it was left as it was. Run Brindlewhistmoore.com from the install folder."
LangString PathTooLong ${LANG_JAPANESE} "環境変数 PATH が長すぎるため、インストール先を加えずにそのままにしました。Brindlewhistmoore.com はインストール先のフォルダーから実行してください。"
LangString MachineCopy ${LANG_ENGLISH} "Brindlewhistmoore is also installed for all users of this computer. Both copies would start at logon and keep bookings of their own; commands use this copy's folder. Consider using only one of them."
LangString MachineCopy ${LANG_JAPANESE} "このコンピューターには、すべてのユーザー向けの Brindlewhistmoore もインストールされています。両方がログオン時に起動し、それぞれの予約を持ちます（コマンドはこのコピーのフォルダーを使います）。どちらか一方だけを使うことをお勧めします。"
LangString PathNotChanged ${LANG_ENGLISH} "Your PATH could not be changed."
LangString PathNotChanged ${LANG_JAPANESE} "環境変数 PATH を変更できませんでした。"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Brindlewhistmoore"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Brindlewhistmoore"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Brindlewhistmoore setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Brindlewhistmoore"

Var WasRunning
Var Started

; The program file of the process behind a window, or "" when it cannot be read.
!macro ProgramOfWindow WINDOW RESULT
    StrCpy ${RESULT} ""
    System::Call 'user32::GetWindowThreadProcessId(p ${WINDOW}, *i .r8)'
    ; PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r8) p .r9'
    ${If} $9 P<> 0
        System::Call 'kernel32::QueryFullProcessImageNameW(p r9, i 0, w .r7, *i ${NSIS_MAX_STRLEN})'
        StrCpy ${RESULT} $7
        System::Call 'kernel32::CloseHandle(p r9)'
    ${EndIf}
!macroend

; The program a shortcut starts, or "" when it cannot be read (IShellLinkW through IPersistFile).
!macro ShortcutTarget LINK RESULT
    StrCpy ${RESULT} ""
    System::Call 'ole32::CoInitialize(p 0)'
    System::Call 'ole32::CoCreateInstance(g "{00021401-0000-0000-C000-000000000046}", p 0, i 1,         g "{000214F9-0000-0000-C000-000000000046}", *p .r8) i .r9'
    ${If} $9 = 0
        System::Call '$8->0(g "{0000010b-0000-0000-C000-000000000046}", *p .r7) i .r9'
        ${If} $9 = 0
            System::Call '$7->5(w "${LINK}", i 0) i .r9'
            ${If} $9 = 0
                System::Call '$8->3(w .r6, i ${NSIS_MAX_STRLEN}, p 0, i 0) i .r9'
                ${If} $9 = 0
                    StrCpy ${RESULT} $6
                ${EndIf}
            ${EndIf}
            System::Call '$7->2()'
        ${EndIf}
        System::Call '$8->2()'
    ${EndIf}
!macroend

; Ends the copy that runs from this folder, as its close box does, and waits up to ten seconds
; for its window to go. A copy of another folder is left alone.
!macro CloseRunningCopy
    StrCpy $0 0
    ${Do}
        FindWindow $0 "TForm1" "Brindlewhistmoore" "" $0
        ${If} $0 = 0
            ${ExitDo}
        ${EndIf}
        !insertmacro ProgramOfWindow $0 $R1
        ${If} $R1 == "$INSTDIR\Brindlewhistmoore.exe"
            StrCpy $WasRunning 1
            SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
            StrCpy $1 0
            ${Do}
                Sleep 200
                IntOp $1 $1 + 1
                System::Call 'user32::IsWindow(p r0) i .r2'
            ${LoopUntil} $2 = 0
            ${OrIf} $1 >= 50
            ${ExitDo}
        ${EndIf}
    ${Loop}
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

; The install folder added to the user's PATH (HKCU\Environment), or taken off, by the helper
; (-DHELPER), which edits the value through the registry's calls: an NSIS string would cut a
; long PATH to 1,024 characters. A PATH that would grow too long is left alone and said.
!macro SetUserPath VERB
    File "/oname=$PLUGINSDIR\setuphelper.exe" "${HELPER}"
    ExecWait '"$PLUGINSDIR\setuphelper.exe" ${VERB} "$INSTDIR"' $0
    ${If} $0 = 2
        DetailPrint "$(PathTooLong)"
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(PathTooLong)" /SD IDOK
    ${ElseIf} $0 <> 0
        DetailPrint "$(PathNotChanged)"
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(PathNotChanged)" /SD IDOK
    ${EndIf}
    Delete "$PLUGINSDIR\setuphelper.exe"
!macroend

Section "!Brindlewhistmoore" SectionProgram
    SectionIn RO
    StrCpy $WasRunning 0
    !insertmacro CloseRunningCopy
    !insertmacro DeleteProgramFile
    ; The working folder of the shortcuts below: the reservations and the settings live here.
    SetOutPath "$INSTDIR"
    File "/oname=Brindlewhistmoore.exe" "${PROGRAM}"
    File "/oname=Brindlewhistmoore.com" "${CONSOLE}"
    File "/oname=README.txt" "${README}"
    InitPluginsDir
    !insertmacro SetUserPath add
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

; An upgrade keeps the user's choice: the Startup shortcut is made again only when this copy's
; is there.
Function .onInit
    ; The per-machine package's own key: said once, before anything is installed.
    SetRegView 64
    ReadRegDWORD $1 HKLM "Software\Brindlewhistmoore\Installed" "MenuEntry"
    SetRegView 32
    ${If} $1 = 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(MachineCopy)" /SD IDOK
    ${EndIf}
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        !insertmacro ShortcutTarget "$SMSTARTUP\Brindlewhistmoore.lnk" $R0
        ${If} $R0 != "$0\Brindlewhistmoore.exe"
            SectionSetFlags ${SectionStartAtLogon} 0
        ${EndIf}
    ${EndIf}
FunctionEnd

Function StartFromFinishPage
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\Brindlewhistmoore.exe"'
    StrCpy $Started 1
FunctionEnd

; A copy that ran before the installation runs again, so that no booking is left unwatched; once:
; the finish page may have started it already.
Function .onInstSuccess
    ${If} $WasRunning = 1
    ${AndIf} $Started != 1
        SetOutPath "$INSTDIR"
        Exec '"$INSTDIR\Brindlewhistmoore.exe"'
    ${EndIf}
FunctionEnd

Section "un.Brindlewhistmoore" SectionUninstallProgram
    SectionIn RO
    !insertmacro CloseRunningCopy
    !insertmacro DeleteProgramFile
    Delete "$INSTDIR\Brindlewhistmoore.com"
    InitPluginsDir
    !insertmacro SetUserPath remove
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\Brindlewhistmoore 電源予約.lnk"
    Delete "$SMPROGRAMS\Brindlewhistmoore Power Reservations.lnk"
    ; Only this copy's: a Startup shortcut of another copy stays.
    !insertmacro ShortcutTarget "$SMSTARTUP\Brindlewhistmoore.lnk" $R0
    ${If} $R0 == "$INSTDIR\Brindlewhistmoore.exe"
        Delete "$SMSTARTUP\Brindlewhistmoore.lnk"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    RMDir "$INSTDIR"
SectionEnd

Section /o "un.$(RemoveMyFiles)" SectionUninstallMyFiles
    Delete "$INSTDIR\SetTimeData.txt"
    Delete "$INSTDIR\Brindlewhistmoore.ini"
    Delete "$INSTDIR\Brindlewhistmoore-history.txt"
    RMDir "$INSTDIR"
SectionEnd
