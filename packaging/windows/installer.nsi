; The Windows installer of KorvaneTessaril, made by scripts/package-windows:
;   makensis -INPUTCHARSET UTF8 -DVERSION=8.0 -DVERSION4=8.0.0.0 -DSIZE_KB=<stage size>
;            -DLISTS=<folder of install_files.nsh and uninstall_files.nsh> -DOUTFILE=<setup.exe>
;            installer.nsi
; The two lists name every file of the staged program folder; the uninstaller deletes exactly the
; files the installer wrote, never the folder as a whole, so that nothing the user put beside the
; programs and no folder chosen by mistake (say "C:\Program Files" itself) is ever removed.
; Per machine (Program Files) with administrator rights, else per user
; (%LOCALAPPDATA%\Programs); /AllUsers or /CurrentUser choose on the command line. The settings
; in %APPDATA%\KorvaneTessaril are the user's: the uninstaller leaves them.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "KorvaneTessaril"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=2052 "ProductName" "${APP}"
VIAddVersionKey /LANG=2052 "FileDescription" "${APP} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${APP}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
; An uninstaller started without /AllUsers or /CurrentUser finds its mode where it registered.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION InstallModeChosen
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "安装 ${APP} 需要管理员权限。"
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "安装 ${APP} 需要管理员权限。"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "您的帐户没有为本机所有用户安装 ${APP} 的权限。"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tessaril.exe"
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

; A version installed before in the same mode is replaced where it is.
Function InstallModeChosen
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "!${APP}" SecProgram
  SectionIn RO
  !include "${LISTS}/install_files.nsh"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The Start-menu entry starts the program in its own folder, where it finds its data.
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\tessaril.exe" "" "$INSTDIR\tessaril.exe" 0

  ; "Apps and features": name, version, size (KB, of the installed files), how to remove.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessaril.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "桌面快捷方式" SecDesktop
  CreateShortCut "$DESKTOP\${APP}.lnk" "$INSTDIR\tessaril.exe" "" "$INSTDIR\tessaril.exe" 0
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$DESKTOP\${APP}.lnk"
  !include "${LISTS}/uninstall_files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: what the user put there stays.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
