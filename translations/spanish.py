# Spanish texts by English source text; scripts/translate fills orvalin_es.ts from this table.
SPANISH = {
    # Application model
    "Choose a folder of shoots. %1 only reads it until you choose to move files, and never deletes anything.":
        "Elige una carpeta de sesiones. %1 solo la lee hasta que decidas mover archivos, y nunca borra nada.",
    "“%1” can’t be found any more. It may have been moved, renamed or be on a disk that isn’t connected.":
        "Ya no se encuentra «%1». Puede que se haya movido o renombrado, o que esté en un disco que no está conectado.",
    "The scan stopped unexpectedly.": "El análisis se detuvo de forma inesperada.",
    "Matching…": "Emparejando…",
    "Moving files to the review folder…": "Moviendo archivos a la carpeta de revisión…",
    "Nothing was moved: %1": "No se ha movido nada: %1",
    "Putting files back…": "Devolviendo archivos a su sitio…",
    "Something went wrong": "Algo ha salido mal",
    "Scan Folder": "Analizar carpeta",
    # Group cards and groups
    "%1: %Ln files, %2": ("%1: %Ln archivo, %2", "%1: %Ln archivos, %2"),
    "Shows these files": "Muestra estos archivos",
    "RAW without JPEG": "RAW sin JPEG",
    "JPEG without RAW": "JPEG sin RAW",
    "Orphaned sidecars": "Sidecars huérfanos",
    "RAW files whose JPEG or HEIC twin is gone: usually the shots you culled as JPEGs. Their sidecars move with them.":
        "Archivos RAW cuyo gemelo JPEG o HEIC ya no está: normalmente las fotos que descartaste como JPEG. Sus sidecars se mueven con ellos.",
    "JPEGs whose RAW file is gone: usually the shots you culled as RAWs.":
        "JPEG cuyo archivo RAW ya no está: normalmente las fotos que descartaste como RAW.",
    "Edit-settings files (XMP, PP3, DOP, ON1, ACR, COS, AAE, THM) whose photo is gone.":
        "Archivos de ajustes de edición (XMP, PP3, DOP, ON1, ACR, COS, AAE, THM) cuya foto ya no está.",
    # Menus and toolbar
    "&File": "&Archivo",
    "Choose Folder…": "Elegir carpeta…",
    "Scan Again": "Volver a analizar",
    "Stop Scanning": "Detener el análisis",
    "Settings…": "Ajustes…",
    "Quit": "Salir",
    "F&iles": "Arch&ivos",
    "Tick All in This Group": "Marcar todo en este grupo",
    "Untick All in This Group": "Desmarcar todo en este grupo",
    "Untick Everything": "Desmarcar todo",
    "Review Move…": "Revisar el traslado…",
    "Restore…": "Restaurar…",
    "&Help": "A&yuda",
    "Check for Updates…": "Buscar actualizaciones…",
    "About Qt": "Acerca de Qt",
    "About %1": "Acerca de %1",
    "Tidies up after culling: moves RAW files whose JPEG you deleted, JPEGs whose RAW you deleted, and sidecar files left behind into a review folder you can restore from. It never deletes anything.":
        "Pone orden después de descartar fotos: mueve los archivos RAW cuyo JPEG borraste, los JPEG cuyo RAW borraste y los archivos sidecar que quedaron sueltos a una carpeta de revisión desde la que puedes restaurarlos. Nunca borra nada.",
    "Free software under the %1 license, with no warranty.": "Software libre bajo la licencia %1, sin ninguna garantía.",
    "Project page: %1": "Página del proyecto: %1",
    "Toolbar": "Barra de herramientas",
    "Choose Folder": "Elegir carpeta",
    "Scan another folder": "Analizar otra carpeta",
    "What did you cull?": "¿Qué descartaste?",
    "I deleted JPEGs: tick RAWs without a JPEG": "Borré JPEG: marcar los RAW sin JPEG",
    "I deleted RAWs: tick JPEGs without a RAW": "Borré RAW: marcar los JPEG sin RAW",
    "Tick orphaned sidecars": "Marcar los sidecars huérfanos",
    "Tick": "Marcar",
    "Tick a whole group at once (nothing is ticked until you choose)":
        "Marca un grupo entero de una vez (no se marca nada hasta que tú lo elijas)",
    "Stop": "Detener",
    "Stop scanning": "Detener el análisis",
    "Scan the folder again": "Analizar la carpeta de nuevo",
    "Scanning… %Ln files": ("Analizando… %Ln archivo", "Analizando… %Ln archivos"),
    # Logs and notices
    "%1 moved %Ln files on %2.": ("%1 movió %Ln archivo el %2.", "%1 movió %Ln archivos el %2."),
    "From:": "Desde:",
    "To:": "A:",
    "To put everything back, open the folder in %1 and choose Restore. Each line below shows where a file was and where it is now, so you can also move files back by hand.":
        "Para devolverlo todo a su sitio, abre la carpeta en %1 y elige Restaurar. Cada línea de abajo muestra dónde estaba un archivo y dónde está ahora, así que también puedes devolver los archivos a mano.",
    "Moved": "Movido",
    "Not moved": "No movido",
    "Put back": "Devuelto",
    "Moved %Ln files (%1) to “%2”. Restore puts them back.": (
        "Se movió %Ln archivo (%1) a «%2». Restaurar lo devuelve a su sitio.",
        "Se movieron %Ln archivos (%1) a «%2». Restaurar los devuelve a su sitio.",
    ),
    "%Ln couldn’t be moved; see the log.": (
        "%Ln no se pudo mover; mira el registro.",
        "%Ln no se pudieron mover; mira el registro.",
    ),
    "The files come from %Ln folders.": (
        "Los archivos vienen de %Ln carpeta.",
        "Los archivos vienen de %Ln carpetas.",
    ),
    "Files move to “%1” in this folder, keeping their folders, with a restore log. Look them over, then delete the review folder yourself when you’re sure.":
        "Los archivos van a «%1» dentro de esta carpeta, conservando sus carpetas, con un registro para restaurar. Revísalos y, cuando estés seguro, borra tú mismo la carpeta de revisión.",
    "Put back %Ln files.": ("Se devolvió %Ln archivo.", "Se devolvieron %Ln archivos."),
    "%Ln stayed in the review folder because a file with the same name is back in the original place.": (
        "%Ln se quedó en la carpeta de revisión porque vuelve a haber un archivo con el mismo nombre en su sitio original.",
        "%Ln se quedaron en la carpeta de revisión porque vuelve a haber un archivo con el mismo nombre en su sitio original.",
    ),
    "%Ln weren’t where the log says (moved or deleted by hand).": (
        "%Ln no estaba donde dice el registro (movido o borrado a mano).",
        "%Ln no estaban donde dice el registro (movidos o borrados a mano).",
    ),
    "%Ln couldn’t be put back: %1.": (
        "%Ln no se pudo devolver: %1.",
        "%Ln no se pudieron devolver: %1.",
    ),
    "%Ln couldn’t be put back; see the log.": (
        "%Ln no se pudo devolver; mira el registro.",
        "%Ln no se pudieron devolver; mira el registro.",
    ),
    "permission denied": "permiso denegado",
    "on another drive": "están en otro disco",
    "can’t be changed": "no se pueden modificar",
    "the disk is full": "el disco está lleno",
    "a folder on the way is a symbolic link": "una carpeta del camino es un enlace simbólico",
    "a file is where a folder belongs": "hay un archivo donde debería haber una carpeta",
    "the log names an unsafe place": "el registro indica un lugar no seguro",
    "see the log": "mira el registro",
    "Another move or restore of this folder is running…":
        "Ya hay otro traslado o restauración de esta carpeta en marcha…",
    "Another move or restore of this folder is running. Try again when it has finished.":
        "Ya hay otro traslado o restauración de esta carpeta en marcha. Vuelve a intentarlo cuando termine.",
    "%1 Review": "%1 Review",
    # Move summary
    "Move %Ln files?": ("¿Mover %Ln archivo?", "¿Mover %Ln archivos?"),
    "This is a dry run: nothing has moved yet.": "Esto es un ensayo: todavía no se ha movido nada.",
    "Group": "Grupo",
    "Files": "Archivos",
    "Sidecars with them": "Sidecars que los acompañan",
    "Size": "Tamaño",
    "Total": "Total",
    "Cancel": "Cancelar",
    "Move %Ln Files": ("Mover %Ln archivo", "Mover %Ln archivos"),
    # Bars
    "Show in File Manager": "Mostrar en el gestor de archivos",
    "Restore": "Restaurar",
    "Dismiss": "Cerrar",
    "Untick All": "Desmarcar todo",
    "See what will move, and where, before anything moves": "Mira qué se moverá, y adónde, antes de mover nada",
    "Ticked: %1": "Marcados: %1",
    # Overview
    "%Ln files: ": ("%Ln archivo: ", "%Ln archivos: "),
    " RAW, ": " RAW, ",
    " JPEG or HEIC, ": " JPEG o HEIC, ",
    "%Ln sidecars. ": ("%Ln sidecar. ", "%Ln sidecars. "),
    "%Ln pairs are complete and stay where they are.": (
        "%Ln pareja está completa y se queda donde está.",
        "%Ln parejas están completas y se quedan donde están.",
    ),
    "This folder hasn’t been scanned yet.": "Esta carpeta aún no se ha analizado.",
    "Scan Now": "Analizar ahora",
    "“%1”": "«%1»",
    "Good to know": "Conviene saber",
    "Nothing is ticked until you choose. Use Tick ▸ “What did you cull?”, or tick files one by one.":
        "No se marca nada hasta que tú lo elijas. Usa Marcar ▸ «¿Qué descartaste?» o marca los archivos uno a uno.",
    "Moves go to “%1” inside this folder, keeping each file’s folders, with a restore log. Restore puts them back.":
        "Los traslados van a «%1» dentro de esta carpeta, conservando las carpetas de cada archivo, con un registro para restaurar. Restaurar los devuelve a su sitio.",
    "Couldn’t read %1.": "No se pudo leer %1.",
    "operation not permitted": "operación no permitida",
    "input/output error": "error de entrada/salida",
    "stale file handle": "identificador de archivo obsoleto",
    "transport endpoint is not connected": "la conexión con la unidad se ha perdido",
    "this folder": "esta carpeta",
    " and %Ln more": (" y %Ln más", " y %Ln más"),
    "%Ln files could have a twin, photo or sidecar there, so they aren’t listed as leftovers.": (
        "%Ln archivo podría tener allí su gemelo, su foto o un sidecar, así que no aparece como resto.",
        "%Ln archivos podrían tener allí su gemelo, su foto o un sidecar, así que no aparecen como restos.",
    ),
    "%Ln files are in folders with only RAW or only JPEG files, so they aren’t listed as leftovers. Change this in Settings.": (
        "%Ln archivo está en una carpeta con solo RAW o solo JPEG, así que no aparece como resto. Puedes cambiarlo en Ajustes.",
        "%Ln archivos están en carpetas con solo RAW o solo JPEG, así que no aparecen como restos. Puedes cambiarlo en Ajustes.",
    ),
    "%Ln HEIC files have no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.": (
        "%Ln archivo HEIC no tiene RAW. Los HEIC no se ofrecen para mover salvo que lo actives en Ajustes.",
        "%Ln archivos HEIC no tienen RAW. Los HEIC no se ofrecen para mover salvo que lo actives en Ajustes.",
    ),
    "%Ln renamed files were paired by capture time.": (
        "%Ln archivo renombrado se emparejó por la hora de captura.",
        "%Ln archivos renombrados se emparejaron por la hora de captura.",
    ),
    "If Lightroom or Capture One knows about these photos, moved files will show as missing there.":
        "Si Lightroom o Capture One conocen estas fotos, los archivos movidos aparecerán allí como perdidos.",
    # Pairs
    "Pairs": "Parejas",
    "RAW files with their JPEG or HEIC twin. These are never offered for moving.":
        "Archivos RAW con su gemelo JPEG o HEIC. Nunca se ofrecen para mover.",
    "RAW": "RAW",
    "Twin": "Gemelo",
    "Matched by": "Emparejado por",
    "Capture time": "Hora de captura",
    "Name": "Nombre",
    # Refusal
    "%1 won’t work on this folder": "%1 no trabajará en esta carpeta",
    "Nothing was moved.": "No se ha movido nada.",
    "Choose Another Folder…": "Elegir otra carpeta…",
    "This folder is inside “%1”, a Photos library. Photos keeps track of every file in its library, so moving files there by hand would damage it. Remove unwanted RAW or JPEG halves in Photos itself.":
        "Esta carpeta está dentro de «%1», una fototeca de Fotos. Fotos controla cada archivo de su fototeca, así que mover archivos ahí a mano la dañaría. Elimina las mitades RAW o JPEG que sobren desde la propia app Fotos.",
    "This folder holds a Photos library (“%1”). %2 won’t work on folders with a Photos library inside, so it can never touch one. Choose the folder that holds your shoots instead.":
        "Esta carpeta contiene una fototeca de Fotos («%1»). %2 no trabaja en carpetas que contienen una fototeca, para no tocarla nunca. Elige en su lugar la carpeta que guarda tus sesiones.",
    "This folder holds a Lightroom catalog (“%1”). Moving photos a catalog knows about makes them show as missing in Lightroom. Choose a folder of shoots without a catalog, or remove the photos from inside Lightroom.":
        "Esta carpeta contiene un catálogo de Lightroom («%1»). Mover fotos que un catálogo conoce hace que aparezcan como perdidas en Lightroom. Elige una carpeta de sesiones sin catálogo, o quita las fotos desde el propio Lightroom.",
    "This folder holds a Capture One catalog or session (“%1”). Moving its photos would make them show as missing in Capture One. Choose a folder of shoots without one, or remove the photos from inside Capture One.":
        "Esta carpeta contiene un catálogo o una sesión de Capture One («%1»). Mover sus fotos haría que aparecieran como perdidas en Capture One. Elige una carpeta de sesiones sin ellos, o quita las fotos desde el propio Capture One.",
    # Restore
    "Every move is logged in “%1”. Restore puts files back where they were; it never overwrites a file that is there now.":
        "Cada traslado queda registrado en «%1». Restaurar devuelve los archivos adonde estaban; nunca sobrescribe un archivo que esté ahí ahora.",
    "Restore All": "Restaurar todo",
    "No moves yet": "Aún no hay traslados",
    "Files you move from this folder can be put back from here, even after quitting.":
        "Los archivos que muevas desde esta carpeta se pueden devolver desde aquí, incluso después de salir.",
    "%Ln files (%1) in the review folder": (
        "%Ln archivo (%1) en la carpeta de revisión",
        "%Ln archivos (%1) en la carpeta de revisión",
    ),
    "%1 waiting: a file with the same name is back in the original place":
        "%1 en espera: vuelve a haber un archivo con el mismo nombre en su sitio original",
    # Scanning
    "Scanning “%1”…": "Analizando «%1»…",
    "%Ln files so far": ("%Ln archivo por ahora", "%Ln archivos por ahora"),
    # Settings
    "Settings": "Ajustes",
    "Matching": "Emparejamiento",
    "Privacy": "Privacidad",
    "Names": "Nombres",
    "Edited copies count as the JPEG (IMG_0001-Edit.jpg, “copy”, “(1)”)":
        "Las copias editadas cuentan como el JPEG (IMG_0001-Edit.jpg, «copia», «(1)»)",
    "Canon _MG_1234 is the same photo as IMG_1234": "En Canon, _MG_1234 es la misma foto que IMG_1234",
    "Recognise the names phones and editing tools write (PXL_…COVER.jpg, IMG_E0102.JPG)":
        "Reconocer los nombres de móviles y editores (PXL_…COVER.jpg, IMG_E0102.JPG)",
    "Pair across subfolders (cameras that write RAW and JPG folders)":
        "Emparejar entre subcarpetas (cámaras que escriben carpetas RAW y JPG)",
    "Renamed files": "Archivos renombrados",
    "Pair by capture time and camera when names differ":
        "Emparejar por hora de captura y cámara cuando los nombres no coinciden",
    "What’s listed": "Qué se muestra",
    "Only in folders that hold both RAW and JPEG files": "Solo en carpetas que tienen a la vez RAW y JPEG",
    "Offer HEIC files with no RAW too": "Ofrecer también los HEIC sin RAW",
    "A folder of only RAW or only JPEG files is usually how it was shot, not leftovers. HEIC files always count as a RAW’s twin either way.":
        "Una carpeta con solo RAW o solo JPEG suele ser así desde la toma, no son restos. Los HEIC siempre cuentan como gemelos de un RAW en cualquier caso.",
    "Your photos never leave this computer. %1 reads the folders you choose, and moves only the files you tick, into a review folder inside that folder. It never deletes a file.":
        "Tus fotos nunca salen de este ordenador. %1 lee las carpetas que eliges y mueve solo los archivos que marcas, a una carpeta de revisión dentro de esa carpeta. Nunca borra un archivo.",
    # Sidebar
    "Overview": "Resumen",
    "Leftovers": "Restos",
    "Kept": "Se quedan",
    "Undo": "Deshacer",
    "%1, %Ln files": ("%1, %Ln archivo", "%1, %Ln archivos"),
    # Start
    "Tidy up after culling": "Ordena después del descarte",
    "Pick a folder of shoots. %1 finds RAW files whose JPEG you deleted, JPEGs whose RAW you deleted, and sidecar files left behind. You tick what goes; it moves them to a review folder you can restore from, and never deletes anything.":
        "Elige una carpeta de sesiones. %1 encuentra los RAW cuyo JPEG borraste, los JPEG cuyo RAW borraste y los sidecars que quedaron sueltos. Tú marcas lo que se va; los mueve a una carpeta de revisión desde la que puedes restaurar, y nunca borra nada.",
    "Recent folders": "Carpetas recientes",
    "Not for Apple Photos libraries: %1 refuses folders that hold an Apple Photos library, as a Mac’s disk may, or a Lightroom or Capture One catalog. Apple Photos pairs can only be changed inside Apple Photos, on a Mac.":
        "No es para fototecas de Fotos de Apple: %1 rechaza las carpetas que contienen una fototeca de Fotos de Apple, como puede tenerla el disco de un Mac, o un catálogo de Lightroom o Capture One. Las parejas de Fotos de Apple solo se pueden cambiar dentro de Fotos de Apple, en un Mac.",
    "Everything stays on this computer.": "Todo se queda en este ordenador.",
    # Updates
    "This app": "Esta app",
    "A new version of %1 is available": "Hay una versión nueva de %1",
    "%1 %2 is out; you have %3.": "Ya está disponible %1 %2; tienes la %3.",
    "Download…": "Descargar…",
    "Later": "Más tarde",
    "You’re up to date": "Estás al día",
    "Updates come with your package": "Las actualizaciones llegan con tu paquete",
    "This copy of %1 (version %2) doesn’t look for updates itself. It is updated with the package it was installed from: your system’s software updates bring new versions of %1.":
        "Esta copia de %1 (versión %2) no busca actualizaciones por sí misma. Se actualiza con el paquete desde el que se instaló: las actualizaciones de software de tu sistema traen las nuevas versiones de %1.",
    "%1 %2 is the newest version. %1 checks for updates on its own and will let you know when there’s a new one.":
        "%1 %2 es la versión más reciente. %1 busca actualizaciones por su cuenta y te avisará cuando haya una nueva.",
    "Couldn’t check for updates": "No se pudo buscar actualizaciones",
    "Check your internet connection and try again. %1 also checks on its own about once a day.":
        "Comprueba tu conexión a internet y vuelve a intentarlo. %1 también lo comprueba por su cuenta una vez al día, más o menos.",
    # Group grid
    "%Ln files · %1 · ticked: %2": (
        "%Ln archivo · %1 · marcados: %2",
        "%Ln archivos · %1 · marcados: %2",
    ),
    "No files in this group. Every file here has its partner.":
        "No hay archivos en este grupo. Cada archivo de aquí tiene su pareja.",
    "Not ticked": "Sin marcar",
    "Nothing left over": "No sobra nada",
    "Quick Look": "Vista rápida",
    "Only the first %1 are shown.": "Solo se muestran los primeros %1.",
    "Not UTF-8 text: shown as Latin-1.": "No es texto UTF-8: se muestra como Latin-1.",
    "This file can’t be shown as text.": "Este archivo no se puede mostrar como texto.",
    "Show in Finder": "Mostrar en el gestor de archivos",
    "Still scanning…": "Todavía analizando…",
    "Tick All": "Marcar todo",
    "Tick Folder": "Marcar carpeta",
    "Ticked": "Marcado",
    "Ticks or unticks this file for moving": "Marca o desmarca este archivo para moverlo",
    "Untick Folder": "Desmarcar carpeta",
    # Engine errors
    "Couldn’t move “%1” to “%2”: %3.": "No se pudo mover «%1» a «%2»: %3.",
    "Couldn’t open the folder “%1”: %2.": "No se pudo abrir la carpeta «%1»: %2.",
    "Couldn’t look at “%1”: %2.": "No se pudo examinar «%1»: %2.",
    "“%1” is not a regular file.": "«%1» no es un archivo normal.",
    "“%1” can’t be used as a name in a folder.": "«%1» no se puede usar como nombre en una carpeta.",
    "“%1” is not a session folder, or a folder on its way is a symbolic link; nothing was put back.":
        "«%1» no es una carpeta de sesión, o una carpeta en su camino es un enlace simbólico; no se ha devuelto nada.",
    "The move has no valid date.": "El movimiento no tiene una fecha válida.",
    "%1 %Ln files were moved to “%2” all the same; Restore puts them back.": (
        "%1 Aun así, se movió %Ln archivo a «%2»; Restaurar lo devuelve a su sitio.",
        "%1 Aun así, se movieron %Ln archivos a «%2»; Restaurar los devuelve a su sitio.",
    ),
    "%1 %Ln files were put back all the same.": (
        "%1 Aun así, se devolvió %Ln archivo.",
        "%1 Aun así, se devolvieron %Ln archivos.",
    ),
    "The review folder “%1” is on another drive.": "La carpeta de revisión «%1» está en otro disco.",
    "The restore log “%1” is damaged: %2": "El registro de restauración «%1» está dañado: %2",
    "The review folder name “%1” can’t be used.": "No se puede usar «%1» como nombre de la carpeta de revisión.",
    "The review folder “%1” is a symbolic link or not a folder.":
        "La carpeta de revisión «%1» es un enlace simbólico o no es una carpeta.",
    "Couldn’t create the folder “%1”: %2.": "No se pudo crear la carpeta «%1»: %2.",
    "Couldn’t write the file “%1”: %2.": "No se pudo escribir el archivo «%1»: %2.",
    "Couldn’t read the file “%1”: %2.": "No se pudo leer el archivo «%1»: %2.",
    "Couldn’t list the folder “%1”: %2.": "No se pudo leer el contenido de la carpeta «%1»: %2.",
    "Couldn’t remove the folder “%1”: %2.": "No se pudo quitar la carpeta «%1»: %2.",
    "Couldn’t remove the file “%1”: %2.": "No se pudo quitar el archivo «%1»: %2.",
    "“%1” is not an empty file.": "«%1» no es un archivo vacío.",
    "Couldn’t create the folder “%1”: %2": "No se pudo crear la carpeta «%1»: %2",
    "Couldn’t write “%1”: %2": "No se pudo escribir «%1»: %2",
    # Desktop: the command line and notifications
    "Moves the leftovers of culled RAW and JPEG pairs into a review folder.":
        "Mueve los restos de los pares RAW y JPEG descartados a una carpeta de revisión.",
    "A folder of shoots to scan at once.": "Una carpeta de sesiones para analizar nada más abrir.",
    "folder": "carpeta",
    "[folder]": "[carpeta]",
    "Displays help on commandline options.":
        "Muestra la ayuda de las opciones de la línea de órdenes.",
    "Displays help including Qt specific options.":
        "Muestra la ayuda, incluidas las opciones propias de Qt.",
    "There is no folder at “%1”.": "No hay ninguna carpeta en «%1».",
    "Move finished": "Traslado terminado",
    "Restore finished": "Restauración terminada",
    "Scan finished": "Análisis terminado",
    "Leftovers to review in “%1”: %2.": "Restos por revisar en «%1»: %2.",
    # Names and descriptions for screen readers
    "%1, %2, in “%3”": "%1, %2, en «%3»",
    "%1, %2, with sidecars: %3, in “%4”": "%1, %2, con sidecars: %3, en «%4»",
    "Tick Folder “%1”": "Marcar carpeta «%1»",
    "Untick Folder “%1”": "Desmarcar carpeta «%1»",
    "Untick All in Every Group": "Desmarcar todo en todos los grupos",
    "Show in File Manager: move “%1”": "Mostrar en el gestor de archivos: traslado «%1»",
    "Restore: move “%1”": "Restaurar: traslado «%1»",
    "Show in File Manager: the files just moved": "Mostrar en el gestor de archivos: los archivos recién movidos",
    "Restore: the files just moved": "Restaurar: los archivos recién movidos",
    "Sidebar": "Barra lateral",
    "Pairs, %1 pairs": "Parejas, %1 parejas",
    "Restore, %1 moves to restore": "Restaurar, %1 traslados por restaurar",
    "Contents of “%1”": "Contenido de «%1»",
    "Opens a menu. %1": "Abre un menú. %1",
    "%1: %2 files, %3 sidecars with them, %4.": "%1: %2 archivos, %3 sidecars que los acompañan, %4.",
    "Total: %1 files, %2.": "Total: %1 archivos, %2.",
}
