<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AlarmService</name>
    <message>
        <source>The timer of %1 has ended.</source>
        <translation>El temporizador de %1 ha terminado.</translation>
    </message>
    <message>
        <source>Missed timer</source>
        <translation>Temporizador perdido</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Temporizador</translation>
    </message>
    <message>
        <source>Alarm at %1</source>
        <translation>Alarma a las %1</translation>
    </message>
    <message>
        <source>Missed alarm</source>
        <translation>Alarma perdida</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarma</translation>
    </message>
    <message>
        <source>%1
Due %2, while the computer slept or the clock was not running.</source>
        <translation>%1
Prevista %2, mientras el ordenador dormía o el reloj no estaba en marcha.</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Snooze 5 minutes</source>
        <translation>Posponer 5 minutos</translation>
    </message>
</context>
<context>
    <name>AlarmTexts</name>
    <message>
        <source>Once</source>
        <translation>Una vez</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Todos los días</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 a %2</translation>
    </message>
</context>
<context>
    <name>AlarmsDialog</name>
    <message>
        <source>VELMORA - Alarms and timers</source>
        <translation>VELMORA - Alarmas y temporizadores</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Días</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etiqueta</translation>
    </message>
    <message>
        <source>(none: once)</source>
        <translation>(ninguno: una vez)</translation>
    </message>
    <message>
        <source>What it is for</source>
        <translation>Para qué es</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Restante</translation>
    </message>
    <message>
        <source> h</source>
        <translation> h</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>The clock&apos;s own</source>
        <translation>El del reloj</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Choose a sound</source>
        <translation>Elegir un sonido</translation>
    </message>
    <message>
        <source>WAV sounds (*.wav)</source>
        <translation>Sonidos WAV (*.wav)</translation>
    </message>
    <message>
        <source>Chime:</source>
        <translation>Campanada:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>&amp;Alarms</source>
        <translation>&amp;Alarmas</translation>
    </message>
    <message>
        <source>&amp;Timers</source>
        <translation>&amp;Temporizadores</translation>
    </message>
    <message>
        <source>S&amp;ounds</source>
        <translation>&amp;Sonidos</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>Añad&amp;ir</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Quitar</translation>
    </message>
    <message>
        <source>Ti&amp;me:</source>
        <translation>&amp;Hora:</translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation>&amp;Etiqueta:</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>I&amp;niciar</translation>
    </message>
    <message>
        <source>Len&amp;gth:</source>
        <translation>D&amp;uración:</translation>
    </message>
    <message>
        <source>&amp;Play sounds</source>
        <translation>&amp;Reproducir sonidos</translation>
    </message>
    <message>
        <source>On the &amp;hour</source>
        <translation>A la &amp;hora en punto</translation>
    </message>
    <message>
        <source>Every &amp;quarter</source>
        <translation>Cada c&amp;uarto de hora</translation>
    </message>
    <message>
        <source>Chime so&amp;und:</source>
        <translation>Sonido de la ca&amp;mpanada:</translation>
    </message>
    <message>
        <source>Alarm &amp;sound:</source>
        <translation>Sonido de a&amp;larma:</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Detener</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Days:</source>
        <translation>Días:</translation>
    </message>
</context>
<context>
    <name>BackgroundCheck</name>
    <message>
        <source>the file does not exist</source>
        <translation>el archivo no existe</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>el archivo ocupa más de %1 MB</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>no se puede leer el archivo</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>About Velmora %1</source>
        <extracomment>The info dialog&apos;s title; %1 is the version.</extracomment>
        <translation>Acerca de Velmora %1</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Velmora %1, a desktop clock.
Free software under the MIT licence.
Made by the Velmora developers; time zones from the IANA time zone database.</source>
        <translation>Velmora %1, un reloj de escritorio.
Software libre bajo la licencia MIT.
Hecho por los desarrolladores de Velmora; zonas horarias de la base de datos de zonas horarias de la IANA.</translation>
    </message>
</context>
<context>
    <name>COptionTreeSpinnerEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Deshacer</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Seleccionar todo</translation>
    </message>
</context>
<context>
    <name>COptionsDial</name>
    <message>
        <source>Undo the last change (Ctrl+Z)</source>
        <translation>Deshacer el último cambio (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo the change undone (Ctrl+Shift+Z)</source>
        <translation>Rehacer el cambio deshecho (Ctrl+Mayús+Z)</translation>
    </message>
    <message>
        <source>carried image, %1 x %2</source>
        <translation>imagen incluida, %1 × %2</translation>
    </message>
    <message>
        <source>carried file, %1 bytes</source>
        <translation>archivo incluido, %1 bytes</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>¿Guardar los cambios?</translation>
    </message>
    <message>
        <source>File open error</source>
        <translation>Error al abrir</translation>
    </message>
    <message>
        <source>Can&apos;t access this file, please select another or permit access.</source>
        <translation>No se puede acceder a este archivo; elija otro o permita el acceso.</translation>
    </message>
    <message>
        <source>Load error</source>
        <translation>Error de carga</translation>
    </message>
    <message>
        <source>Image not usable</source>
        <translation>Imagen no utilizable</translation>
    </message>
    <message>
        <source>%1

cannot be the background: %2. The previous image stays.</source>
        <translation>%1

no puede ser el fondo: %2. Se mantiene la imagen anterior.</translation>
    </message>
    <message>
        <source>Velmoras (*.Velmora)</source>
        <translation>Diseños de Velmora (*.Velmora)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Revertir</translation>
    </message>
    <message>
        <source>Revert to the scheme as it was when this dialog opened? Your edits can be undone.</source>
        <translation>¿Volver al diseño tal como estaba al abrir este diálogo? Podrá deshacer sus cambios.</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Restore the built-in scheme? Your edits can be undone.</source>
        <translation>¿Restablecer el diseño integrado? Podrá deshacer sus cambios.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Discard the changes to the built-in scheme?</source>
        <translation>¿Descartar los cambios del diseño integrado?</translation>
    </message>
    <message>
        <source>Discard the changes to %1?</source>
        <translation>¿Descartar los cambios de %1?</translation>
    </message>
    <message>
        <source>Your changes are not saved in a scheme file.</source>
        <translation>Sus cambios no están guardados en ningún archivo de diseño.</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Guardar como…</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>Keep Editing</source>
        <translation>Seguir editando</translation>
    </message>
    <message>
        <source>Move to top</source>
        <translation>Mover al principio</translation>
    </message>
    <message>
        <source>Drawn first, under every other element</source>
        <translation>Se dibuja primero, debajo de todos los demás elementos</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>Move to bottom</source>
        <translation>Mover al final</translation>
    </message>
    <message>
        <source>Drawn last, over every other element</source>
        <translation>Se dibuja el último, encima de todos los demás elementos</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Choose a zone...</source>
        <translation>Elegir una zona…</translation>
    </message>
    <message>
        <source>All four user time zones are in use by other elements of this scheme. Change the zone of one of them first.</source>
        <translation>Las cuatro zonas horarias de usuario las usan otros elementos de este diseño. Cambie antes la zona de uno de ellos.</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Zona horaria</translation>
    </message>
    <message>
        <source>Examples</source>
        <translation>Ejemplos</translation>
    </message>
    <message>
        <source>Recently used</source>
        <translation>Usados recientemente</translation>
    </message>
    <message>
        <source>Other scheme file...</source>
        <translation>Otro archivo de diseño…</translation>
    </message>
</context>
<context>
    <name>CVelmoraApp</name>
    <message>
        <source>runs without taking later launches over: %1</source>
        <translation>se ejecuta sin hacerse cargo de los siguientes inicios: %1</translation>
    </message>
    <message>
        <source>The settings file %1 could not be used: %2. It was moved, unchanged, to:
%3

The clock starts with its default settings.</source>
        <translation>No se pudo usar el archivo de ajustes %1: %2. Se ha movido, sin cambios, a:
%3

El reloj arranca con sus ajustes predeterminados.</translation>
    </message>
    <message>
        <source>Your settings could not be saved to %1: %2.

The clock keeps your changes while it runs; they are lost when it ends unless the file can be written again.</source>
        <translation>No se pudieron guardar sus ajustes en %1: %2.

El reloj conserva sus cambios mientras funciona; se perderán al cerrarlo si el archivo no puede volver a escribirse.</translation>
    </message>
    <message>
        <source>cannot be used: %1</source>
        <translation>no se puede usar: %1</translation>
    </message>
    <message>
        <source>the clock could not be started</source>
        <translation>no se pudo iniciar el reloj</translation>
    </message>
</context>
<context>
    <name>CVelmoraDlg</name>
    <message>
        <source>Load error</source>
        <translation>Error de carga</translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation>Iniciar con el escritorio</translation>
    </message>
    <message>
        <source>The login entry %1 could not be written.</source>
        <translation>No se pudo escribir la entrada de inicio de sesión %1.</translation>
    </message>
    <message>
        <source>The login entry %1 could not be removed.</source>
        <translation>No se pudo eliminar la entrada de inicio de sesión %1.</translation>
    </message>
    <message>
        <source>Next alarm: %1</source>
        <translation>Próxima alarma: %1</translation>
    </message>
</context>
<context>
    <name>CalendarPopup</name>
    <message>
        <source>Calendar</source>
        <translation>Calendario</translation>
    </message>
    <message>
        <source>Previous year</source>
        <translation>Año anterior</translation>
    </message>
    <message>
        <source>Previous month</source>
        <translation>Mes anterior</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mes siguiente</translation>
    </message>
    <message>
        <source>Next year</source>
        <translation>Año siguiente</translation>
    </message>
</context>
<context>
    <name>ClockDialogs</name>
    <message>
        <source>Editor missing</source>
        <translation>Falta el editor</translation>
    </message>
    <message>
        <source>The editor of this installation cannot be loaded (%1). Reinstalling the program brings it back.</source>
        <translation>No se puede cargar el editor de esta instalación (%1). Reinstalar el programa lo recupera.</translation>
    </message>
    <message>
        <source>Calendar missing</source>
        <translation>Falta el calendario</translation>
    </message>
    <message>
        <source>The calendar and alarms of this installation cannot be loaded (%1). Reinstalling the program brings it back.</source>
        <translation>El calendario y las alarmas de esta instalación no se pueden cargar (%1). Reinstalar el programa los recupera.</translation>
    </message>
</context>
<context>
    <name>ClockInstance</name>
    <message>
        <source>the socket path %1 is too long</source>
        <translation>la ruta del socket %1 es demasiado larga</translation>
    </message>
    <message>
        <source>the running clock cannot be reached</source>
        <translation>no se puede contactar con el reloj en marcha</translation>
    </message>
    <message>
        <source>the running clock does not answer</source>
        <translation>el reloj en marcha no responde</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>no es una carpeta</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>pertenece a otro usuario</translation>
    </message>
    <message>
        <source>others may write in it</source>
        <translation>otros pueden escribir en ella</translation>
    </message>
    <message>
        <source>XDG_RUNTIME_DIR is not set</source>
        <translation>XDG_RUNTIME_DIR no está definido</translation>
    </message>
    <message>
        <source>the runtime folder %1 is not used (%2); later launches reach this clock through %3</source>
        <translation>no se usa la carpeta de ejecución %1 (%2); los lanzamientos posteriores llegan a este reloj a través de %3</translation>
    </message>
    <message>
        <source>no safe folder for the clock&apos;s socket (%1): later launches cannot hand files over to this clock</source>
        <translation>no hay una carpeta segura para el socket del reloj (%1): los lanzamientos posteriores no pueden pasarle archivos</translation>
    </message>
    <message>
        <source>a clock of this name runs already; without a safe runtime folder it cannot take files over</source>
        <translation>ya funciona un reloj con este nombre; sin una carpeta de ejecución segura no puede recibir archivos</translation>
    </message>
    <message>
        <source>the file name cannot be handed over</source>
        <translation>no se puede pasar el nombre del archivo</translation>
    </message>
    <message>
        <source>the socket %1 belongs to another user; nothing was sent</source>
        <translation>el socket %1 pertenece a otro usuario; no se ha enviado nada</translation>
    </message>
</context>
<context>
    <name>ClockMenu</name>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>&amp;Info...</source>
        <translation>&amp;Información…</translation>
    </message>
    <message>
        <source>&amp;Web help</source>
        <translation>Ayuda en la &amp;web</translation>
    </message>
    <message>
        <source>Official VELMORA web site...</source>
        <translation>Sitio web oficial de VELMORA…</translation>
    </message>
    <message>
        <source>Usage manual...</source>
        <translation>Manual de uso…</translation>
    </message>
    <message>
        <source>Customizing tutorial...</source>
        <translation>Tutorial de personalización…</translation>
    </message>
    <message>
        <source>Frequently asked questions (FAQ)...</source>
        <translation>Preguntas frecuentes (FAQ)…</translation>
    </message>
    <message>
        <source>Send e-mail feedback...</source>
        <translation>Enviar comentarios por correo…</translation>
    </message>
    <message>
        <source>Latest version...</source>
        <translation>Última versión…</translation>
    </message>
    <message>
        <source>C&amp;lick through</source>
        <translation>De&amp;jar pasar los clics</translation>
    </message>
    <message>
        <source>Stay on &amp;top</source>
        <translation>&amp;Siempre visible</translation>
    </message>
    <message>
        <source>T&amp;ransparency</source>
        <translation>T&amp;ransparencia</translation>
    </message>
    <message>
        <source>Pla&amp;y sounds</source>
        <translation>Reproducir so&amp;nidos</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>Ta&amp;maño</translation>
    </message>
    <message>
        <source>other size</source>
        <translation>otro tamaño</translation>
    </message>
    <message>
        <source>&amp;Hide to tray</source>
        <translation>&amp;Ocultar en la bandeja</translation>
    </message>
    <message>
        <source>&amp;New clock</source>
        <translation>Reloj nue&amp;vo</translation>
    </message>
    <message>
        <source>Start with the &amp;desktop</source>
        <translation>Iniciar con el &amp;escritorio</translation>
    </message>
    <message>
        <source>Dates in my lan&amp;guage</source>
        <translation>&amp;Fechas en mi idioma</translation>
    </message>
    <message>
        <source>Smooth &amp;motion</source>
        <translation>Movimiento s&amp;uave</translation>
    </message>
    <message>
        <source>Sch&amp;emes...</source>
        <translation>&amp;Diseños…</translation>
    </message>
    <message>
        <source>C&amp;ustomize...</source>
        <translation>&amp;Personalizar…</translation>
    </message>
    <message>
        <source>Time &amp;zones...</source>
        <translation>&amp;Zonas horarias…</translation>
    </message>
    <message>
        <source>&amp;Process priority</source>
        <translation>Prioridad del pro&amp;ceso</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Sa&amp;lir</translation>
    </message>
    <message>
        <source>0% (opaque)</source>
        <translation>0 % (opaco)</translation>
    </message>
    <message>
        <source>50% (semi transp.)</source>
        <translation>50 % (semitransp.)</translation>
    </message>
    <message>
        <source>95% (invisible)</source>
        <translation>95 % (invisible)</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Máxima</translation>
    </message>
    <message>
        <source>Above normal</source>
        <translation>Superior a la normal</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Below normal</source>
        <translation>Inferior a la normal</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>Mínima</translation>
    </message>
    <message>
        <source>On all wor&amp;kspaces</source>
        <translation>En &amp;todos los escritorios</translation>
    </message>
    <message>
        <source>L&amp;ock position</source>
        <translation>&amp;Bloquear la posición</translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A step of the transparency menu; %1 is the number.</extracomment>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Next alarm: %1</source>
        <translation>Próxima alarma: %1</translation>
    </message>
    <message>
        <source>&amp;Calendar...</source>
        <translation>C&amp;alendario…</translation>
    </message>
    <message>
        <source>&amp;Alarms...</source>
        <translation>Alarmas &amp;y temporizadores…</translation>
    </message>
</context>
<context>
    <name>ClockSpeech</name>
    <message>
        <source>%1, %2</source>
        <extracomment>The clock&apos;s time as a screen reader says it: %1 the time, %2 the date.
----------
A zone&apos;s time on another day than the local one: %1 the time, %2 the weekday.</extracomment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A line of the clock&apos;s tooltip: %1 the zone&apos;s name, %2 its time.</extracomment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1: %2
Pruebe «%1 --help» para más información.
</translation>
    </message>
    <message>
        <source>--clock given more than once</source>
        <translation>--clock indicado más de una vez</translation>
    </message>
    <message>
        <source>invalid clock name &apos;%1&apos;: use up to %2 letters, digits, &apos;-&apos; and &apos;_&apos;</source>
        <translation>nombre de reloj «%1» no válido: use hasta %2 letras, cifras, «-» y «_»</translation>
    </message>
    <message>
        <source>one scheme file at most, got %1</source>
        <translation>como mucho un archivo de diseño; se recibieron %1</translation>
    </message>
    <message>
        <source>the scheme file name is empty</source>
        <translation>el nombre del archivo de diseño está vacío</translation>
    </message>
    <message>
        <source>--%1 given more than once</source>
        <translation>--%1 indicado más de una vez</translation>
    </message>
    <message>
        <source>--alarm and --timer cannot be given together</source>
        <translation>--alarm y --timer no se pueden indicar juntos</translation>
    </message>
    <message>
        <source>--label goes with --alarm or --timer</source>
        <translation>--label acompaña a --alarm o --timer</translation>
    </message>
    <message>
        <source>--alarm and --timer take no scheme file</source>
        <translation>--alarm y --timer no llevan archivo de diseño</translation>
    </message>
    <message>
        <source>invalid time &apos;%1&apos;: use HH:MM, 00:00 to 23:59</source>
        <translation>hora «%1» no válida: use HH:MM, de 00:00 a 23:59</translation>
    </message>
    <message>
        <source>invalid duration &apos;%1&apos;: use for example 90s, 5m or 1h30m, up to 99h59m59s</source>
        <translation>duración «%1» no válida: use por ejemplo 90s, 5m o 1h30m, hasta 99h59m59s</translation>
    </message>
    <message>
        <source>Usage: %1 [--clock NAME] [FILE.Velmora]
       %1 [--clock NAME] --alarm HH:MM [--label TEXT]
       %1 [--clock NAME] --timer DURATION [--label TEXT]
A freely shaped clock that floats on the desktop.

Options:
  --clock NAME       run the clock of this name, with settings of its own
                     (letters, digits, &apos;-&apos; and &apos;_&apos;); without it, the default
                     clock
  --alarm HH:MM      set an alarm on the clock for the next HH:MM (00:00 to
                     23:59), starting the clock if it does not run
  --timer DURATION   start a timer on the clock: 90s, 5m, 1h30m and so on
  --label TEXT       what the alarm or timer is for, shown when it rings
  --check-modules    load each of the program&apos;s modules as the clock would,
                     tell where it came from or why it cannot be used, and exit
  -h, --help         show this help and exit
  -v, --version      show the version and exit

Arguments:
  FILE.Velmora       a scheme to show; a clock of the same name that is
                     already running takes it over and comes to the front
</source>
        <translation>Uso: %1 [--clock NOMBRE] [ARCHIVO.Velmora]
     %1 [--clock NOMBRE] --alarm HH:MM [--label TEXTO]
     %1 [--clock NOMBRE] --timer DURACIÓN [--label TEXTO]
Un reloj de forma libre que flota sobre el escritorio.

Opciones:
  --clock NOMBRE     ejecuta el reloj con ese nombre, con su propia
                     configuración (letras, cifras, «-» y «_»); sin ella, el
                     reloj predeterminado
  --alarm HH:MM      pone en el reloj una alarma para las próximas HH:MM (de
                     00:00 a 23:59), iniciando el reloj si no está en marcha
  --timer DURACIÓN   inicia un temporizador en el reloj: 90s, 5m, 1h30m, etc.
  --label TEXTO      para qué es la alarma o el temporizador, mostrado al sonar
  --check-modules    carga cada módulo del programa como lo haría el reloj,
                     indica de dónde vino o por qué no se puede usar, y sale
  -h, --help         muestra esta ayuda y sale
  -v, --version      muestra la versión y sale

Argumentos:
  ARCHIVO.Velmora    un diseño que mostrar; si ya funciona un reloj con el
                     mismo nombre, lo recibe y pasa al frente
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción «%1» desconocida</translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes no value</source>
        <translation>«%1» no admite ningún valor</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a value</source>
        <translation>«%1» necesita un valor</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>Scheme:</source>
        <translation>Diseño:</translation>
    </message>
    <message>
        <source>VELMORA - Customizing...</source>
        <translation>VELMORA – Personalización…</translation>
    </message>
    <message>
        <source>Local machine time zone</source>
        <translation>Zona horaria de este equipo</translation>
    </message>
    <message>
        <source>User set time zones:</source>
        <translation>Zonas horarias del usuario:</translation>
    </message>
    <message>
        <source>VELMORA - Time zone settings</source>
        <translation>VELMORA – Configuración de zonas horarias</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>&amp;Guardar como…</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Cargar…</translation>
    </message>
    <message>
        <source>&amp;Revert...</source>
        <translation>&amp;Revertir…</translation>
    </message>
    <message>
        <source>Restore &amp;Defaults...</source>
        <translation>Re&amp;stablecer…</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Ca&amp;ncelar</translation>
    </message>
    <message>
        <source>Current &amp;system setting:</source>
        <translation>Configuración actual del &amp;sistema:</translation>
    </message>
    <message>
        <source>&amp;Use the following fixed one instead:</source>
        <translation>&amp;Usar en su lugar esta zona fija:</translation>
    </message>
    <message>
        <source>User time zone #&amp;1:</source>
        <translation>Zona del usuario n.º &amp;1:</translation>
    </message>
    <message>
        <source>User time zone #&amp;2:</source>
        <translation>Zona del usuario n.º &amp;2:</translation>
    </message>
    <message>
        <source>User time zone #&amp;3:</source>
        <translation>Zona del usuario n.º &amp;3:</translation>
    </message>
    <message>
        <source>User time zone #&amp;4:</source>
        <translation>Zona del usuario n.º &amp;4:</translation>
    </message>
</context>
<context>
    <name>HelpLinks</name>
    <message>
        <source>This copy of Velmora has no feedback address set up, so no e-mail can be started.

To report a fault or suggest an improvement, please contact whoever provided this copy, for example your distribution&apos;s bug tracker or the maintainer of the package you installed.

The FAQ in the &quot;Web help&quot; menu may already answer your question.</source>
        <translation>Esta copia de Velmora no tiene configurada ninguna dirección para comentarios, así que no se puede iniciar ningún correo.

Para informar de un fallo o proponer una mejora, póngase en contacto con quien le proporcionó esta copia, por ejemplo el sistema de seguimiento de errores de su distribución o el responsable del paquete instalado.

Puede que las preguntas frecuentes del menú «Ayuda en la web» ya respondan a su pregunta.</translation>
    </message>
    <message>
        <source>No mail program could be started.

Please send your feedback by e-mail to:
%1</source>
        <translation>No se pudo iniciar ningún programa de correo.

Envíe sus comentarios por correo electrónico a:
%1</translation>
    </message>
</context>
<context>
    <name>OptionTree</name>
    <message>
        <source>No Item Selected</source>
        <translation>Ningún elemento seleccionado</translation>
    </message>
    <message>
        <source>Select an item to see its description.</source>
        <translation>Seleccione un elemento para ver su descripción.</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Activado</translation>
    </message>
    <message>
        <source>UnChecked</source>
        <translation>Desactivado</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automático</translation>
    </message>
    <message>
        <source>More Colors...</source>
        <translation>Más colores…</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Seleccionar carpeta</translation>
    </message>
    <message>
        <source>RGB (%1, %2, %3)</source>
        <translation>RGB (%1, %2, %3)</translation>
    </message>
    <message>
        <source>No selection made.</source>
        <translation>No se ha seleccionado nada.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propiedades</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Colores</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Imágenes</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Todos los archivos (*.*)</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>Sin vista previa</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Negro</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>Marrón</translation>
    </message>
    <message>
        <source>Dark Olive Green</source>
        <translation>Verde oliva oscuro</translation>
    </message>
    <message>
        <source>Dark Green</source>
        <translation>Verde oscuro</translation>
    </message>
    <message>
        <source>Dark Teal</source>
        <translation>Verde azulado oscuro</translation>
    </message>
    <message>
        <source>Dark Blue</source>
        <translation>Azul oscuro</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Índigo</translation>
    </message>
    <message>
        <source>Gray-80%</source>
        <translation>Gris 80&#xa0;%</translation>
    </message>
    <message>
        <source>Dark Red</source>
        <translation>Rojo oscuro</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Naranja</translation>
    </message>
    <message>
        <source>Dark Yellow</source>
        <translation>Amarillo oscuro</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Verde azulado</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Blue-Gray</source>
        <translation>Azul grisáceo</translation>
    </message>
    <message>
        <source>Gray-50%</source>
        <translation>Gris 50&#xa0;%</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <source>Light Orange</source>
        <translation>Naranja claro</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Lima</translation>
    </message>
    <message>
        <source>Sea Green</source>
        <translation>Verde mar</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Aguamarina</translation>
    </message>
    <message>
        <source>Light Blue</source>
        <translation>Azul claro</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violeta</translation>
    </message>
    <message>
        <source>Gray-40%</source>
        <translation>Gris 40&#xa0;%</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Gold</source>
        <translation>Oro</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <source>Bright Green</source>
        <translation>Verde brillante</translation>
    </message>
    <message>
        <source>Turquoise</source>
        <translation>Turquesa</translation>
    </message>
    <message>
        <source>Skyblue</source>
        <translation>Celeste</translation>
    </message>
    <message>
        <source>Plum</source>
        <translation>Ciruela</translation>
    </message>
    <message>
        <source>Gray-25%</source>
        <translation>Gris 25&#xa0;%</translation>
    </message>
    <message>
        <source>Rose</source>
        <translation>Rosa pálido</translation>
    </message>
    <message>
        <source>Tan</source>
        <translation>Canela</translation>
    </message>
    <message>
        <source>Light Yellow</source>
        <translation>Amarillo claro</translation>
    </message>
    <message>
        <source>Pale Green </source>
        <translation>Verde pálido</translation>
    </message>
    <message>
        <source>Pale Turquoise</source>
        <translation>Turquesa pálido</translation>
    </message>
    <message>
        <source>Pale Blue</source>
        <translation>Azul pálido</translation>
    </message>
    <message>
        <source>Lavender</source>
        <translation>Lavanda</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
</context>
<context>
    <name>SchemeChooser</name>
    <message>
        <source>Schemes</source>
        <translation>Diseños</translation>
    </message>
    <message>
        <source>No schemes were found.</source>
        <translation>No se ha encontrado ningún diseño.</translation>
    </message>
</context>
<context>
    <name>SchemeLoadError</name>
    <message>
        <source>The file was not found.</source>
        <translation>No se encontró el archivo.</translation>
    </message>
    <message>
        <source>It may have been moved, renamed or deleted. Choose the file again.</source>
        <translation>Puede que se haya movido, renombrado o borrado. Vuelva a elegir el archivo.</translation>
    </message>
    <message>
        <source>You are not allowed to read this file.</source>
        <translation>No tiene permiso para leer este archivo.</translation>
    </message>
    <message>
        <source>Ask for access to it, or choose another file.</source>
        <translation>Pida acceso a él o elija otro archivo.</translation>
    </message>
    <message>
        <source>This is not a file that can be loaded.</source>
        <translation>Esto no es un archivo que se pueda cargar.</translation>
    </message>
    <message>
        <source>It is a folder, a pipe or a device. Choose a scheme file.</source>
        <translation>Es una carpeta, una tubería o un dispositivo. Elija un archivo de diseño.</translation>
    </message>
    <message>
        <source>The file could not be opened.</source>
        <translation>No se pudo abrir el archivo.</translation>
    </message>
    <message>
        <source>Try again, or choose another file.</source>
        <translation>Inténtelo de nuevo o elija otro archivo.</translation>
    </message>
    <message>
        <source>This file is not a Velmora scheme.</source>
        <translation>Este archivo no es un diseño de Velmora.</translation>
    </message>
    <message>
        <source>Choose a scheme file, one that ends in .Velmora.</source>
        <translation>Elija un archivo de diseño, cuyo nombre termine en .Velmora.</translation>
    </message>
    <message>
        <source>This scheme file is damaged or incomplete.</source>
        <translation>Este archivo de diseño está dañado o incompleto.</translation>
    </message>
    <message>
        <source>It may have been cut short while it was copied. Choose another copy of it.</source>
        <translation>Puede que se cortara al copiarlo. Elija otra copia de él.</translation>
    </message>
    <message>
        <source>%1

%2

%3 The clock keeps the scheme it shows.</source>
        <translation>%1

%2

%3 El reloj conserva el diseño que muestra.</translation>
    </message>
    <message>
        <source>%1 (at byte %2)</source>
        <translation>%1 (en el byte %2)</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>it could not be parsed</source>
        <translation>no se pudo interpretar</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>es una carpeta, no un archivo</translation>
    </message>
    <message>
        <source>it is a pipe (FIFO), not a file</source>
        <translation>es una tubería (FIFO), no un archivo</translation>
    </message>
    <message>
        <source>it is a device or socket, not a file</source>
        <translation>es un dispositivo o un socket, no un archivo</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>es un enlace a un archivo que no existe</translation>
    </message>
    <message>
        <source>it is larger than 1 MB</source>
        <translation>ocupa más de 1 MB</translation>
    </message>
    <message>
        <source>it is not a settings file</source>
        <translation>no es un archivo de ajustes</translation>
    </message>
    <message>
        <source>the system refused to write it</source>
        <translation>el sistema se negó a escribirlo</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>(Local machine time zone)</source>
        <translation>(Zona horaria de este equipo)</translation>
    </message>
    <message>
        <source>(User set time zone 1)</source>
        <translation>(Zona del usuario 1)</translation>
    </message>
    <message>
        <source>(User set time zone 2)</source>
        <translation>(Zona del usuario 2)</translation>
    </message>
    <message>
        <source>(User set time zone 3)</source>
        <translation>(Zona del usuario 3)</translation>
    </message>
    <message>
        <source>(User set time zone 4)</source>
        <translation>(Zona del usuario 4)</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>detenido</translation>
    </message>
    <message>
        <source>second</source>
        <translation>segundo</translation>
    </message>
    <message>
        <source>second (continuous, high CPU usage!)</source>
        <translation>segundo (continuo, ¡alto uso de CPU!)</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>minuto</translation>
    </message>
    <message>
        <source>minute (continuous)</source>
        <translation>minuto (continuo)</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12 horas</translation>
    </message>
    <message>
        <source>12 hours (continuous)</source>
        <translation>12 horas (continuo)</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24 horas</translation>
    </message>
    <message>
        <source>24 hours (continuous)</source>
        <translation>24 horas (continuo)</translation>
    </message>
    <message>
        <source>flat</source>
        <translation>plano</translation>
    </message>
    <message>
        <source>square</source>
        <translation>cuadrado</translation>
    </message>
    <message>
        <source>round</source>
        <translation>redondo</translation>
    </message>
    <message>
        <source>triangle</source>
        <translation>triángulo</translation>
    </message>
    <message>
        <source>no anchor</source>
        <translation>sin ancla</translation>
    </message>
    <message>
        <source>square anchor</source>
        <translation>ancla cuadrada</translation>
    </message>
    <message>
        <source>round anchor</source>
        <translation>ancla redonda</translation>
    </message>
    <message>
        <source>diamond anchor</source>
        <translation>ancla en rombo</translation>
    </message>
    <message>
        <source>arrow anchor</source>
        <translation>ancla en flecha</translation>
    </message>
    <message>
        <source>opacity</source>
        <translation>opacidad</translation>
    </message>
    <message>
        <source>Sets the item&apos;s opacity (e.g.: 0 = invisible, 127 = semi transparent, 255 = 100% visible)</source>
        <translation>Define la opacidad del elemento (p. ej.: 0 = invisible, 127 = semitransparente, 255 = 100 % visible).</translation>
    </message>
    <message>
        <source>background image</source>
        <translation>imagen de fondo</translation>
    </message>
    <message>
        <source>Sets the image drawn as the clock&apos;s background. Its transparent parts give the clock its shape. The image is stored inside the scheme.</source>
        <translation>Define la imagen que se dibuja como fondo del reloj. Sus partes transparentes dan forma al reloj. La imagen se guarda dentro del diseño.</translation>
    </message>
    <message>
        <source>color</source>
        <translation>color</translation>
    </message>
    <message>
        <source>Sets the color of the hand line.</source>
        <translation>Define el color de la línea de la manecilla.</translation>
    </message>
    <message>
        <source>begin radius (%)</source>
        <translation>radio inicial (%)</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the hand line begins. The value may be negative.</source>
        <translation>Define el radio en % en el que empieza la línea de la manecilla. El valor puede ser negativo.</translation>
    </message>
    <message>
        <source>end radius (%)</source>
        <translation>radio final (%)</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the hand line ends. The value may be negative.</source>
        <translation>Define el radio en % en el que termina la línea de la manecilla. El valor puede ser negativo.</translation>
    </message>
    <message>
        <source>begin line cap</source>
        <translation>remate inicial</translation>
    </message>
    <message>
        <source>Sets the shape of the hand line at its beginning.</source>
        <translation>Define la forma de la línea de la manecilla en su inicio.</translation>
    </message>
    <message>
        <source>end line cap</source>
        <translation>remate final</translation>
    </message>
    <message>
        <source>Sets the shape of the hand line at its end.</source>
        <translation>Define la forma de la línea de la manecilla en su final.</translation>
    </message>
    <message>
        <source>thickness (%)</source>
        <translation>grosor (%)</translation>
    </message>
    <message>
        <source>Sets the thickness of the hand line in % of the clock&apos;s radius.</source>
        <translation>Define el grosor de la línea de la manecilla en % del radio del reloj.</translation>
    </message>
    <message>
        <source>time value</source>
        <translation>valor de tiempo</translation>
    </message>
    <message>
        <source>Sets the time value that the hand displays.</source>
        <translation>Define el valor de tiempo que muestra la manecilla.</translation>
    </message>
    <message>
        <source>Sets the color of the slice.</source>
        <translation>Define el color del sector.</translation>
    </message>
    <message>
        <source>outer radius</source>
        <translation>radio exterior</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the slice ends on the outside.</source>
        <translation>Define el radio en % en el que el sector termina por fuera.</translation>
    </message>
    <message>
        <source>Sets the time value that the slice displays.</source>
        <translation>Define el valor de tiempo que muestra el sector.</translation>
    </message>
    <message>
        <source>time zone</source>
        <translation>zona horaria</translation>
    </message>
    <message>
        <source>Sets the time zone in which the hand shows the time.</source>
        <translation>Define la zona horaria en la que la manecilla muestra la hora.</translation>
    </message>
    <message>
        <source>count down</source>
        <translation>cuenta atrás</translation>
    </message>
    <message>
        <source>If on, the slice shows the part that remains instead of the part that has passed.</source>
        <translation>Si está activado, el sector muestra la parte que queda en lugar de la que ha pasado.</translation>
    </message>
    <message>
        <source>center dX</source>
        <translation>centro dX</translation>
    </message>
    <message>
        <source>Moves the clock&apos;s center to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Desplaza el centro del reloj a la derecha en % del radio del reloj (a la izquierda si es negativo).</translation>
    </message>
    <message>
        <source>center dY</source>
        <translation>centro dY</translation>
    </message>
    <message>
        <source>Moves the clock&apos;s center down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Desplaza el centro del reloj hacia abajo en % del radio del reloj (hacia arriba si es negativo).</translation>
    </message>
    <message>
        <source>smoothing Mode</source>
        <translation>suavizado</translation>
    </message>
    <message>
        <source>Sets how smoothly lines and curves are drawn.</source>
        <translation>Define con qué suavidad se dibujan las líneas y curvas.</translation>
    </message>
    <message>
        <source>high Quality (lower speed)</source>
        <translation>alta calidad (más lento)</translation>
    </message>
    <message>
        <source>high Speed (lower quality)</source>
        <translation>alta velocidad (menor calidad)</translation>
    </message>
    <message>
        <source>clock body</source>
        <translation>cuerpo del reloj</translation>
    </message>
    <message>
        <source>The clock body is the basic element of a clock. It has a center and you can set a background image that will give the clock its shape.</source>
        <translation>El cuerpo del reloj es su elemento básico. Tiene un centro y puede asignarle una imagen de fondo que dará forma al reloj.</translation>
    </message>
    <message>
        <source>hand</source>
        <translation>manecilla</translation>
    </message>
    <message>
        <source>Clock hands are lines, that move around the clock body&apos;s center. Every clock hand can be setup to a specified value to display.</source>
        <translation>Las manecillas son líneas que giran alrededor del centro del cuerpo del reloj. Cada manecilla puede mostrar un valor elegido.</translation>
    </message>
    <message>
        <source>time slice</source>
        <translation>sector</translation>
    </message>
    <message>
        <source>Time slices are mostly like hands, but with the shap of a slice (or pie).</source>
        <translation>Los sectores son como manecillas, pero con forma de porción de tarta.</translation>
    </message>
    <message>
        <source>x offset (%)</source>
        <translation>desplazamiento x (%)</translation>
    </message>
    <message>
        <source>Moves the hand&apos;s center to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Desplaza el centro de la manecilla a la derecha en % del radio del reloj (a la izquierda si es negativo).</translation>
    </message>
    <message>
        <source>y offset (%)</source>
        <translation>desplazamiento y (%)</translation>
    </message>
    <message>
        <source>Moves the hand&apos;s center down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Desplaza el centro de la manecilla hacia abajo en % del radio del reloj (hacia arriba si es negativo).</translation>
    </message>
    <message>
        <source>day of week  (0..6=Sunday,M,T,W,T,F,S)</source>
        <translation>día de la semana (0..6 = domingo, L, M, X, J, V, S)</translation>
    </message>
    <message>
        <source>VELMORA

right click: open menu
double left click: switch display mode</source>
        <translation>VELMORA

clic derecho: abrir el menú
doble clic izquierdo: cambiar el modo de visualización</translation>
    </message>
    <message>
        <source>Moves the slice to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Desplaza el sector a la derecha en % del radio del reloj (a la izquierda si es negativo).</translation>
    </message>
    <message>
        <source>Moves the slice down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Desplaza el sector hacia abajo en % del radio del reloj (hacia arriba si es negativo).</translation>
    </message>
    <message>
        <source>text color</source>
        <translation>color del texto</translation>
    </message>
    <message>
        <source>Sets the color of the text.</source>
        <translation>Define el color del texto.</translation>
    </message>
    <message>
        <source>Moves the text to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Desplaza el texto a la derecha en % del radio del reloj (a la izquierda si es negativo).</translation>
    </message>
    <message>
        <source>Moves the text down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Desplaza el texto hacia abajo en % del radio del reloj (hacia arriba si es negativo).</translation>
    </message>
    <message>
        <source>format</source>
        <translation>formato</translation>
    </message>
    <message>
        <source>{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Tahoma;}}\fs16 {\b Sets the format of the text.} Codes starting with % are replaced by parts of the date and time; all other characters are shown as they are.\par \par {\b %a} weekday, abbreviated (Sun)\par {\b %A} weekday (Sunday)\par {\b %b} month, abbreviated (Jan)\par {\b %B} month (January)\par {\b %c} date and time (03/14/07 12:41:29)\par {\b %d} day of month (01 - 31)\par {\b %H} hour, 24-hour clock (00 - 23)\par {\b %I} hour, 12-hour clock (01 - 12)\par {\b %j} day of year (001 - 366)\par {\b %m} month (01 - 12)\par {\b %M} minute (00 - 59)\par {\b %p} AM or PM\par {\b %S} second (00 - 59)\par {\b %U} week of year, weeks starting on Sunday (00 - 53)\par {\b %W} week of year, weeks starting on Monday (00 - 53)\par {\b %w} weekday (0 - 6, Sunday is 0)\par {\b %x} date (03/14/07)\par {\b %X} time (12:41:29)\par {\b %y} year without century (00 - 99)\par {\b %Y} year with century (2007)\par {\b %z}, {\b %Z} the short name of the text&apos;s time zone (CET, JST)\par {\b %%} a percent sign\par \par A {\b #} after the % removes leading zeros (%#d shows 4 instead of 04); %#c and %#x show the long date (Wednesday, March 14, 2007).\par Example: %d.%m.%Y shows 14.03.2007, %H:%M:%S shows 12:41:29.}</source>
        <translation>{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Tahoma;}}\fs16 {\b Define el formato del texto.} Los códigos que empiezan por % se sustituyen por partes de la fecha y la hora; los demás caracteres se muestran tal cual.\par \par {\b %a} día de la semana, abreviado (Sun)\par {\b %A} día de la semana (Sunday)\par {\b %b} mes, abreviado (Jan)\par {\b %B} mes (January)\par {\b %c} fecha y hora (03/14/07 12:41:29)\par {\b %d} día del mes (01 – 31)\par {\b %H} hora, reloj de 24 horas (00 – 23)\par {\b %I} hora, reloj de 12 horas (01 – 12)\par {\b %j} día del año (001 – 366)\par {\b %m} mes (01 – 12)\par {\b %M} minuto (00 – 59)\par {\b %p} AM o PM\par {\b %S} segundo (00 – 59)\par {\b %U} semana del año, semanas que empiezan en domingo (00 – 53)\par {\b %W} semana del año, semanas que empiezan en lunes (00 – 53)\par {\b %w} día de la semana (0 – 6, el domingo es 0)\par {\b %x} fecha (03/14/07)\par {\b %X} hora (12:41:29)\par {\b %y} año sin siglo (00 – 99)\par {\b %Y} año con siglo (2007)\par {\b %z}, {\b %Z} el nombre corto de la zona horaria del texto (CET, JST)\par {\b %%} un signo de porcentaje\par \par Un {\b #} tras el % quita los ceros iniciales (%#d muestra 4 en lugar de 04); %#c y %#x muestran la fecha larga (Wednesday, March 14, 2007).\par Ejemplo: %d.%m.%Y muestra 14.03.2007, %H:%M:%S muestra 12:41:29.}</translation>
    </message>
    <message>
        <source>Sets the time zone in which the text shows the date and time.</source>
        <translation>Define la zona horaria en la que el texto muestra la fecha y la hora.</translation>
    </message>
    <message>
        <source>Sets the time zone in which the slice shows the time.</source>
        <translation>Define la zona horaria en la que el sector muestra la hora.</translation>
    </message>
    <message>
        <source>day of month (1..31)</source>
        <translation>día del mes (1..31)</translation>
    </message>
    <message>
        <source>centiseconds (high CPU usage!)</source>
        <translation>centésimas de segundo (¡alto uso de CPU!)</translation>
    </message>
    <message>
        <source>month of year (1..12)</source>
        <translation>mes del año (1..12)</translation>
    </message>
    <message>
        <source>week of year (1..52)</source>
        <translation>semana del año (1..52)</translation>
    </message>
    <message>
        <source>digital display</source>
        <translation>indicador digital</translation>
    </message>
    <message>
        <source>Digital displays show the date or time as text, formatted by a format of your choice.</source>
        <translation>Las pantallas digitales muestran la fecha o la hora como texto, con el formato que usted elija.</translation>
    </message>
    <message>
        <source>font family</source>
        <translation>tipo de letra</translation>
    </message>
    <message>
        <source>Sets the font family of the text.</source>
        <translation>Define el tipo de letra del texto.</translation>
    </message>
    <message>
        <source>font size (%)</source>
        <translation>tamaño de letra (%)</translation>
    </message>
    <message>
        <source>Sets the size of the text in % of the clock&apos;s diameter.</source>
        <translation>Define el tamaño del texto en % del diámetro del reloj.</translation>
    </message>
    <message>
        <source>font bold</source>
        <translation>negrita</translation>
    </message>
    <message>
        <source>If on, the text is drawn in bold.</source>
        <translation>Si está activado, el texto se dibuja en negrita.</translation>
    </message>
    <message>
        <source>font italic</source>
        <translation>cursiva</translation>
    </message>
    <message>
        <source>If on, the text is drawn in italics.</source>
        <translation>Si está activado, el texto se dibuja en cursiva.</translation>
    </message>
    <message>
        <source>author info</source>
        <translation>información del autor</translation>
    </message>
    <message>
        <source>The name of the scheme&apos;s author, and anything else worth knowing about the scheme.</source>
        <translation>El nombre del autor del diseño y todo lo que merezca saberse sobre él.</translation>
    </message>
    <message>
        <source>CPU #%d performance (%%)</source>
        <translation>rendimiento de la CPU n.º %d (%%)</translation>
    </message>
    <message>
        <source>memory load (%)</source>
        <translation>carga de memoria (%)</translation>
    </message>
    <message>
        <source>page file (%)</source>
        <translation>archivo de paginación (%)</translation>
    </message>
    <message>
        <source>real memory (%)</source>
        <translation>memoria física (%)</translation>
    </message>
    <message>
        <source>inner radius</source>
        <translation>radio interior</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the slice begins on the inside.</source>
        <translation>Define el radio en % en el que el sector empieza por dentro.</translation>
    </message>
</context>
<context>
    <name>ToolBar</name>
    <message>
        <source>Copy the selected element</source>
        <translation>Copiar el elemento seleccionado</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>New hand</source>
        <translation>Nueva manecilla</translation>
    </message>
    <message>
        <source>Hand</source>
        <translation>Manecilla</translation>
    </message>
    <message>
        <source>New time slice</source>
        <translation>Nuevo sector</translation>
    </message>
    <message>
        <source>Slice</source>
        <translation>Sector</translation>
    </message>
    <message>
        <source>New digital display</source>
        <translation>Nuevo indicador digital</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Delete the selected element</source>
        <translation>Eliminar el elemento seleccionado</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Move the selected element down (drawn later)</source>
        <translation>Bajar el elemento seleccionado (se dibuja después)</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>Move the selected element up (drawn earlier)</source>
        <translation>Subir el elemento seleccionado (se dibuja antes)</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Subir</translation>
    </message>
</context>
<context>
    <name>ZonePicker</name>
    <message>
        <source>Choose a zone</source>
        <translation>Elegir una zona</translation>
    </message>
    <message>
        <source>City, country or &amp;zone:</source>
        <translation>Ciudad, país o &amp;zona:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>Ca&amp;ncelar</translation>
    </message>
</context>
</TS>
