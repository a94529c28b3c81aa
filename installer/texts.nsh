; The installer's and the uninstaller's own texts in the product's four languages; the pages'
; texts come from the Modern UI's language files.

LangString TextProgramsRunning ${LANG_ENGLISH} "Tapestrique is running. Setup will close it, and its screensaver, to replace the programs."
LangString TextProgramsRunning ${LANG_CATALAN} "El Tapestrique s'està executant. L'instal·lador el tancarà, amb el seu protector de pantalla, per substituir els programes."
LangString TextProgramsRunning ${LANG_SPANISH} "Tapestrique se está ejecutando. El instalador lo cerrará, junto con su protector de pantalla, para reemplazar los programas."
LangString TextProgramsRunning ${LANG_FRENCH} "Tapestrique est en cours d'exécution. L'installation va le fermer, ainsi que son écran de veille, pour remplacer les programmes."

LangString TextUninstallProgramsRunning ${LANG_ENGLISH} "Tapestrique is running. It will be closed, with its screensaver, before it is removed."
LangString TextUninstallProgramsRunning ${LANG_CATALAN} "El Tapestrique s'està executant. Es tancarà, amb el seu protector de pantalla, abans de suprimir-lo."
LangString TextUninstallProgramsRunning ${LANG_SPANISH} "Tapestrique se está ejecutando. Se cerrará, junto con su protector de pantalla, antes de eliminarlo."
LangString TextUninstallProgramsRunning ${LANG_FRENCH} "Tapestrique est en cours d'exécution. Il sera fermé, ainsi que son écran de veille, avant d'être supprimé."

LangString TextDeletePictures ${LANG_ENGLISH} "Do you also want to delete your pictures, your music and your exported pictures in $INSTDIR?"
LangString TextDeletePictures ${LANG_CATALAN} "Voleu suprimir també les vostres imatges, la vostra música i les imatges exportades de $INSTDIR?"
LangString TextDeletePictures ${LANG_SPANISH} "¿Desea eliminar también sus imágenes, su música y las imágenes exportadas de $INSTDIR?"
LangString TextDeletePictures ${LANG_FRENCH} "Voulez-vous aussi supprimer vos images, votre musique et vos images exportées de $INSTDIR ?"

LangString TextShortcutUninstall ${LANG_ENGLISH} "Uninstall Tapestrique"
LangString TextShortcutUninstall ${LANG_CATALAN} "Desinstal·la el Tapestrique"
LangString TextShortcutUninstall ${LANG_SPANISH} "Desinstalar Tapestrique"
LangString TextShortcutUninstall ${LANG_FRENCH} "Désinstaller Tapestrique"

; The product's own language code for each installer language (the Variables key's szLanguage).
LangString ProductLanguageCode ${LANG_ENGLISH} "EN"
LangString ProductLanguageCode ${LANG_CATALAN} "CA"
LangString ProductLanguageCode ${LANG_SPANISH} "ES"
LangString ProductLanguageCode ${LANG_FRENCH} "FR"
