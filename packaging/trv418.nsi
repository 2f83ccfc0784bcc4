; The TRV418 setup program, made by the build's "packages" target:
;   makensis -DVERSION=x.y.z -DVERSION_QUAD=x.y.z.0 -DPAYLOAD=<folder> -DICON=<.ico>
;            -DSKINS_NSH=<file> -DOUTFILE=<setup.exe> trv418.nsi
; PAYLOAD holds the files of a new installation (the portable zip's content);
; SKINS_NSH names its skin folders (macros TRV_REMOVE_SKINS, TRV_INSTALL_SKINS).
;
; Per machine into the 64-bit Program Files; a log-on task instead of a Run
; key, because only a task may start a program that needs administrator
; rights without asking at every log-on.
;
; Options for administrators: /S (silent), /NOAUTOSTART (no log-on task),
; /D=<folder> (last, unquoted).

Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
SetCompressor /SOLID /FINAL lzma
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include "${SKINS_NSH}"

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TRV418"
!define TASK_NAME "TRV418"
; The program's main window and its Exit command.
!define WINDOW_CLASS "Trv418GmClass"
!define ID_TRAY_EXIT 1028
; The task waits this long after log-on, so that the shell's notification area
; is there when the program adds its icon.
!define LOGON_DELAY "PT5S"
!define LOGON_DELAY_WORDS "5 seconds"

Name "TRV418 ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\TRV418"
InstallDirRegKey HKLM "${UNINST_KEY}" "InstallLocation"
BrandingText "TRV418 ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

Var Upgrade            ; 1: an installation is there already
Var StartAtLogonBefore ; its log-on choice, "" when unknown

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\TRV418.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start TRV418 now"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "TRV418"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "TRV418 ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "MIT License"

; Ends a running TRV418 the way its own Exit does, and waits until the process
; is gone: Windows keeps a running program's files locked.
!macro STOP_RUNNING_PROGRAM un
Function ${un}StopRunningProgram
    StrCpy $R3 0
    ${Do}
        FindWindow $R0 "${WINDOW_CLASS}"
        ${If} $R0 == 0
            Return
        ${EndIf}
        ${If} $R3 >= 3
            MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                "TRV418 is still running and does not end.$\r$\nEnd it from its notification icon, then choose Retry." \
                /SD IDCANCEL IDRETRY +3
            SetErrorLevel 5
            Quit
            StrCpy $R3 0
        ${EndIf}
        DetailPrint "Ending the running TRV418"
        System::Call 'user32::GetWindowThreadProcessId(p R0, *i 0 R1)'
        System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i R1) p .R2'
        System::Call 'user32::PostMessageW(p R0, i 0x0111, p ${ID_TRAY_EXIT}, p 0)'
        ${If} $R2 P<> 0
            System::Call 'kernel32::WaitForSingleObject(p R2, i 10000) i .R4'
            System::Call 'kernel32::CloseHandle(p R2)'
        ${Else}
            Sleep 2000
        ${EndIf}
        IntOp $R3 $R3 + 1
    ${Loop}
FunctionEnd
!macroend
!insertmacro STOP_RUNNING_PROGRAM ""
!insertmacro STOP_RUNNING_PROGRAM "un."

!macro REQUIRE_ADMIN
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_ICONSTOP "TRV418 is installed for all users of this computer: please run this program as an administrator." /SD IDOK
        SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
        Quit
    ${EndIf}
!macroend

; $0: text for an XML element, escaped in place.
Function XmlEscape
    ${WordReplace} $0 "&" "&amp;" "+" $0
    ${WordReplace} $0 "<" "&lt;" "+" $0
    ${WordReplace} $0 ">" "&gt;" "+" $0
FunctionEnd

Function SkipOnUpgrade
    ${If} $Upgrade == 1
        Abort
    ${EndIf}
FunctionEnd

Section "TRV418" SecProgram
    SectionIn RO
    Call StopRunningProgram

    SetOutPath "$INSTDIR"
    File "${PAYLOAD}\TRV418.exe"
    File "${PAYLOAD}\trv418ctl.exe"
    File "${PAYLOAD}\TRV418-Guide.html"
    File "${PAYLOAD}\LICENSE.txt"
    ; They hold the user's choices: an upgrade keeps them.
    SetOverwrite off
    File "${PAYLOAD}\config.bin"
    File "${PAYLOAD}\str.ini"
    SetOverwrite on
    ; Our skins are replaced whole; a skin of the user's own stays.
    !insertmacro TRV_REMOVE_SKINS
    !insertmacro TRV_INSTALL_SKINS

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    SetShellVarContext all
    CreateShortcut "$SMPROGRAMS\TRV418.lnk" "$INSTDIR\TRV418.exe" "" "$INSTDIR\TRV418.exe" 0

    WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "TRV418"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\TRV418.exe,0"
    WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start TRV418 when I log on" SecLogon
    ; The installing user, at log-on, with the highest rights that user has,
    ; so that the program's request for administrator rights asks nothing.
    ReadEnvStr $0 USERNAME
    ReadEnvStr $1 USERDOMAIN
    ${If} $1 != ""
        StrCpy $0 "$1\$0"
    ${EndIf}
    Call XmlEscape
    StrCpy $5 $0
    StrCpy $0 $INSTDIR
    Call XmlEscape
    StrCpy $6 $0

    InitPluginsDir
    FileOpen $2 "$PLUGINSDIR\logon-task.xml" w
    FileWriteUTF16LE /BOM $2 '<?xml version="1.0" encoding="UTF-16"?>$\r$\n'
    FileWriteUTF16LE $2 '<Task version="1.2" xmlns="http://schemas.microsoft.com/windows/2004/02/mit/task">$\r$\n'
    FileWriteUTF16LE $2 '  <RegistrationInfo>$\r$\n'
    FileWriteUTF16LE $2 '    <Description>Starts TRV418 ${LOGON_DELAY_WORDS} after $5 logs on.</Description>$\r$\n'
    FileWriteUTF16LE $2 '  </RegistrationInfo>$\r$\n'
    FileWriteUTF16LE $2 '  <Triggers>$\r$\n'
    FileWriteUTF16LE $2 '    <LogonTrigger>$\r$\n'
    FileWriteUTF16LE $2 '      <Enabled>true</Enabled>$\r$\n'
    FileWriteUTF16LE $2 '      <UserId>$5</UserId>$\r$\n'
    FileWriteUTF16LE $2 '      <Delay>${LOGON_DELAY}</Delay>$\r$\n'
    FileWriteUTF16LE $2 '    </LogonTrigger>$\r$\n'
    FileWriteUTF16LE $2 '  </Triggers>$\r$\n'
    FileWriteUTF16LE $2 '  <Principals>$\r$\n'
    FileWriteUTF16LE $2 '    <Principal id="Author">$\r$\n'
    FileWriteUTF16LE $2 '      <UserId>$5</UserId>$\r$\n'
    FileWriteUTF16LE $2 '      <LogonType>InteractiveToken</LogonType>$\r$\n'
    FileWriteUTF16LE $2 '      <RunLevel>HighestAvailable</RunLevel>$\r$\n'
    FileWriteUTF16LE $2 '    </Principal>$\r$\n'
    FileWriteUTF16LE $2 '  </Principals>$\r$\n'
    ; The defaults would keep a laptop on battery from starting it, end it
    ; after three days and run it at a low priority.
    FileWriteUTF16LE $2 '  <Settings>$\r$\n'
    FileWriteUTF16LE $2 '    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>$\r$\n'
    FileWriteUTF16LE $2 '    <DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>$\r$\n'
    FileWriteUTF16LE $2 '    <StopIfGoingOnBatteries>false</StopIfGoingOnBatteries>$\r$\n'
    FileWriteUTF16LE $2 '    <AllowStartOnDemand>true</AllowStartOnDemand>$\r$\n'
    FileWriteUTF16LE $2 '    <Enabled>true</Enabled>$\r$\n'
    FileWriteUTF16LE $2 '    <ExecutionTimeLimit>PT0S</ExecutionTimeLimit>$\r$\n'
    FileWriteUTF16LE $2 '    <Priority>4</Priority>$\r$\n'
    FileWriteUTF16LE $2 '  </Settings>$\r$\n'
    FileWriteUTF16LE $2 '  <Actions Context="Author">$\r$\n'
    FileWriteUTF16LE $2 '    <Exec>$\r$\n'
    ; Quoted, as the Task Scheduler's own editor writes a path with spaces:
    ; unquoted, the program is looked for as "C:\Program". The working folder
    ; is never quoted.
    FileWriteUTF16LE $2 '      <Command>"$6\TRV418.exe"</Command>$\r$\n'
    FileWriteUTF16LE $2 '      <WorkingDirectory>$6</WorkingDirectory>$\r$\n'
    FileWriteUTF16LE $2 '    </Exec>$\r$\n'
    FileWriteUTF16LE $2 '  </Actions>$\r$\n'
    FileWriteUTF16LE $2 '</Task>$\r$\n'
    FileClose $2

    nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /create /tn "${TASK_NAME}" /xml "$PLUGINSDIR\logon-task.xml" /f'
    Pop $0
    ${If} $0 != 0
        DetailPrint "schtasks ended with $0"
        MessageBox MB_ICONEXCLAMATION "TRV418 is installed, but it could not be set to start when you log on (schtasks: $0)." /SD IDOK
    ${EndIf}
    Delete "$PLUGINSDIR\logon-task.xml"
SectionEnd

Section "-Log-on choice"
    ${If} ${SectionIsSelected} ${SecLogon}
        WriteRegDWORD HKLM "${UNINST_KEY}" "StartAtLogon" 1
    ${Else}
        ; A task left from an earlier installation would go on starting it.
        nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /delete /tn "${TASK_NAME}" /f'
        Pop $0
        WriteRegDWORD HKLM "${UNINST_KEY}" "StartAtLogon" 0
    ${EndIf}
SectionEnd

Function .onInit
    !insertmacro REQUIRE_ADMIN
    SetRegView 64
    StrCpy $Upgrade 0
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} ${FileExists} "$0\TRV418.exe"
        StrCpy $Upgrade 1
    ${EndIf}
    ; An upgrade keeps the log-on choice made before.
    ClearErrors
    ReadRegDWORD $StartAtLogonBefore HKLM "${UNINST_KEY}" "StartAtLogon"
    ${If} ${Errors}
        StrCpy $StartAtLogonBefore ""
    ${EndIf}
    ${If} $StartAtLogonBefore == "0"
        !insertmacro UnselectSection ${SecLogon}
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NOAUTOSTART" $1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecLogon}
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro REQUIRE_ADMIN
    SetRegView 64
FunctionEnd

Section "Uninstall"
    StrCpy $9 "keep"
    MessageBox MB_YESNO|MB_ICONQUESTION \
        "Keep your TRV418 settings (config.bin, str.ini and your profiles) for a later installation?" \
        /SD IDYES IDYES +2
    StrCpy $9 "remove"
    Call un.StopRunningProgram

    nsExec::ExecToLog '"$SYSDIR\schtasks.exe" /delete /tn "${TASK_NAME}" /f'
    Pop $0
    SetShellVarContext all
    Delete "$SMPROGRAMS\TRV418.lnk"

    Delete "$INSTDIR\TRV418.exe"
    Delete "$INSTDIR\trv418ctl.exe"
    Delete "$INSTDIR\TRV418-Guide.html"
    Delete "$INSTDIR\LICENSE.txt"
    !insertmacro TRV_REMOVE_SKINS
    RMDir "$INSTDIR\Skins"
    ${If} $9 == "remove"
        Delete "$INSTDIR\config.bin"
        Delete "$INSTDIR\str.ini"
        ; The profiles are the user's settings too, saved from the program.
        RMDir /r "$INSTDIR\Profiles"
    ${EndIf}
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINST_KEY}"
SectionEnd
