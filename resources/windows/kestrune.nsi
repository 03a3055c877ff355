; The Kestrune installer for Windows, built by scripts/package-windows with makensis:
;   makensis -DVERSION=x.y.z -DWIN64_DIR=... -DWIN32_DIR=... -DOUTFILE=... kestrune.nsi
; WIN64_DIR and WIN32_DIR hold the programs, Help.chm and README.txt of each architecture;
; the installer puts those of the running Windows into the user's own programs folder,
; without administrator rights, so that Kestrune.ini beside the program stays writable.
; LAME is not installed: the last page says where LAME.EXE goes.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Kestrune"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune"
; "Open with" for MP3 files, per user; the default program for MP3 stays as it is.
!define APPLICATION_KEY "Software\Classes\Applications\kestrune.exe"
!define OPEN_WITH_KEY "Software\Classes\.mp3\OpenWithList\kestrune.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kestrune"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка Kestrune"
VIAddVersionKey /LANG=1049 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PRODUCT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_TITLE "Kestrune установлен"
!define MUI_FINISHPAGE_TEXT "Kestrune сжимает файлы кодеком LAME, который не входит в установку.$\r$\n$\r$\nПоложите LAME.EXE в папку программы:$\r$\n$INSTDIR$\r$\nили укажите его, когда Kestrune спросит при первом запуске.$\r$\n$\r$\nРабочую версию кодека можно взять здесь:$\r$\n${DOWNLOAD_SITE}/progs/lame.zip$\r$\nили здесь:$\r$\nhttps://lame.sourceforge.io/"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kestrune.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Kestrune"
!define MUI_FINISHPAGE_RUN_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Section "Kestrune"
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    ${If} ${RunningX64}
        File "${WIN64_DIR}\kestrune.exe"
        File "${WIN64_DIR}\kestrune-probe.exe"
        File "${WIN64_DIR}\kestrune-batch.exe"
        File "${WIN64_DIR}\Help.chm"
        File "${WIN64_DIR}\README.txt"
    ${Else}
        File "${WIN32_DIR}\kestrune.exe"
        File "${WIN32_DIR}\kestrune-probe.exe"
        File "${WIN32_DIR}\kestrune-batch.exe"
        File "${WIN32_DIR}\Help.chm"
        File "${WIN32_DIR}\README.txt"
    ${EndIf}
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\Kestrune.lnk" "$INSTDIR\kestrune.exe"

    WriteRegStr HKCU "${APPLICATION_KEY}" "FriendlyAppName" "Kestrune"
    WriteRegStr HKCU "${APPLICATION_KEY}\SupportedTypes" ".mp3" ""
    WriteRegStr HKCU "${APPLICATION_KEY}\shell\open" "" "Открыть с помощью Kestrune"
    WriteRegStr HKCU "${APPLICATION_KEY}\shell\open\command" "" '"$INSTDIR\kestrune.exe" "%1"'
    WriteRegStr HKCU "${OPEN_WITH_KEY}" "" ""

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kestrune"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Kestrune"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrune.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${DOWNLOAD_SITE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put in place. What the user put beside the program stays:
; Kestrune.ini (the settings) and LAME.EXE, and with them the folder.
Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\kestrune.exe"
    Delete "$INSTDIR\kestrune-probe.exe"
    Delete "$INSTDIR\kestrune-batch.exe"
    Delete "$INSTDIR\Help.chm"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kestrune.lnk"
    DeleteRegKey HKCU "${OPEN_WITH_KEY}"
    DeleteRegKey HKCU "${APPLICATION_KEY}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
