; The Windows installer: the program folder (perewal.exe, grafy, Qt's Polish
; catalogue, qt.conf) for the current user or for all users, a Start-menu
; entry, graph files opened by a double click, and an uninstaller.
;
;   makensis -DVERSION=1.0.0 -DSTAGE=<installed tree> -DFILES=<list.nsh> -DOUTFILE=<setup.exe> perewal.nsi
;
; scripts/windows runs it on the tree that `cmake --install` lays out; FILES
; holds that tree's files as Delete lines, then its folders as RMDir lines,
; deepest first, for the uninstaller.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION | STAGE | FILES | OUTFILE
  !error "VERSION, STAGE, FILES and OUTFILE must be given with -D"
!endif

!define APP "Perewal"
!define EXE "perewal.exe"
!define PROGID "Perewal.Graf"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Perewal"

Name "${APP}"
OutFile "${OUTFILE}"
BrandingText "${APP} ${VERSION}"

; Per user by default when run without rights, for all users when run as an
; administrator; /CurrentUser and /AllUsers choose on the command line.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh

!define MUI_ICON "${__FILEDIR__}/../perewal.ico"
!define MUI_UNICON "${__FILEDIR__}/../perewal.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the default one.
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "English"

LangString DocumentType ${LANG_POLISH} "Graf (Perewal)"
LangString DocumentType ${LANG_ENGLISH} "Graph (Perewal)"

Function .onInit
  SetRegView 64
  !insertmacro MULTIUSER_INIT
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Perewal"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  ; Graph files: their type with the program's icon, opened by it on a double
  ; click and offered under "Open with". SHCTX is HKCU or HKLM by the mode.
  WriteRegStr SHCTX "Software\Classes\.graf" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\.graf\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "$(DocumentType)"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$\"$INSTDIR\${EXE}$\",0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" "$\"$INSTDIR\${EXE}$\" $\"%1$\""
  WriteRegStr SHCTX "Software\Classes\Applications\${EXE}\shell\open\command" "" "$\"$INSTDIR\${EXE}$\" $\"%1$\""
  WriteRegStr SHCTX "Software\Classes\Applications\${EXE}\SupportedTypes" ".graf" ""
  WriteRegStr SHCTX "Software\Classes\Applications\${EXE}" "FriendlyAppName" "${APP}"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\${EXE}$\""
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /$MultiUser.InstallMode /S"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  ; Explorer shows the new icon and the new "open" at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  ; Only what the installer put there: graphs a teacher saved in the folder stay.
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ReadRegStr $0 SHCTX "Software\Classes\.graf" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.graf"
  DeleteRegValue SHCTX "Software\Classes\.graf\OpenWithProgids" "${PROGID}"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "Software\Classes\Applications\${EXE}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
