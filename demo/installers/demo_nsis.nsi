; A real NSIS installer for the demo medium: /S installs silently.
Unicode true
Name "演示记事本"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Bundor Demo\NSIS Notepad"
RequestExecutionLevel admin
Page directory
Page instfiles

Section "Main"
    SetOutPath "$INSTDIR"
    File "/oname=readme.txt" "${README}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\BundorDemoNotepad" "DisplayName" "演示记事本"
    WriteRegStr HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\BundorDemoNotepad" "UninstallString" "$INSTDIR\uninstall.exe"
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\readme.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\BundorDemoNotepad"
SectionEnd
