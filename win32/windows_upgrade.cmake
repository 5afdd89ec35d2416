# How one installed SYNCWARD follows another: a single uninstall entry for
# every version ("SYNCWARD"), an installer that first removes whatever
# earlier version it finds (the first release registered itself as
# "SYNCWARD 0.1.0"), and an uninstaller that leaves the user's settings and
# says so. Included by qt_program.cmake before CPack.

# The NSIS lines below reach the script as they are written here.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY SYNCWARD)

# Each earlier install's own uninstaller runs silently and in place, before
# this installer writes its files; it never touches the settings.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS [=[
  StrCpy $R9 0
  syncward_earlier_next:
    EnumRegKey $R8 SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall" $R9
    StrCmp $R8 "" syncward_earlier_done
    IntOp $R9 $R9 + 1
    StrCmp $R8 "SYNCWARD" syncward_earlier_found
    StrCpy $R7 $R8 9
    StrCmp $R7 "SYNCWARD " syncward_earlier_found syncward_earlier_next
  syncward_earlier_found:
    ReadRegStr $R6 SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\$R8" "UninstallString"
    StrCpy $R7 $R6 1
    StrCmp $R7 '"' 0 +2
      StrCpy $R6 $R6 "" 1
    StrCpy $R7 $R6 1 -1
    StrCmp $R7 '"' 0 +2
      StrCpy $R6 $R6 -1
    StrCpy $R5 $R6 -14
    DetailPrint "Removing the earlier SYNCWARD ($R8) from $R5"
    IfFileExists "$R6" 0 +2
      ExecWait '"$R6" /S _?=$R5'
    Delete "$R6"
    RMDir "$R5"
    DeleteRegKey SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall\$R8"
    StrCpy $R9 0
    Goto syncward_earlier_next
  syncward_earlier_done:
]=])

set(syncward_settings_kept
    "Your settings are kept: each copy's settings stay in the registry under HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\QV_SYNCWARD, and its home folder keeps its reports, logs and command files. Installing SYNCWARD again finds them.")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DetailPrint \"${syncward_settings_kept}\"
  MessageBox MB_OK|MB_ICONINFORMATION \"${syncward_settings_kept}\" /SD IDOK
")

# What Windows shows in the installer's Properties.
string(APPEND CPACK_NSIS_DEFINES "
VIProductVersion \"${SYNCWARD_VERSION}.0\"
VIAddVersionKey /LANG=1033 \"ProductName\" \"SYNCWARD\"
VIAddVersionKey /LANG=1033 \"ProductVersion\" \"${SYNCWARD_VERSION}\"
VIAddVersionKey /LANG=1033 \"FileVersion\" \"${SYNCWARD_VERSION}\"
VIAddVersionKey /LANG=1033 \"FileDescription\" \"SYNCWARD ${SYNCWARD_VERSION} installer\"
VIAddVersionKey /LANG=1033 \"CompanyName\" \"QUORVEL and the SYNCWARD developers\"
VIAddVersionKey /LANG=1033 \"LegalCopyright\" \"Copyright 2026 QUORVEL and the SYNCWARD developers\"")
