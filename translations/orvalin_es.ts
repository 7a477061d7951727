<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AboutBox</name>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>Tidies up after culling: moves RAW files whose JPEG you deleted, JPEGs whose RAW you deleted, and sidecar files left behind into a review folder you can restore from. It never deletes anything.</source>
        <translation>Pone orden después de descartar fotos: mueve los archivos RAW cuyo JPEG borraste, los JPEG cuyo RAW borraste y los archivos sidecar que quedaron sueltos a una carpeta de revisión desde la que puedes restaurarlos. Nunca borra nada.</translation>
    </message>
    <message>
        <source>Free software under the %1 license, with no warranty.</source>
        <translation>Software libre bajo la licencia %1, sin ninguna garantía.</translation>
    </message>
    <message>
        <source>Project page: %1</source>
        <translation>Página del proyecto: %1</translation>
    </message>
</context>
<context>
    <name>AppModel</name>
    <message>
        <source>Choose a folder of shoots. %1 only reads it until you choose to move files, and never deletes anything.</source>
        <translation>Elige una carpeta de sesiones. %1 solo la lee hasta que decidas mover archivos, y nunca borra nada.</translation>
    </message>
    <message>
        <source>“%1” can’t be found any more. It may have been moved, renamed or be on a disk that isn’t connected.</source>
        <translation>Ya no se encuentra «%1». Puede que se haya movido o renombrado, o que esté en un disco que no está conectado.</translation>
    </message>
    <message>
        <source>The scan stopped unexpectedly.</source>
        <translation>El análisis se detuvo de forma inesperada.</translation>
    </message>
    <message>
        <source>Matching…</source>
        <translation>Emparejando…</translation>
    </message>
    <message>
        <source>Moving files to the review folder…</source>
        <translation>Moviendo archivos a la carpeta de revisión…</translation>
    </message>
    <message>
        <source>Putting files back…</source>
        <translation>Devolviendo archivos a su sitio…</translation>
    </message>
</context>
<context>
    <name>CandidateCell</name>
    <message>
        <source>Ticked</source>
        <translation>Marcado</translation>
    </message>
    <message>
        <source>Not ticked</source>
        <translation>Sin marcar</translation>
    </message>
    <message>
        <source>Ticks or unticks this file for moving</source>
        <translation>Marca o desmarca este archivo para moverlo</translation>
    </message>
    <message>
        <source>Quick Look</source>
        <translation>Vista rápida</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>%1, %2, in “%3”</source>
        <translation>%1, %2, en «%3»</translation>
    </message>
    <message>
        <source>%1, %2, with sidecars: %3, in “%4”</source>
        <translation>%1, %2, con sidecars: %3, en «%4»</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Something went wrong</source>
        <translation>Algo ha salido mal</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Move finished</source>
        <translation>Traslado terminado</translation>
    </message>
    <message>
        <source>Restore finished</source>
        <translation>Restauración terminada</translation>
    </message>
    <message>
        <source>Scan finished</source>
        <translation>Análisis terminado</translation>
    </message>
    <message>
        <source>Leftovers to review in “%1”: %2.</source>
        <translation>Restos por revisar en «%1»: %2.</translation>
    </message>
</context>
<context>
    <name>FolderDialog</name>
    <message>
        <source>Scan Folder</source>
        <translation>Analizar carpeta</translation>
    </message>
</context>
<context>
    <name>FolderHeader</name>
    <message>
        <source>Untick Folder</source>
        <translation>Desmarcar carpeta</translation>
    </message>
    <message>
        <source>Tick Folder</source>
        <translation>Marcar carpeta</translation>
    </message>
    <message>
        <source>Tick Folder “%1”</source>
        <translation>Marcar carpeta «%1»</translation>
    </message>
</context>
<context>
    <name>GroupCard</name>
    <message>
        <source>Shows these files</source>
        <translation>Muestra estos archivos</translation>
    </message>
    <message numerus="yes">
        <source>%1: %Ln files, %2</source>
        <translation>
            <numerusform>%1: %Ln archivo, %2</numerusform>
            <numerusform>%1: %Ln archivos, %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupGridView</name>
    <message>
        <source>Nothing left over</source>
        <translation>No sobra nada</translation>
    </message>
    <message>
        <source>Still scanning…</source>
        <translation>Todavía analizando…</translation>
    </message>
    <message>
        <source>No files in this group. Every file here has its partner.</source>
        <translation>No hay archivos en este grupo. Cada archivo de aquí tiene su pareja.</translation>
    </message>
</context>
<context>
    <name>GroupHeader</name>
    <message>
        <source>Tick All</source>
        <translation>Marcar todo</translation>
    </message>
    <message>
        <source>Untick All</source>
        <translation>Desmarcar todo</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files · %1 · ticked: %2</source>
        <translation>
            <numerusform>%Ln archivo · %1 · marcados: %2</numerusform>
            <numerusform>%Ln archivos · %1 · marcados: %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Tick All in This Group</source>
        <translation>Marcar todo en este grupo</translation>
    </message>
    <message>
        <source>Untick All in This Group</source>
        <translation>Desmarcar todo en este grupo</translation>
    </message>
</context>
<context>
    <name>LaunchArguments</name>
    <message>
        <source>Moves the leftovers of culled RAW and JPEG pairs into a review folder.</source>
        <translation>Mueve los restos de los pares RAW y JPEG descartados a una carpeta de revisión.</translation>
    </message>
    <message>
        <source>A folder of shoots to scan at once.</source>
        <translation>Una carpeta de sesiones para analizar nada más abrir.</translation>
    </message>
    <message>
        <source>There is no folder at “%1”.</source>
        <translation>No hay ninguna carpeta en «%1».</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>carpeta</translation>
    </message>
    <message>
        <source>[folder]</source>
        <translation>[carpeta]</translation>
    </message>
</context>
<context>
    <name>LocalFileManager</name>
    <message>
        <source>Couldn’t move “%1” to “%2”: %3.</source>
        <translation>No se pudo mover «%1» a «%2»: %3.</translation>
    </message>
    <message>
        <source>Couldn’t create the folder “%1”: %2.</source>
        <translation>No se pudo crear la carpeta «%1»: %2.</translation>
    </message>
    <message>
        <source>Couldn’t write the file “%1”: %2.</source>
        <translation>No se pudo escribir el archivo «%1»: %2.</translation>
    </message>
    <message>
        <source>Couldn’t read the file “%1”: %2.</source>
        <translation>No se pudo leer el archivo «%1»: %2.</translation>
    </message>
    <message>
        <source>Couldn’t list the folder “%1”: %2.</source>
        <translation>No se pudo leer el contenido de la carpeta «%1»: %2.</translation>
    </message>
    <message>
        <source>Couldn’t remove the folder “%1”: %2.</source>
        <translation>No se pudo quitar la carpeta «%1»: %2.</translation>
    </message>
    <message>
        <source>Couldn’t open the folder “%1”: %2.</source>
        <translation>No se pudo abrir la carpeta «%1»: %2.</translation>
    </message>
    <message>
        <source>“%1” can’t be used as a name in a folder.</source>
        <translation>«%1» no se puede usar como nombre en una carpeta.</translation>
    </message>
    <message>
        <source>Couldn’t look at “%1”: %2.</source>
        <translation>No se pudo examinar «%1»: %2.</translation>
    </message>
    <message>
        <source>“%1” is not a regular file.</source>
        <translation>«%1» no es un archivo normal.</translation>
    </message>
    <message>
        <source>Couldn’t remove the file “%1”: %2.</source>
        <translation>No se pudo quitar el archivo «%1»: %2.</translation>
    </message>
    <message>
        <source>“%1” is not an empty file.</source>
        <translation>«%1» no es un archivo vacío.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Elegir carpeta…</translation>
    </message>
    <message>
        <source>Scan Again</source>
        <translation>Volver a analizar</translation>
    </message>
    <message>
        <source>Stop Scanning</source>
        <translation>Detener el análisis</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Ajustes…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>F&amp;iles</source>
        <translation>Arch&amp;ivos</translation>
    </message>
    <message>
        <source>Tick All in This Group</source>
        <translation>Marcar todo en este grupo</translation>
    </message>
    <message>
        <source>Untick All in This Group</source>
        <translation>Desmarcar todo en este grupo</translation>
    </message>
    <message>
        <source>Untick Everything</source>
        <translation>Desmarcar todo</translation>
    </message>
    <message>
        <source>Review Move…</source>
        <translation>Revisar el traslado…</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Restaurar…</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>About Qt</source>
        <translation>Acerca de Qt</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra de herramientas</translation>
    </message>
    <message>
        <source>Choose Folder</source>
        <translation>Elegir carpeta</translation>
    </message>
    <message>
        <source>Scan another folder</source>
        <translation>Analizar otra carpeta</translation>
    </message>
    <message>
        <source>What did you cull?</source>
        <translation>¿Qué descartaste?</translation>
    </message>
    <message>
        <source>I deleted JPEGs: tick RAWs without a JPEG</source>
        <translation>Borré JPEG: marcar los RAW sin JPEG</translation>
    </message>
    <message>
        <source>I deleted RAWs: tick JPEGs without a RAW</source>
        <translation>Borré RAW: marcar los JPEG sin RAW</translation>
    </message>
    <message>
        <source>Tick orphaned sidecars</source>
        <translation>Marcar los sidecars huérfanos</translation>
    </message>
    <message>
        <source>Tick</source>
        <translation>Marcar</translation>
    </message>
    <message>
        <source>Tick a whole group at once (nothing is ticked until you choose)</source>
        <translation>Marca un grupo entero de una vez (no se marca nada hasta que tú lo elijas)</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Stop scanning</source>
        <translation>Detener el análisis</translation>
    </message>
    <message>
        <source>Scan the folder again</source>
        <translation>Analizar la carpeta de nuevo</translation>
    </message>
    <message numerus="yes">
        <source>Scanning… %Ln files</source>
        <translation>
            <numerusform>Analizando… %Ln archivo</numerusform>
            <numerusform>Analizando… %Ln archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Opens a menu. %1</source>
        <translation>Abre un menú. %1</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>RAW without JPEG</source>
        <translation>RAW sin JPEG</translation>
    </message>
    <message>
        <source>JPEG without RAW</source>
        <translation>JPEG sin RAW</translation>
    </message>
    <message>
        <source>Orphaned sidecars</source>
        <translation>Sidecars huérfanos</translation>
    </message>
    <message>
        <source>RAW files whose JPEG or HEIC twin is gone: usually the shots you culled as JPEGs. Their sidecars move with them.</source>
        <translation>Archivos RAW cuyo gemelo JPEG o HEIC ya no está: normalmente las fotos que descartaste como JPEG. Sus sidecars se mueven con ellos.</translation>
    </message>
    <message>
        <source>JPEGs whose RAW file is gone: usually the shots you culled as RAWs.</source>
        <translation>JPEG cuyo archivo RAW ya no está: normalmente las fotos que descartaste como RAW.</translation>
    </message>
    <message>
        <source>Edit-settings files (XMP, PP3, DOP, ON1, ACR, COS, AAE, THM) whose photo is gone.</source>
        <translation>Archivos de ajustes de edición (XMP, PP3, DOP, ON1, ACR, COS, AAE, THM) cuya foto ya no está.</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Desde:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>A:</translation>
    </message>
    <message>
        <source>To put everything back, open the folder in %1 and choose Restore. Each line below shows where a file was and where it is now, so you can also move files back by hand.</source>
        <translation>Para devolverlo todo a su sitio, abre la carpeta en %1 y elige Restaurar. Cada línea de abajo muestra dónde estaba un archivo y dónde está ahora, así que también puedes devolver los archivos a mano.</translation>
    </message>
    <message>
        <source>Moved</source>
        <translation>Movido</translation>
    </message>
    <message>
        <source>Not moved</source>
        <translation>No movido</translation>
    </message>
    <message>
        <source>Put back</source>
        <translation>Devuelto</translation>
    </message>
    <message>
        <source>Files move to “%1” in this folder, keeping their folders, with a restore log. Look them over, then delete the review folder yourself when you’re sure.</source>
        <translation>Los archivos van a «%1» dentro de esta carpeta, conservando sus carpetas, con un registro para restaurar. Revísalos y, cuando estés seguro, borra tú mismo la carpeta de revisión.</translation>
    </message>
    <message numerus="yes">
        <source>%1 moved %Ln files on %2.</source>
        <translation>
            <numerusform>%1 movió %Ln archivo el %2.</numerusform>
            <numerusform>%1 movió %Ln archivos el %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %Ln files (%1) to “%2”. Restore puts them back.</source>
        <translation>
            <numerusform>Se movió %Ln archivo (%1) a «%2». Restaurar lo devuelve a su sitio.</numerusform>
            <numerusform>Se movieron %Ln archivos (%1) a «%2». Restaurar los devuelve a su sitio.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln couldn’t be moved; see the log.</source>
        <translation>
            <numerusform>%Ln no se pudo mover; mira el registro.</numerusform>
            <numerusform>%Ln no se pudieron mover; mira el registro.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The files come from %Ln folders.</source>
        <translation>
            <numerusform>Los archivos vienen de %Ln carpeta.</numerusform>
            <numerusform>Los archivos vienen de %Ln carpetas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %Ln files.</source>
        <translation>
            <numerusform>Se devolvió %Ln archivo.</numerusform>
            <numerusform>Se devolvieron %Ln archivos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln stayed in the review folder because a file with the same name is back in the original place.</source>
        <translation>
            <numerusform>%Ln se quedó en la carpeta de revisión porque vuelve a haber un archivo con el mismo nombre en su sitio original.</numerusform>
            <numerusform>%Ln se quedaron en la carpeta de revisión porque vuelve a haber un archivo con el mismo nombre en su sitio original.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln weren’t where the log says (moved or deleted by hand).</source>
        <translation>
            <numerusform>%Ln no estaba donde dice el registro (movido o borrado a mano).</numerusform>
            <numerusform>%Ln no estaban donde dice el registro (movidos o borrados a mano).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln couldn’t be put back; see the log.</source>
        <translation>
            <numerusform>%Ln no se pudo devolver; mira el registro.</numerusform>
            <numerusform>%Ln no se pudieron devolver; mira el registro.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln couldn’t be put back: %1.</source>
        <translation>
            <numerusform>%Ln no se pudo devolver: %1.</numerusform>
            <numerusform>%Ln no se pudieron devolver: %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permiso denegado</translation>
    </message>
    <message>
        <source>on another drive</source>
        <translation>están en otro disco</translation>
    </message>
    <message>
        <source>can’t be changed</source>
        <translation>no se pueden modificar</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>el disco está lleno</translation>
    </message>
    <message>
        <source>a folder on the way is a symbolic link</source>
        <translation>una carpeta del camino es un enlace simbólico</translation>
    </message>
    <message>
        <source>a file is where a folder belongs</source>
        <translation>hay un archivo donde debería haber una carpeta</translation>
    </message>
    <message>
        <source>the log names an unsafe place</source>
        <translation>el registro indica un lugar no seguro</translation>
    </message>
    <message>
        <source>see the log</source>
        <translation>mira el registro</translation>
    </message>
</context>
<context>
    <name>MoveSummarySheet</name>
    <message>
        <source>This is a dry run: nothing has moved yet.</source>
        <translation>Esto es un ensayo: todavía no se ha movido nada.</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Grupo</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Sidecars with them</source>
        <translation>Sidecars que los acompañan</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message numerus="yes">
        <source>Move %Ln files?</source>
        <translation>
            <numerusform>¿Mover %Ln archivo?</numerusform>
            <numerusform>¿Mover %Ln archivos?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %Ln Files</source>
        <translation>
            <numerusform>Mover %Ln archivo</numerusform>
            <numerusform>Mover %Ln archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2 files, %3 sidecars with them, %4.</source>
        <translation>%1: %2 archivos, %3 sidecars que los acompañan, %4.</translation>
    </message>
    <message>
        <source>Total: %1 files, %2.</source>
        <translation>Total: %1 archivos, %2.</translation>
    </message>
</context>
<context>
    <name>Mover</name>
    <message>
        <source>The restore log “%1” is damaged: %2</source>
        <translation>El registro de restauración «%1» está dañado: %2</translation>
    </message>
    <message>
        <source>The review folder name “%1” can’t be used.</source>
        <translation>No se puede usar «%1» como nombre de la carpeta de revisión.</translation>
    </message>
    <message>
        <source>“%1” is not a session folder, or a folder on its way is a symbolic link; nothing was put back.</source>
        <translation>«%1» no es una carpeta de sesión, o una carpeta en su camino es un enlace simbólico; no se ha devuelto nada.</translation>
    </message>
    <message>
        <source>The review folder “%1” is a symbolic link or not a folder.</source>
        <translation>La carpeta de revisión «%1» es un enlace simbólico o no es una carpeta.</translation>
    </message>
    <message>
        <source>Nothing was moved: %1</source>
        <translation>No se ha movido nada: %1</translation>
    </message>
    <message>
        <source>The move has no valid date.</source>
        <translation>El movimiento no tiene una fecha válida.</translation>
    </message>
    <message numerus="yes">
        <source>%1 %Ln files were moved to “%2” all the same; Restore puts them back.</source>
        <translation>
            <numerusform>%1 Aun así, se movió %Ln archivo a «%2»; Restaurar lo devuelve a su sitio.</numerusform>
            <numerusform>%1 Aun así, se movieron %Ln archivos a «%2»; Restaurar los devuelve a su sitio.</numerusform>
        </translation>
    </message>
    <message>
        <source>The review folder “%1” is on another drive.</source>
        <translation>La carpeta de revisión «%1» está en otro disco.</translation>
    </message>
    <message numerus="yes">
        <source>%1 %Ln files were put back all the same.</source>
        <translation>
            <numerusform>%1 Aun así, se devolvió %Ln archivo.</numerusform>
            <numerusform>%1 Aun así, se devolvieron %Ln archivos.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>NoticeBar</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Show in File Manager: the files just moved</source>
        <translation>Mostrar en el gestor de archivos: los archivos recién movidos</translation>
    </message>
    <message>
        <source>Restore: the files just moved</source>
        <translation>Restaurar: los archivos recién movidos</translation>
    </message>
</context>
<context>
    <name>OverviewView</name>
    <message>
        <source> RAW, </source>
        <translation> RAW, </translation>
    </message>
    <message>
        <source> JPEG or HEIC, </source>
        <translation> JPEG o HEIC, </translation>
    </message>
    <message>
        <source>This folder hasn’t been scanned yet.</source>
        <translation>Esta carpeta aún no se ha analizado.</translation>
    </message>
    <message>
        <source>Scan Now</source>
        <translation>Analizar ahora</translation>
    </message>
    <message>
        <source>“%1”</source>
        <translation>«%1»</translation>
    </message>
    <message>
        <source>Good to know</source>
        <translation>Conviene saber</translation>
    </message>
    <message>
        <source>Nothing is ticked until you choose. Use Tick ▸ “What did you cull?”, or tick files one by one.</source>
        <translation>No se marca nada hasta que tú lo elijas. Usa Marcar ▸ «¿Qué descartaste?» o marca los archivos uno a uno.</translation>
    </message>
    <message>
        <source>Moves go to “%1” inside this folder, keeping each file’s folders, with a restore log. Restore puts them back.</source>
        <translation>Los traslados van a «%1» dentro de esta carpeta, conservando las carpetas de cada archivo, con un registro para restaurar. Restaurar los devuelve a su sitio.</translation>
    </message>
    <message>
        <source>If Lightroom or Capture One knows about these photos, moved files will show as missing there.</source>
        <translation>Si Lightroom o Capture One conocen estas fotos, los archivos movidos aparecerán allí como perdidos.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files: </source>
        <translation>
            <numerusform>%Ln archivo: </numerusform>
            <numerusform>%Ln archivos: </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln sidecars. </source>
        <translation>
            <numerusform>%Ln sidecar. </numerusform>
            <numerusform>%Ln sidecars. </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln pairs are complete and stay where they are.</source>
        <translation>
            <numerusform>%Ln pareja está completa y se queda donde está.</numerusform>
            <numerusform>%Ln parejas están completas y se quedan donde están.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Scanning… %Ln files</source>
        <translation>
            <numerusform>Analizando… %Ln archivo</numerusform>
            <numerusform>Analizando… %Ln archivos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files are in folders with only RAW or only JPEG files, so they aren’t listed as leftovers. Change this in Settings.</source>
        <translation>
            <numerusform>%Ln archivo está en una carpeta con solo RAW o solo JPEG, así que no aparece como resto. Puedes cambiarlo en Ajustes.</numerusform>
            <numerusform>%Ln archivos están en carpetas con solo RAW o solo JPEG, así que no aparecen como restos. Puedes cambiarlo en Ajustes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln HEIC files have no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.</source>
        <translation>
            <numerusform>%Ln archivo HEIC no tiene RAW. Los HEIC no se ofrecen para mover salvo que lo actives en Ajustes.</numerusform>
            <numerusform>%Ln archivos HEIC no tienen RAW. Los HEIC no se ofrecen para mover salvo que lo actives en Ajustes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln renamed files were paired by capture time.</source>
        <translation>
            <numerusform>%Ln archivo renombrado se emparejó por la hora de captura.</numerusform>
            <numerusform>%Ln archivos renombrados se emparejaron por la hora de captura.</numerusform>
        </translation>
    </message>
    <message>
        <source>this folder</source>
        <translation>esta carpeta</translation>
    </message>
    <message numerus="yes">
        <source> and %Ln more</source>
        <translation>
            <numerusform> y %Ln más</numerusform>
            <numerusform> y %Ln más</numerusform>
        </translation>
    </message>
    <message>
        <source>Couldn’t read %1.</source>
        <translation>No se pudo leer %1.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files could have a twin, photo or sidecar there, so they aren’t listed as leftovers.</source>
        <translation>
            <numerusform>%Ln archivo podría tener allí su gemelo, su foto o un sidecar, así que no aparece como resto.</numerusform>
            <numerusform>%Ln archivos podrían tener allí su gemelo, su foto o un sidecar, así que no aparecen como restos.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PairTableModel</name>
    <message>
        <source>Capture time</source>
        <translation>Hora de captura</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>RAW</source>
        <translation>RAW</translation>
    </message>
    <message>
        <source>Twin</source>
        <translation>Gemelo</translation>
    </message>
    <message>
        <source>Matched by</source>
        <translation>Emparejado por</translation>
    </message>
</context>
<context>
    <name>PairsView</name>
    <message>
        <source>Pairs</source>
        <translation>Parejas</translation>
    </message>
    <message>
        <source>RAW files with their JPEG or HEIC twin. These are never offered for moving.</source>
        <translation>Archivos RAW con su gemelo JPEG o HEIC. Nunca se ofrecen para mover.</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>Only the first %1 are shown.</source>
        <translation>Solo se muestran los primeros %1.</translation>
    </message>
    <message>
        <source>Not UTF-8 text: shown as Latin-1.</source>
        <translation>No es texto UTF-8: se muestra como Latin-1.</translation>
    </message>
    <message>
        <source>This file can’t be shown as text.</source>
        <translation>Este archivo no se puede mostrar como texto.</translation>
    </message>
    <message>
        <source>Contents of “%1”</source>
        <translation>Contenido de «%1»</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Muestra la ayuda de las opciones de la línea de órdenes.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Muestra la ayuda, incluidas las opciones propias de Qt.</translation>
    </message>
</context>
<context>
    <name>RefusalView</name>
    <message>
        <source>%1 won’t work on this folder</source>
        <translation>%1 no trabajará en esta carpeta</translation>
    </message>
    <message>
        <source>Nothing was moved.</source>
        <translation>No se ha movido nada.</translation>
    </message>
    <message>
        <source>Choose Another Folder…</source>
        <translation>Elegir otra carpeta…</translation>
    </message>
</context>
<context>
    <name>RestoreView</name>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message>
        <source>Every move is logged in “%1”. Restore puts files back where they were; it never overwrites a file that is there now.</source>
        <translation>Cada traslado queda registrado en «%1». Restaurar devuelve los archivos adonde estaban; nunca sobrescribe un archivo que esté ahí ahora.</translation>
    </message>
    <message>
        <source>Restore All</source>
        <translation>Restaurar todo</translation>
    </message>
    <message>
        <source>No moves yet</source>
        <translation>Aún no hay traslados</translation>
    </message>
    <message>
        <source>Files you move from this folder can be put back from here, even after quitting.</source>
        <translation>Los archivos que muevas desde esta carpeta se pueden devolver desde aquí, incluso después de salir.</translation>
    </message>
</context>
<context>
    <name>ReviewLock</name>
    <message>
        <source>Another move or restore of this folder is running. Try again when it has finished.</source>
        <translation>Ya hay otro traslado o restauración de esta carpeta en marcha. Vuelve a intentarlo cuando termine.</translation>
    </message>
    <message>
        <source>Another move or restore of this folder is running…</source>
        <translation>Ya hay otro traslado o restauración de esta carpeta en marcha…</translation>
    </message>
</context>
<context>
    <name>SampleShoot</name>
    <message>
        <source>Couldn’t create the folder “%1”: %2</source>
        <translation>No se pudo crear la carpeta «%1»: %2</translation>
    </message>
    <message>
        <source>Couldn’t write “%1”: %2</source>
        <translation>No se pudo escribir «%1»: %2</translation>
    </message>
</context>
<context>
    <name>ScanRefusal</name>
    <message>
        <source>This folder is inside “%1”, a Photos library. Photos keeps track of every file in its library, so moving files there by hand would damage it. Remove unwanted RAW or JPEG halves in Photos itself.</source>
        <translation>Esta carpeta está dentro de «%1», una fototeca de Fotos. Fotos controla cada archivo de su fototeca, así que mover archivos ahí a mano la dañaría. Elimina las mitades RAW o JPEG que sobren desde la propia app Fotos.</translation>
    </message>
    <message>
        <source>This folder holds a Photos library (“%1”). %2 won’t work on folders with a Photos library inside, so it can never touch one. Choose the folder that holds your shoots instead.</source>
        <translation>Esta carpeta contiene una fototeca de Fotos («%1»). %2 no trabaja en carpetas que contienen una fototeca, para no tocarla nunca. Elige en su lugar la carpeta que guarda tus sesiones.</translation>
    </message>
    <message>
        <source>This folder holds a Lightroom catalog (“%1”). Moving photos a catalog knows about makes them show as missing in Lightroom. Choose a folder of shoots without a catalog, or remove the photos from inside Lightroom.</source>
        <translation>Esta carpeta contiene un catálogo de Lightroom («%1»). Mover fotos que un catálogo conoce hace que aparezcan como perdidas en Lightroom. Elige una carpeta de sesiones sin catálogo, o quita las fotos desde el propio Lightroom.</translation>
    </message>
    <message>
        <source>This folder holds a Capture One catalog or session (“%1”). Moving its photos would make them show as missing in Capture One. Choose a folder of shoots without one, or remove the photos from inside Capture One.</source>
        <translation>Esta carpeta contiene un catálogo o una sesión de Capture One («%1»). Mover sus fotos haría que aparecieran como perdidas en Capture One. Elige una carpeta de sesiones sin ellos, o quita las fotos desde el propio Capture One.</translation>
    </message>
</context>
<context>
    <name>ScanningView</name>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Scanning “%1”…</source>
        <translation>Analizando «%1»…</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files so far</source>
        <translation>
            <numerusform>%Ln archivo por ahora</numerusform>
            <numerusform>%Ln archivos por ahora</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SelectionBar</name>
    <message>
        <source>Untick All</source>
        <translation>Desmarcar todo</translation>
    </message>
    <message>
        <source>Review Move…</source>
        <translation>Revisar el traslado…</translation>
    </message>
    <message>
        <source>See what will move, and where, before anything moves</source>
        <translation>Mira qué se moverá, y adónde, antes de mover nada</translation>
    </message>
    <message>
        <source>Ticked: %1</source>
        <translation>Marcados: %1</translation>
    </message>
    <message>
        <source>Untick All in Every Group</source>
        <translation>Desmarcar todo en todos los grupos</translation>
    </message>
</context>
<context>
    <name>SessionRow</name>
    <message>
        <source>Put back</source>
        <translation>Devuelto</translation>
    </message>
    <message>
        <source>%1 waiting: a file with the same name is back in the original place</source>
        <translation>%1 en espera: vuelve a haber un archivo con el mismo nombre en su sitio original</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files (%1) in the review folder</source>
        <translation>
            <numerusform>%Ln archivo (%1) en la carpeta de revisión</numerusform>
            <numerusform>%Ln archivos (%1) en la carpeta de revisión</numerusform>
        </translation>
    </message>
    <message>
        <source>Show in File Manager: move “%1”</source>
        <translation>Mostrar en el gestor de archivos: traslado «%1»</translation>
    </message>
    <message>
        <source>Restore: move “%1”</source>
        <translation>Restaurar: traslado «%1»</translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Matching</source>
        <translation>Emparejamiento</translation>
    </message>
    <message>
        <source>Privacy</source>
        <translation>Privacidad</translation>
    </message>
    <message>
        <source>Names</source>
        <translation>Nombres</translation>
    </message>
    <message>
        <source>Edited copies count as the JPEG (IMG_0001-Edit.jpg, “copy”, “(1)”)</source>
        <translation>Las copias editadas cuentan como el JPEG (IMG_0001-Edit.jpg, «copia», «(1)»)</translation>
    </message>
    <message>
        <source>Canon _MG_1234 is the same photo as IMG_1234</source>
        <translation>En Canon, _MG_1234 es la misma foto que IMG_1234</translation>
    </message>
    <message>
        <source>Pair across subfolders (cameras that write RAW and JPG folders)</source>
        <translation>Emparejar entre subcarpetas (cámaras que escriben carpetas RAW y JPG)</translation>
    </message>
    <message>
        <source>Renamed files</source>
        <translation>Archivos renombrados</translation>
    </message>
    <message>
        <source>Pair by capture time and camera when names differ</source>
        <translation>Emparejar por hora de captura y cámara cuando los nombres no coinciden</translation>
    </message>
    <message>
        <source>What’s listed</source>
        <translation>Qué se muestra</translation>
    </message>
    <message>
        <source>Only in folders that hold both RAW and JPEG files</source>
        <translation>Solo en carpetas que tienen a la vez RAW y JPEG</translation>
    </message>
    <message>
        <source>Offer HEIC files with no RAW too</source>
        <translation>Ofrecer también los HEIC sin RAW</translation>
    </message>
    <message>
        <source>A folder of only RAW or only JPEG files is usually how it was shot, not leftovers. HEIC files always count as a RAW’s twin either way.</source>
        <translation>Una carpeta con solo RAW o solo JPEG suele ser así desde la toma, no son restos. Los HEIC siempre cuentan como gemelos de un RAW en cualquier caso.</translation>
    </message>
    <message>
        <source>Your photos never leave this computer. %1 reads the folders you choose, and moves only the files you tick, into a review folder inside that folder. It never deletes a file.</source>
        <translation>Tus fotos nunca salen de este ordenador. %1 lee las carpetas que eliges y mueve solo los archivos que marcas, a una carpeta de revisión dentro de esa carpeta. Nunca borra un archivo.</translation>
    </message>
    <message>
        <source>Recognise the names phones and editing tools write (PXL_…COVER.jpg, IMG_E0102.JPG)</source>
        <translation>Reconocer los nombres de móviles y editores (PXL_…COVER.jpg, IMG_E0102.JPG)</translation>
    </message>
</context>
<context>
    <name>SidebarView</name>
    <message>
        <source>Overview</source>
        <translation>Resumen</translation>
    </message>
    <message>
        <source>Leftovers</source>
        <translation>Restos</translation>
    </message>
    <message>
        <source>Kept</source>
        <translation>Se quedan</translation>
    </message>
    <message>
        <source>Pairs</source>
        <translation>Parejas</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurar</translation>
    </message>
    <message numerus="yes">
        <source>%1, %Ln files</source>
        <translation>
            <numerusform>%1, %Ln archivo</numerusform>
            <numerusform>%1, %Ln archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Barra lateral</translation>
    </message>
    <message>
        <source>Pairs, %1 pairs</source>
        <translation>Parejas, %1 parejas</translation>
    </message>
    <message>
        <source>Restore, %1 moves to restore</source>
        <translation>Restaurar, %1 traslados por restaurar</translation>
    </message>
</context>
<context>
    <name>StartView</name>
    <message>
        <source>Tidy up after culling</source>
        <translation>Ordena después del descarte</translation>
    </message>
    <message>
        <source>Pick a folder of shoots. %1 finds RAW files whose JPEG you deleted, JPEGs whose RAW you deleted, and sidecar files left behind. You tick what goes; it moves them to a review folder you can restore from, and never deletes anything.</source>
        <translation>Elige una carpeta de sesiones. %1 encuentra los RAW cuyo JPEG borraste, los JPEG cuyo RAW borraste y los sidecars que quedaron sueltos. Tú marcas lo que se va; los mueve a una carpeta de revisión desde la que puedes restaurar, y nunca borra nada.</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Elegir carpeta…</translation>
    </message>
    <message>
        <source>Recent folders</source>
        <translation>Carpetas recientes</translation>
    </message>
    <message>
        <source>If Lightroom or Capture One knows about these photos, moved files will show as missing there.</source>
        <translation>Si Lightroom o Capture One conocen estas fotos, los archivos movidos aparecerán allí como perdidos.</translation>
    </message>
    <message>
        <source>Everything stays on this computer.</source>
        <translation>Todo se queda en este ordenador.</translation>
    </message>
    <message>
        <source>Not for Apple Photos libraries: %1 refuses folders that hold an Apple Photos library, as a Mac’s disk may, or a Lightroom or Capture One catalog. Apple Photos pairs can only be changed inside Apple Photos, on a Mac.</source>
        <translation>No es para fototecas de Fotos de Apple: %1 rechaza las carpetas que contienen una fototeca de Fotos de Apple, como puede tenerla el disco de un Mac, o un catálogo de Lightroom o Capture One. Las parejas de Fotos de Apple solo se pueden cambiar dentro de Fotos de Apple, en un Mac.</translation>
    </message>
</context>
<context>
    <name>UnreadableItem</name>
    <message>
        <source>permission denied</source>
        <translation>permiso denegado</translation>
    </message>
    <message>
        <source>operation not permitted</source>
        <translation>operación no permitida</translation>
    </message>
    <message>
        <source>input/output error</source>
        <translation>error de entrada/salida</translation>
    </message>
    <message>
        <source>stale file handle</source>
        <translation>identificador de archivo obsoleto</translation>
    </message>
    <message>
        <source>transport endpoint is not connected</source>
        <translation>la conexión con la unidad se ha perdido</translation>
    </message>
</context>
<context>
    <name>Updater</name>
    <message>
        <source>This app</source>
        <translation>Esta app</translation>
    </message>
    <message>
        <source>A new version of %1 is available</source>
        <translation>Hay una versión nueva de %1</translation>
    </message>
    <message>
        <source>%1 %2 is out; you have %3.</source>
        <translation>Ya está disponible %1 %2; tienes la %3.</translation>
    </message>
    <message>
        <source>Download…</source>
        <translation>Descargar…</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Más tarde</translation>
    </message>
    <message>
        <source>You’re up to date</source>
        <translation>Estás al día</translation>
    </message>
    <message>
        <source>%1 %2 is the newest version. %1 checks for updates on its own and will let you know when there’s a new one.</source>
        <translation>%1 %2 es la versión más reciente. %1 busca actualizaciones por su cuenta y te avisará cuando haya una nueva.</translation>
    </message>
    <message>
        <source>Couldn’t check for updates</source>
        <translation>No se pudo buscar actualizaciones</translation>
    </message>
    <message>
        <source>Check your internet connection and try again. %1 also checks on its own about once a day.</source>
        <translation>Comprueba tu conexión a internet y vuelve a intentarlo. %1 también lo comprueba por su cuenta una vez al día, más o menos.</translation>
    </message>
    <message>
        <source>Updates come with your package</source>
        <translation>Las actualizaciones llegan con tu paquete</translation>
    </message>
    <message>
        <source>This copy of %1 (version %2) doesn’t look for updates itself. It is updated with the package it was installed from: your system’s software updates bring new versions of %1.</source>
        <translation>Esta copia de %1 (versión %2) no busca actualizaciones por sí misma. Se actualiza con el paquete desde el que se instaló: las actualizaciones de software de tu sistema traen las nuevas versiones de %1.</translation>
    </message>
</context>
</TS>
