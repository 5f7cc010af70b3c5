; Korvalin setup: installs the program folder for the current user (no
; administrator rights needed) or, when started elevated, for all users in
; the program files folder; a Start-menu entry, an optional desktop shortcut
; and an uninstaller registered with Windows.
;
; Built by tools/build-installer.sh, which defines:
;   OUTFILE  the setup program to write
;   FILES    a generated include with the macros KorvalinInstallFiles and
;            KorvalinUninstallFiles (one File or Delete line per file of the
;            install tree)
;   ICON     the program icon
;
; Command line (besides /S for a silent run and /D=folder, which must come
; last): /CURRENTUSER installs for the current user even when elevated,
; /ALLUSERS for all users (needs an elevated start), /DESKTOP adds the
; desktop shortcut without asking.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "nsDialogs.nsh"
!include "${FILES}"

!define VERSION "1.2.1.0"
!define PUBLISHER "Korvalin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvalin"
!define UNINSTALLER "Deinstallieren.exe"
; The program holds this mutex while it runs.
!define RUNNING_MUTEX "Korvalin V1.21"

Name "Korvalin ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Korvalin ${VERSION}"

Var AllUsers        ; 1: program files folder, HKLM and the common Start menu
Var DesktopS        ; 1: create the desktop shortcut
Var DesktopBox

; ---- pages ----

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_ABORTWARNING_TEXT "Möchten Sie die Installation von Korvalin wirklich abbrechen?"
!define MUI_WELCOMEPAGE_TEXT "Dieser Assistent installiert Korvalin ${VERSION}, den Braille-Editor für die PC-Tastatur.$\r$\n$\r$\nEinstellungen und eigene Tabellen einer früheren Installation bleiben erhalten. Falls Korvalin läuft, beenden Sie es bitte vorher.$\r$\n$\r$\nKlicken Sie auf Weiter, um fortzufahren."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom ShortcutPage ShortcutPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Korvalin jetzt starten"
!define MUI_FINISHPAGE_RUN_FUNCTION StartKorvalin
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Korvalin-Hilfe.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Hilfe anzeigen"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Korvalin"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Korvalin ${VERSION} - Installation"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "Copyright (C) 2026 die Korvalin-Entwickler"

; ---- shared ----

!macro IsAdmin result
    System::Call "shell32::IsUserAnAdmin() i .s"
    Pop ${result}
!macroend

; Waits until Korvalin has ended, or aborts the run: its files cannot be
; replaced or removed while it runs.
!macro WaitUntilNotRunning prefix action
Function ${prefix}WaitUntilNotRunning
    check:
        System::Call "kernel32::OpenMutexW(i 0x00100000, i 0, w '${RUNNING_MUTEX}') i .r0"
        IntCmp $0 0 done
        System::Call "kernel32::CloseHandle(i r0)"
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Korvalin läuft noch. Bitte beenden Sie Korvalin und wählen Sie dann Wiederholen.$\r$\nMit Abbrechen wird die ${action} beendet." /SD IDCANCEL IDRETRY check
        Abort
    done:
FunctionEnd
!macroend
!insertmacro WaitUntilNotRunning "" "Installation"
!insertmacro WaitUntilNotRunning "un." "Deinstallation"

; ---- setup ----

Function .onInit
    ${GetParameters} $R0
    !insertmacro IsAdmin $R1
    ${If} $R1 <> 0
        StrCpy $AllUsers 1
    ${Else}
        StrCpy $AllUsers 0
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/CURRENTUSER" $R2
    ${IfNot} ${Errors}
        StrCpy $AllUsers 0
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/ALLUSERS" $R2
    ${IfNot} ${Errors}
        ${If} $R1 = 0
            MessageBox MB_OK|MB_ICONSTOP "Für eine Installation für alle Benutzer starten Sie die Installation bitte als Administrator." /SD IDOK
            SetErrorLevel 740
            Quit
        ${EndIf}
        StrCpy $AllUsers 1
    ${EndIf}

    ${If} $AllUsers = 1
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}

    StrCpy $DesktopS 0
    ${If} ${FileExists} "$DESKTOP\Korvalin.lnk"
        StrCpy $DesktopS 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $R0 "/DESKTOP" $R2
    ${IfNot} ${Errors}
        StrCpy $DesktopS 1
    ${EndIf}

    ; /D= sets the folder before this function runs. Otherwise an earlier
    ; installation of the same kind is updated in its place.
    ${If} $INSTDIR == ""
        ReadRegStr $R2 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
        ${If} $R2 != ""
            StrCpy $INSTDIR $R2
        ${ElseIf} $AllUsers = 1
            StrCpy $INSTDIR "$PROGRAMFILES\Korvalin"
        ${Else}
            StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Korvalin"
        ${EndIf}
    ${EndIf}
FunctionEnd

Function ShortcutPage
    !insertmacro MUI_HEADER_TEXT "Verknüpfungen" "Korvalin erhält einen Eintrag im Startmenü."
    nsDialogs::Create 1018
    Pop $0
    ${If} $0 == error
        Abort
    ${EndIf}
    ${NSD_CreateLabel} 0 0 100% 24u "Korvalin wird im Startmenü eingetragen. Zusätzlich kann eine Verknüpfung auf dem Desktop angelegt werden."
    Pop $0
    ${NSD_CreateCheckbox} 0 30u 100% 12u "Verknüpfung auf dem &Desktop anlegen"
    Pop $DesktopBox
    ${If} $DesktopS = 1
        ${NSD_Check} $DesktopBox
    ${EndIf}
    ${NSD_SetFocus} $DesktopBox
    nsDialogs::Show
FunctionEnd

Function ShortcutPageLeave
    ${NSD_GetState} $DesktopBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $DesktopS 1
    ${Else}
        StrCpy $DesktopS 0
    ${EndIf}
FunctionEnd

; Starts the program as the signed-in user, not with the rights of an
; elevated setup.
Function StartKorvalin
    ${If} $AllUsers = 1
        Exec '"$WINDIR\explorer.exe" "$INSTDIR\Korvalin.exe"'
    ${Else}
        Exec '"$INSTDIR\Korvalin.exe"'
    ${EndIf}
FunctionEnd

Section "Korvalin" SecProgram
    SectionIn RO
    Call WaitUntilNotRunning

    ; Over an earlier installation: files are replaced one by one, so that
    ; tables the user added to Tabellen\ stay. The settings live in the
    ; application-data folder and are not touched.
    !insertmacro KorvalinInstallFiles
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Korvalin.lnk" "$INSTDIR\Korvalin.exe" "" "$INSTDIR\Korvalin.exe" 0 \
        SW_SHOWNORMAL "" "Braille-Editor"
    ${If} $DesktopS = 1
        CreateShortcut "$DESKTOP\Korvalin.lnk" "$INSTDIR\Korvalin.exe" "" "$INSTDIR\Korvalin.exe" 0 \
            SW_SHOWNORMAL "" "Braille-Editor"
    ${EndIf}

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Korvalin"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Korvalin.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; ---- uninstall ----

Function un.onInit
    ; An installation for all users is registered under HKLM with this folder.
    StrCpy $AllUsers 0
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != $INSTDIR
    ${AndIf} $1 == $INSTDIR
        StrCpy $AllUsers 1
    ${EndIf}
    ${If} $AllUsers = 1
        !insertmacro IsAdmin $2
        ${If} $2 = 0
            ; Ask for the rights once; the elevated copy does the work.
            ${If} ${Silent}
                StrCpy $3 "/S _?=$INSTDIR"
            ${Else}
                StrCpy $3 "_?=$INSTDIR"
            ${EndIf}
            ClearErrors
            ExecShell "runas" "$EXEPATH" $3
            ${If} ${Errors}
                MessageBox MB_OK|MB_ICONSTOP "Korvalin wurde für alle Benutzer installiert. Zum Entfernen sind Administratorrechte nötig." /SD IDOK
                SetErrorLevel 740
            ${EndIf}
            Quit
        ${EndIf}
        SetShellVarContext all
    ${Else}
        SetShellVarContext current
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.WaitUntilNotRunning

    ; The settings belong to the signed-in user; they go only when the user
    ; says so (a silent run keeps them).
    StrCpy $R0 0
    SetShellVarContext current
    ${If} ${FileExists} "$APPDATA\Korvalin\*.*"
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Sollen auch Ihre Einstellungen gelöscht werden?$\r$\n„$APPDATA\Korvalin“" /SD IDNO IDNO keepSettings
        StrCpy $R0 1
      keepSettings:
    ${EndIf}
    ${If} $R0 = 1
        RMDir /r "$APPDATA\Korvalin"
    ${EndIf}
    DeleteRegKey /ifempty HKCU "Korvalin"
    ${If} $AllUsers = 1
        SetShellVarContext all
    ${EndIf}

    ; Only what the setup installed: files the user added (own tables in
    ; Tabellen\, documents) stay, and with them their folders.
    !insertmacro KorvalinUninstallFiles
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Korvalin.lnk"
    Delete "$DESKTOP\Korvalin.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    ${If} ${FileExists} "$INSTDIR\*.*"
        MessageBox MB_OK|MB_ICONINFORMATION "Der Ordner „$INSTDIR“ bleibt erhalten, weil er Dateien enthält, die nicht mit Korvalin installiert wurden (zum Beispiel eigene Tabellen)." /SD IDOK
    ${EndIf}
SectionEnd
