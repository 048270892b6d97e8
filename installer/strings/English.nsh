; Tavlin's own texts in the setup program, English. $0, $1, $2, $R0, $R2
; and $INSTDIR are filled in where a text is used (see tavlin.nsi).
LangString StartControl ${LANG_ENGLISH} "Start ${CONTROL_NAME}"
LangString InUseDetail ${LANG_ENGLISH} "$0 is in use by $2; nothing was changed."
LangString InUse ${LANG_ENGLISH} "$2 is using $0.$\r$\n$\r$\nClose $2, then choose Retry. Cancel leaves ${PRODUCT} as it is."
LangString ToolNotStarted ${LANG_ENGLISH} "$R0 could not be started"
LangString ToolExitCode ${LANG_ENGLISH} "$R0 ended with exit code $0"
LangString RegisterFailed ${LANG_ENGLISH} "${PRODUCT} could not register $R2 with Windows: $0.$\r$\n$\r$\nWord will not load this add-in. Start ${CONTROL_NAME} and press OK to try again."
LangString UnregisterFailed ${LANG_ENGLISH} "${PRODUCT} could not unregister $R2 with Windows: $0."
LangString NotAdmin ${LANG_ENGLISH} "${PRODUCT} is installed for all users of this computer: please run this program as an administrator."
LangString NotFullPath ${LANG_ENGLISH} 'The folder "$INSTDIR" is not a full path (such as C:\Program Files\${PRODUCT}).'
LangString FolderTooLong ${LANG_ENGLISH} 'The folder "$INSTDIR" is too long: its files would have paths of $1 characters, more than Windows allows (${MAX_PATH_CHARS}). Choose a shorter folder.'
LangString NothingInstalled ${LANG_ENGLISH} "Nothing was installed."
LangString PackageInstalled ${LANG_ENGLISH} "${PRODUCT} is already installed for all users of this computer by its Windows Installer package. Remove that installation first, in Programs and Features or with this command:$\r$\n$\r$\nmsiexec /x $0$\r$\n$\r$\nNothing was installed."
LangString FileTaken ${LANG_ENGLISH} "A file in $INSTDIR was taken by another program while ${PRODUCT} was being installed. Close Word and ${CONTROL_NAME}, then run this installer again."
LangString OtherInstallation ${LANG_ENGLISH} "${PRODUCT} is installed in $0; only $INSTDIR is removed."
