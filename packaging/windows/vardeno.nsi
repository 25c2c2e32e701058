; The Windows setup program: installs the portable folder's files for all users into
; Program Files\Vardeno, with a Start Menu shortcut, an optional Desktop one, "Open with Vardeno"
; for the file types the file list accepts, and an entry in Settings > Apps that removes it all.
; Built by scripts/make-installer.sh, which defines VERSION, PORTABLE_DIR, OUT_FILE and GENERATED
; (the folder of the generated includes: the file lists and the extension list).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"
!include "${GENERATED}\files.nsh"
!include "${GENERATED}\extensions.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vardeno"
!define APP_KEY "Software\Classes\Applications\Vardeno.exe"
!define PROGID "Vardeno.MediaFile"
!define PUBLISHER "The Vardeno developers"

Name "Vardeno ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\Vardeno"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vardeno ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "Vardeno"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "Vardeno ${VERSION} setup"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ABORTWARNING
; Vardeno's own icon for the setup program and the uninstaller, on the pages' header and on the
; welcome and finish pages. The pictures are the program's icon (data/icons/vardeno.svg) on white,
; as 24-bit BMPs: rsvg-convert -w 48 -h 48 vardeno.svg -o icon.png; convert -size 150x57 xc:white
; icon.png -gravity east -geometry +6+0 -composite -type TrueColor BMP3:vardeno-header.bmp; and at
; 112 px: convert -size 164x314 xc:white icon.png -gravity north -geometry +0+48 -composite
; -type TrueColor BMP3:vardeno-wizard.bmp
!define MUI_ICON "${__FILEDIR__}\vardeno.ico"
!define MUI_UNICON "${__FILEDIR__}\vardeno.ico"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${__FILEDIR__}\vardeno-header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "${__FILEDIR__}\vardeno-header.bmp"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\vardeno-wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${__FILEDIR__}\vardeno-wizard.bmp"
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${PORTABLE_DIR}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Without a language dialog the setup program speaks the language of the system's user interface
; when it is one of these, else the first (English).
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Polish"

LangString SecProgramName ${LANG_ENGLISH} "Vardeno (required)"
LangString SecProgramName ${LANG_POLISH} "Vardeno (wymagany)"
LangString SecProgramDesc ${LANG_ENGLISH} "The program, a Start Menu shortcut and $\"Open with Vardeno$\" for video and audio files."
LangString SecProgramDesc ${LANG_POLISH} "Program, skrót w menu Start oraz $\"Otwórz za pomocą Vardeno$\" dla plików wideo i audio."
LangString SecDesktopName ${LANG_ENGLISH} "Desktop shortcut"
LangString SecDesktopName ${LANG_POLISH} "Skrót na pulpicie"
LangString SecDesktopDesc ${LANG_ENGLISH} "A Vardeno shortcut on every user's desktop."
LangString SecDesktopDesc ${LANG_POLISH} "Skrót do Vardeno na pulpicie każdego użytkownika."
LangString FileTypeName ${LANG_ENGLISH} "Video or audio file"
LangString FileTypeName ${LANG_POLISH} "Plik wideo lub audio"
LangString OldRemovalFailed ${LANG_ENGLISH} "The installed version of Vardeno could not be removed. Setup will now end."
LangString OldRemovalFailed ${LANG_POLISH} "Nie udało się usunąć zainstalowanej wersji Vardeno. Instalacja zostanie przerwana."

; "Open with Vardeno" for one extension, without touching the type's default program.
!macro AddOpenWith EXT
  WriteRegStr HKLM "Software\Classes\.${EXT}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKLM "${APP_KEY}\SupportedTypes" ".${EXT}" ""
!macroend

; Takes away only what AddOpenWith added; a key is removed only when nothing else is left in it.
!macro RemoveOpenWith EXT
  DeleteRegValue HKLM "Software\Classes\.${EXT}\OpenWithProgids" "${PROGID}"
  Push "Software\Classes\.${EXT}\OpenWithProgids"
  Call un.DeleteKeyIfEmpty
  Push "Software\Classes\.${EXT}"
  Call un.DeleteKeyIfEmpty
!macroend

Function .onInit
  SetShellVarContext all
  SetRegView 64
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Vardeno needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext all
  SetRegView 64
FunctionEnd

; Stack: a key under HKLM. Deletes it when it has neither subkeys nor values.
Function un.DeleteKeyIfEmpty
  Exch $0
  Push $1
  ClearErrors
  EnumRegKey $1 HKLM "$0" 0
  ${If} ${Errors}
    Goto done ; no such key
  ${EndIf}
  ${If} $1 == ""
    EnumRegValue $1 HKLM "$0" 0
    ${If} $1 == ""
      DeleteRegKey HKLM "$0"
    ${EndIf}
  ${EndIf}
  done:
  Pop $1
  Pop $0
FunctionEnd

; An installed version, this one or an older one, is removed first by its own uninstaller, so
; no file of an older file list stays behind.
Function RemoveInstalledVersion
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\Uninstall.exe"
    Return
  ${EndIf}
  ; _?= makes the uninstaller run in place and return when done, instead of copying itself away.
  ClearErrors
  ExecWait '"$0\Uninstall.exe" /S _?=$0' $1
  ${If} ${Errors}
  ${OrIf} $1 != 0
    MessageBox MB_ICONSTOP "$(OldRemovalFailed)" /SD IDOK
    Quit
  ${EndIf}
  Delete "$0\Uninstall.exe"
  RMDir "$0"
FunctionEnd

Section "$(SecProgramName)" SecProgram
  SectionIn RO
  Call RemoveInstalledVersion

  !insertmacro VardenoInstallFiles
  SetOutPath "$INSTDIR"
  ; The program keeps its settings in %APPDATA%\Vardeno, not beside itself, when this file is here.
  FileOpen $0 "$INSTDIR\installed.txt" w
  FileWrite $0 "Vardeno ${VERSION} was installed here by its setup program. Vardeno keeps its settings in %APPDATA%\Vardeno.$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The working folder of a shortcut is the current output path: $INSTDIR.
  CreateShortCut "$SMPROGRAMS\Vardeno.lnk" "$INSTDIR\Vardeno.exe"

  WriteRegStr HKLM "${APP_KEY}" "FriendlyAppName" "Vardeno"
  WriteRegStr HKLM "${APP_KEY}\shell\open\command" "" '"$INSTDIR\Vardeno.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "$(FileTypeName)"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open" "FriendlyAppName" "Vardeno"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\Vardeno.exe" "%1"'
  !insertmacro VardenoExtensions AddOpenWith

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vardeno"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vardeno.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; Explorer shows the new "Open with" entries without a restart.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section /o "$(SecDesktopName)" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortCut "$DESKTOP\Vardeno.lnk" "$INSTDIR\Vardeno.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(SecProgramDesc)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "$(SecDesktopDesc)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The user's settings in %APPDATA%\Vardeno stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\Vardeno.lnk"
  Delete "$DESKTOP\Vardeno.lnk"

  !insertmacro VardenoExtensions RemoveOpenWith
  DeleteRegKey HKLM "${APP_KEY}"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  !insertmacro VardenoUninstallFiles
  Delete "$INSTDIR\installed.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
