<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AlarmService</name>
    <message>
        <source>The timer of %1 has ended.</source>
        <translation>Le minuteur de %1 est écoulé.</translation>
    </message>
    <message>
        <source>Missed timer</source>
        <translation>Minuteur manqué</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Minuteur</translation>
    </message>
    <message>
        <source>Alarm at %1</source>
        <translation>Alarme à %1</translation>
    </message>
    <message>
        <source>Missed alarm</source>
        <translation>Alarme manquée</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>%1
Due %2, while the computer slept or the clock was not running.</source>
        <translation>%1
Prévue %2, pendant que l’ordinateur dormait ou que l’horloge ne tournait pas.</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Snooze 5 minutes</source>
        <translation>Répéter dans 5 minutes</translation>
    </message>
</context>
<context>
    <name>AlarmTexts</name>
    <message>
        <source>Once</source>
        <translation>Une fois</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 à %2</translation>
    </message>
</context>
<context>
    <name>AlarmsDialog</name>
    <message>
        <source>VELMORA - Alarms and timers</source>
        <translation>VELMORA - Alarmes et minuteurs</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Jours</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Libellé</translation>
    </message>
    <message>
        <source>(none: once)</source>
        <translation>(aucun&#xa0;: une fois)</translation>
    </message>
    <message>
        <source>What it is for</source>
        <translation>À quoi il sert</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Restant</translation>
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
        <translation>Choisir…</translation>
    </message>
    <message>
        <source>The clock&apos;s own</source>
        <translation>Celui de l’horloge</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Écouter</translation>
    </message>
    <message>
        <source>Choose a sound</source>
        <translation>Choisir un son</translation>
    </message>
    <message>
        <source>WAV sounds (*.wav)</source>
        <translation>Sons WAV (*.wav)</translation>
    </message>
    <message>
        <source>Chime:</source>
        <translation>Carillon&#xa0;:</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>&amp;Alarms</source>
        <translation>&amp;Alarmes</translation>
    </message>
    <message>
        <source>&amp;Timers</source>
        <translation>&amp;Minuteurs</translation>
    </message>
    <message>
        <source>S&amp;ounds</source>
        <translation>&amp;Sons</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>A&amp;jouter</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>Su&amp;pprimer</translation>
    </message>
    <message>
        <source>Ti&amp;me:</source>
        <translation>&amp;Heure&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Label:</source>
        <translation>&amp;Libellé&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>Déma&amp;rrer</translation>
    </message>
    <message>
        <source>Len&amp;gth:</source>
        <translation>&amp;Durée&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Play sounds</source>
        <translation>&amp;Jouer les sons</translation>
    </message>
    <message>
        <source>On the &amp;hour</source>
        <translation>À l’&amp;heure pile</translation>
    </message>
    <message>
        <source>Every &amp;quarter</source>
        <translation>Tous les &amp;quarts d’heure</translation>
    </message>
    <message>
        <source>Chime so&amp;und:</source>
        <translation>Son du &amp;carillon&#xa0;:</translation>
    </message>
    <message>
        <source>Alarm &amp;sound:</source>
        <translation>Son d’a&amp;larme&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>Arrê&amp;ter</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Days:</source>
        <translation>Jours&#xa0;:</translation>
    </message>
</context>
<context>
    <name>BackgroundCheck</name>
    <message>
        <source>the file does not exist</source>
        <translation>le fichier n’existe pas</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>le fichier dépasse %1&#xa0;Mo</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>le fichier ne peut pas être lu</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>About Velmora %1</source>
        <extracomment>The info dialog&apos;s title; %1 is the version.</extracomment>
        <translation>À propos de Velmora %1</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Velmora %1, a desktop clock.
Free software under the MIT licence.
Made by the Velmora developers; time zones from the IANA time zone database.</source>
        <translation>Velmora %1, une horloge de bureau.
Logiciel libre sous licence MIT.
Réalisé par les développeurs de Velmora&#xa0;; fuseaux horaires de la base de données des fuseaux horaires de l’IANA.</translation>
    </message>
</context>
<context>
    <name>COptionTreeSpinnerEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Co&amp;uper</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>C&amp;oller</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
</context>
<context>
    <name>COptionsDial</name>
    <message>
        <source>Undo the last change (Ctrl+Z)</source>
        <translation>Annuler la dernière modification (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Redo the change undone (Ctrl+Shift+Z)</source>
        <translation>Rétablir la modification annulée (Ctrl+Maj+Z)</translation>
    </message>
    <message>
        <source>carried image, %1 x %2</source>
        <translation>image incluse, %1&#xa0;×&#xa0;%2</translation>
    </message>
    <message>
        <source>carried file, %1 bytes</source>
        <translation>fichier inclus, %1&#xa0;octets</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Enregistrer les modifications&#xa0;?</translation>
    </message>
    <message>
        <source>File open error</source>
        <translation>Erreur d’ouverture</translation>
    </message>
    <message>
        <source>Can&apos;t access this file, please select another or permit access.</source>
        <translation>Impossible d’accéder à ce fichier&#xa0;; choisissez-en un autre ou autorisez l’accès.</translation>
    </message>
    <message>
        <source>Load error</source>
        <translation>Erreur de chargement</translation>
    </message>
    <message>
        <source>Image not usable</source>
        <translation>Image inutilisable</translation>
    </message>
    <message>
        <source>%1

cannot be the background: %2. The previous image stays.</source>
        <translation>%1

ne peut pas servir d’arrière-plan&#xa0;: %2. L’image précédente est conservée.</translation>
    </message>
    <message>
        <source>Velmoras (*.Velmora)</source>
        <translation>Thèmes Velmora (*.Velmora)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>Revenir</translation>
    </message>
    <message>
        <source>Revert to the scheme as it was when this dialog opened? Your edits can be undone.</source>
        <translation>Revenir au thème tel qu’il était à l’ouverture de cette fenêtre&#xa0;? Vos modifications pourront être annulées.</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Restore the built-in scheme? Your edits can be undone.</source>
        <translation>Rétablir le thème intégré&#xa0;? Vos modifications pourront être annulées.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Discard the changes to the built-in scheme?</source>
        <translation>Abandonner les modifications du thème intégré&#xa0;?</translation>
    </message>
    <message>
        <source>Discard the changes to %1?</source>
        <translation>Abandonner les modifications de %1&#xa0;?</translation>
    </message>
    <message>
        <source>Your changes are not saved in a scheme file.</source>
        <translation>Vos modifications ne sont enregistrées dans aucun fichier de thème.</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Enregistrer sous…</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Keep Editing</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Move to top</source>
        <translation>Tout en haut</translation>
    </message>
    <message>
        <source>Drawn first, under every other element</source>
        <translation>Dessiné en premier, sous tous les autres éléments</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Move to bottom</source>
        <translation>Tout en bas</translation>
    </message>
    <message>
        <source>Drawn last, over every other element</source>
        <translation>Dessiné en dernier, par-dessus tous les autres éléments</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Choose a zone...</source>
        <translation>Choisir un fuseau…</translation>
    </message>
    <message>
        <source>All four user time zones are in use by other elements of this scheme. Change the zone of one of them first.</source>
        <translation>Les quatre fuseaux utilisateur servent déjà à d’autres éléments de ce thème. Changez d’abord le fuseau de l’un d’eux.</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Fuseau horaire</translation>
    </message>
    <message>
        <source>Examples</source>
        <translation>Exemples</translation>
    </message>
    <message>
        <source>Recently used</source>
        <translation>Utilisés récemment</translation>
    </message>
    <message>
        <source>Other scheme file...</source>
        <translation>Autre fichier de thème…</translation>
    </message>
</context>
<context>
    <name>CVelmoraApp</name>
    <message>
        <source>runs without taking later launches over: %1</source>
        <translation>fonctionne sans reprendre les lancements suivants&#xa0;: %1</translation>
    </message>
    <message>
        <source>The settings file %1 could not be used: %2. It was moved, unchanged, to:
%3

The clock starts with its default settings.</source>
        <translation>Le fichier de réglages %1 n’a pas pu être utilisé&#xa0;: %2. Il a été déplacé, sans modification, vers&#xa0;:
%3

L’horloge démarre avec ses réglages par défaut.</translation>
    </message>
    <message>
        <source>Your settings could not be saved to %1: %2.

The clock keeps your changes while it runs; they are lost when it ends unless the file can be written again.</source>
        <translation>Vos réglages n’ont pas pu être enregistrés dans %1&#xa0;: %2.

L’horloge garde vos modifications tant qu’elle fonctionne&#xa0;; elles seront perdues à sa fermeture si le fichier ne peut toujours pas être écrit.</translation>
    </message>
    <message>
        <source>cannot be used: %1</source>
        <translation>inutilisable : %1</translation>
    </message>
    <message>
        <source>the clock could not be started</source>
        <translation>l’horloge n’a pas pu être lancée</translation>
    </message>
</context>
<context>
    <name>CVelmoraDlg</name>
    <message>
        <source>Load error</source>
        <translation>Erreur de chargement</translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation>Démarrer avec le bureau</translation>
    </message>
    <message>
        <source>The login entry %1 could not be written.</source>
        <translation>L’entrée de connexion %1 n’a pas pu être écrite.</translation>
    </message>
    <message>
        <source>The login entry %1 could not be removed.</source>
        <translation>L’entrée de connexion %1 n’a pas pu être supprimée.</translation>
    </message>
    <message>
        <source>Next alarm: %1</source>
        <translation>Prochaine alarme&#xa0;: %1</translation>
    </message>
</context>
<context>
    <name>CalendarPopup</name>
    <message>
        <source>Calendar</source>
        <translation>Calendrier</translation>
    </message>
    <message>
        <source>Previous year</source>
        <translation>Année précédente</translation>
    </message>
    <message>
        <source>Previous month</source>
        <translation>Mois précédent</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Mois suivant</translation>
    </message>
    <message>
        <source>Next year</source>
        <translation>Année suivante</translation>
    </message>
</context>
<context>
    <name>ClockDialogs</name>
    <message>
        <source>Editor missing</source>
        <translation>Éditeur manquant</translation>
    </message>
    <message>
        <source>The editor of this installation cannot be loaded (%1). Reinstalling the program brings it back.</source>
        <translation>L’éditeur de cette installation ne peut pas être chargé (%1). Réinstaller le programme le rétablit.</translation>
    </message>
    <message>
        <source>Calendar missing</source>
        <translation>Calendrier manquant</translation>
    </message>
    <message>
        <source>The calendar and alarms of this installation cannot be loaded (%1). Reinstalling the program brings it back.</source>
        <translation>Le calendrier et les alarmes de cette installation ne peuvent pas être chargés (%1). Réinstaller le programme les rétablit.</translation>
    </message>
</context>
<context>
    <name>ClockInstance</name>
    <message>
        <source>the socket path %1 is too long</source>
        <translation>le chemin de socket %1 est trop long</translation>
    </message>
    <message>
        <source>the running clock cannot be reached</source>
        <translation>l’horloge en cours est injoignable</translation>
    </message>
    <message>
        <source>the running clock does not answer</source>
        <translation>l’horloge en cours ne répond pas</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>ce n’est pas un dossier</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>il appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>others may write in it</source>
        <translation>d’autres peuvent y écrire</translation>
    </message>
    <message>
        <source>XDG_RUNTIME_DIR is not set</source>
        <translation>XDG_RUNTIME_DIR n’est pas défini</translation>
    </message>
    <message>
        <source>the runtime folder %1 is not used (%2); later launches reach this clock through %3</source>
        <translation>le dossier d’exécution %1 n’est pas utilisé (%2)&#xa0;; les lancements suivants joignent cette horloge par %3</translation>
    </message>
    <message>
        <source>no safe folder for the clock&apos;s socket (%1): later launches cannot hand files over to this clock</source>
        <translation>aucun dossier sûr pour le socket de l’horloge (%1)&#xa0;: les lancements suivants ne peuvent pas lui transmettre de fichiers</translation>
    </message>
    <message>
        <source>a clock of this name runs already; without a safe runtime folder it cannot take files over</source>
        <translation>une horloge de ce nom fonctionne déjà&#xa0;; sans dossier d’exécution sûr, elle ne peut pas reprendre de fichiers</translation>
    </message>
    <message>
        <source>the file name cannot be handed over</source>
        <translation>le nom de fichier ne peut pas être transmis</translation>
    </message>
    <message>
        <source>the socket %1 belongs to another user; nothing was sent</source>
        <translation>le socket %1 appartient à un autre utilisateur&#xa0;; rien n’a été envoyé</translation>
    </message>
</context>
<context>
    <name>ClockMenu</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&amp;Info...</source>
        <translation>&amp;Informations…</translation>
    </message>
    <message>
        <source>&amp;Web help</source>
        <translation>&amp;Aide en ligne</translation>
    </message>
    <message>
        <source>Official VELMORA web site...</source>
        <translation>Site web officiel de VELMORA…</translation>
    </message>
    <message>
        <source>Usage manual...</source>
        <translation>Manuel d’utilisation…</translation>
    </message>
    <message>
        <source>Customizing tutorial...</source>
        <translation>Tutoriel de personnalisation…</translation>
    </message>
    <message>
        <source>Frequently asked questions (FAQ)...</source>
        <translation>Foire aux questions (FAQ)…</translation>
    </message>
    <message>
        <source>Send e-mail feedback...</source>
        <translation>Envoyer un commentaire par courriel…</translation>
    </message>
    <message>
        <source>Latest version...</source>
        <translation>Dernière version…</translation>
    </message>
    <message>
        <source>C&amp;lick through</source>
        <translation>&amp;Laisser passer les clics</translation>
    </message>
    <message>
        <source>Stay on &amp;top</source>
        <translation>&amp;Toujours au premier plan</translation>
    </message>
    <message>
        <source>T&amp;ransparency</source>
        <translation>T&amp;ransparence</translation>
    </message>
    <message>
        <source>Pla&amp;y sounds</source>
        <translation>&amp;Jouer les sons</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>Taill&amp;e</translation>
    </message>
    <message>
        <source>other size</source>
        <translation>autre taille</translation>
    </message>
    <message>
        <source>&amp;Hide to tray</source>
        <translation>Réduire dans la &amp;zone de notification</translation>
    </message>
    <message>
        <source>&amp;New clock</source>
        <translation>N&amp;ouvelle horloge</translation>
    </message>
    <message>
        <source>Start with the &amp;desktop</source>
        <translation>&amp;Démarrer avec le bureau</translation>
    </message>
    <message>
        <source>Dates in my lan&amp;guage</source>
        <translation>Dates dans &amp;ma langue</translation>
    </message>
    <message>
        <source>Smooth &amp;motion</source>
        <translation>Mo&amp;uvement fluide</translation>
    </message>
    <message>
        <source>Sch&amp;emes...</source>
        <translation>T&amp;hèmes…</translation>
    </message>
    <message>
        <source>C&amp;ustomize...</source>
        <translation>&amp;Personnaliser…</translation>
    </message>
    <message>
        <source>Time &amp;zones...</source>
        <translation>&amp;Fuseaux horaires…</translation>
    </message>
    <message>
        <source>&amp;Process priority</source>
        <translation>Priorité du pro&amp;cessus</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>0% (opaque)</source>
        <translation>0&#xa0;% (opaque)</translation>
    </message>
    <message>
        <source>50% (semi transp.)</source>
        <translation>50&#xa0;% (semi-transp.)</translation>
    </message>
    <message>
        <source>95% (invisible)</source>
        <translation>95&#xa0;% (invisible)</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>La plus haute</translation>
    </message>
    <message>
        <source>Above normal</source>
        <translation>Supérieure à la normale</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Below normal</source>
        <translation>Inférieure à la normale</translation>
    </message>
    <message>
        <source>Lowest</source>
        <translation>La plus basse</translation>
    </message>
    <message>
        <source>On all wor&amp;kspaces</source>
        <translation>Sur tous les &amp;bureaux</translation>
    </message>
    <message>
        <source>L&amp;ock position</source>
        <translation>&amp;Verrouiller la position</translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A step of the transparency menu; %1 is the number.</extracomment>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Next alarm: %1</source>
        <translation>Prochaine alarme&#xa0;: %1</translation>
    </message>
    <message>
        <source>&amp;Calendar...</source>
        <translation>Cale&amp;ndrier…</translation>
    </message>
    <message>
        <source>&amp;Alarms...</source>
        <translation>Alarme&amp;s et minuteurs…</translation>
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
        <translation>%1&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos; for more information.
</source>
        <translation>%1&#xa0;: %2
Essayez «&#xa0;%1 --help&#xa0;» pour plus d’informations.
</translation>
    </message>
    <message>
        <source>--clock given more than once</source>
        <translation>--clock donné plus d’une fois</translation>
    </message>
    <message>
        <source>invalid clock name &apos;%1&apos;: use up to %2 letters, digits, &apos;-&apos; and &apos;_&apos;</source>
        <translation>nom d’horloge «&#xa0;%1&#xa0;» invalide&#xa0;: utilisez jusqu’à %2 lettres, chiffres, «&#xa0;-&#xa0;» et «&#xa0;_&#xa0;»</translation>
    </message>
    <message>
        <source>one scheme file at most, got %1</source>
        <translation>un seul fichier de thème au plus, %1 reçus</translation>
    </message>
    <message>
        <source>the scheme file name is empty</source>
        <translation>le nom du fichier de thème est vide</translation>
    </message>
    <message>
        <source>--%1 given more than once</source>
        <translation>--%1 donné plus d’une fois</translation>
    </message>
    <message>
        <source>--alarm and --timer cannot be given together</source>
        <translation>--alarm et --timer ne peuvent pas être donnés ensemble</translation>
    </message>
    <message>
        <source>--label goes with --alarm or --timer</source>
        <translation>--label accompagne --alarm ou --timer</translation>
    </message>
    <message>
        <source>--alarm and --timer take no scheme file</source>
        <translation>--alarm et --timer ne prennent pas de fichier de thème</translation>
    </message>
    <message>
        <source>invalid time &apos;%1&apos;: use HH:MM, 00:00 to 23:59</source>
        <translation>heure «&#xa0;%1&#xa0;» invalide&#xa0;: utilisez HH:MM, de 00:00 à 23:59</translation>
    </message>
    <message>
        <source>invalid duration &apos;%1&apos;: use for example 90s, 5m or 1h30m, up to 99h59m59s</source>
        <translation>durée «&#xa0;%1&#xa0;» invalide&#xa0;: utilisez par exemple 90s, 5m ou 1h30m, jusqu’à 99h59m59s</translation>
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
        <translation>Utilisation : %1 [--clock NOM] [FICHIER.Velmora]
              %1 [--clock NOM] --alarm HH:MM [--label TEXTE]
              %1 [--clock NOM] --timer DURÉE [--label TEXTE]
Une horloge de forme libre qui flotte sur le bureau.

Options :
  --clock NOM        lance l’horloge de ce nom, avec ses propres réglages
                     (lettres, chiffres, « - » et « _ ») ; sans elle, l’horloge
                     par défaut
  --alarm HH:MM      règle sur l’horloge une alarme pour le prochain HH:MM (de
                     00:00 à 23:59), en lançant l’horloge si elle ne tourne pas
  --timer DURÉE      lance un minuteur sur l’horloge : 90s, 5m, 1h30m, etc.
  --label TEXTE      ce à quoi sert l’alarme ou le minuteur, affiché quand il
                     sonne
  --check-modules    charge chaque module du programme comme le ferait
                     l’horloge, indique d’où il vient ou pourquoi il est
                     inutilisable, et quitte
  -h, --help         affiche cette aide et quitte
  -v, --version      affiche la version et quitte

Arguments :
  FICHIER.Velmora    un thème à afficher ; une horloge du même nom déjà en
                     cours le reprend et passe au premier plan
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option «&#xa0;%1&#xa0;» inconnue</translation>
    </message>
    <message>
        <source>&apos;%1&apos; takes no value</source>
        <translation>«&#xa0;%1&#xa0;» ne prend pas de valeur</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a value</source>
        <translation>«&#xa0;%1&#xa0;» demande une valeur</translation>
    </message>
</context>
<context>
    <name>DialogTemplate</name>
    <message>
        <source>Scheme:</source>
        <translation>Thème&#xa0;:</translation>
    </message>
    <message>
        <source>VELMORA - Customizing...</source>
        <translation>VELMORA – Personnalisation…</translation>
    </message>
    <message>
        <source>Local machine time zone</source>
        <translation>Fuseau horaire de cette machine</translation>
    </message>
    <message>
        <source>User set time zones:</source>
        <translation>Fuseaux horaires de l’utilisateur&#xa0;:</translation>
    </message>
    <message>
        <source>VELMORA - Time zone settings</source>
        <translation>VELMORA – Réglages des fuseaux horaires</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>&amp;Enregistrer sous…</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Charger…</translation>
    </message>
    <message>
        <source>&amp;Revert...</source>
        <translation>&amp;Revenir…</translation>
    </message>
    <message>
        <source>Restore &amp;Defaults...</source>
        <translation>Ré&amp;initialiser…</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Current &amp;system setting:</source>
        <translation>Réglage actuel du &amp;système&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Use the following fixed one instead:</source>
        <translation>&amp;Utiliser plutôt ce fuseau fixe&#xa0;:</translation>
    </message>
    <message>
        <source>User time zone #&amp;1:</source>
        <translation>Fuseau utilisateur n°&#xa0;&amp;1&#xa0;:</translation>
    </message>
    <message>
        <source>User time zone #&amp;2:</source>
        <translation>Fuseau utilisateur n°&#xa0;&amp;2&#xa0;:</translation>
    </message>
    <message>
        <source>User time zone #&amp;3:</source>
        <translation>Fuseau utilisateur n°&#xa0;&amp;3&#xa0;:</translation>
    </message>
    <message>
        <source>User time zone #&amp;4:</source>
        <translation>Fuseau utilisateur n°&#xa0;&amp;4&#xa0;:</translation>
    </message>
</context>
<context>
    <name>HelpLinks</name>
    <message>
        <source>This copy of Velmora has no feedback address set up, so no e-mail can be started.

To report a fault or suggest an improvement, please contact whoever provided this copy, for example your distribution&apos;s bug tracker or the maintainer of the package you installed.

The FAQ in the &quot;Web help&quot; menu may already answer your question.</source>
        <translation>Aucune adresse de contact n’est configurée pour cet exemplaire de Velmora&#xa0;: aucun courriel ne peut donc être rédigé.

Pour signaler un défaut ou proposer une amélioration, contactez la personne qui vous a fourni cet exemplaire, par exemple le suivi des bogues de votre distribution ou le mainteneur du paquet installé.

La FAQ du menu «&#xa0;Aide en ligne&#xa0;» répond peut-être déjà à votre question.</translation>
    </message>
    <message>
        <source>No mail program could be started.

Please send your feedback by e-mail to:
%1</source>
        <translation>Aucun programme de messagerie n’a pu être lancé.

Envoyez vos commentaires par courriel à&#xa0;:
%1</translation>
    </message>
</context>
<context>
    <name>OptionTree</name>
    <message>
        <source>No Item Selected</source>
        <translation>Aucun élément sélectionné</translation>
    </message>
    <message>
        <source>Select an item to see its description.</source>
        <translation>Sélectionnez un élément pour voir sa description.</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>UnChecked</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>More Colors...</source>
        <translation>Autres couleurs…</translation>
    </message>
    <message>
        <source>Select Folder</source>
        <translation>Choisir un dossier</translation>
    </message>
    <message>
        <source>RGB (%1, %2, %3)</source>
        <translation>RVB (%1, %2, %3)</translation>
    </message>
    <message>
        <source>No selection made.</source>
        <translation>Aucune sélection.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Couleurs</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Tous les fichiers (*.*)</translation>
    </message>
    <message>
        <source>No preview</source>
        <translation>Pas d’aperçu</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>Marron</translation>
    </message>
    <message>
        <source>Dark Olive Green</source>
        <translation>Vert olive foncé</translation>
    </message>
    <message>
        <source>Dark Green</source>
        <translation>Vert foncé</translation>
    </message>
    <message>
        <source>Dark Teal</source>
        <translation>Sarcelle foncé</translation>
    </message>
    <message>
        <source>Dark Blue</source>
        <translation>Bleu foncé</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Gray-80%</source>
        <translation>Gris 80&#xa0;%</translation>
    </message>
    <message>
        <source>Dark Red</source>
        <translation>Rouge foncé</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Dark Yellow</source>
        <translation>Jaune foncé</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Sarcelle</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Bleu</translation>
    </message>
    <message>
        <source>Blue-Gray</source>
        <translation>Bleu-gris</translation>
    </message>
    <message>
        <source>Gray-50%</source>
        <translation>Gris 50&#xa0;%</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <source>Light Orange</source>
        <translation>Orange clair</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Citron vert</translation>
    </message>
    <message>
        <source>Sea Green</source>
        <translation>Vert marin</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>Light Blue</source>
        <translation>Bleu clair</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violet</translation>
    </message>
    <message>
        <source>Gray-40%</source>
        <translation>Gris 40&#xa0;%</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rose</translation>
    </message>
    <message>
        <source>Gold</source>
        <translation>Or</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Jaune</translation>
    </message>
    <message>
        <source>Bright Green</source>
        <translation>Vert vif</translation>
    </message>
    <message>
        <source>Turquoise</source>
        <translation>Turquoise</translation>
    </message>
    <message>
        <source>Skyblue</source>
        <translation>Bleu ciel</translation>
    </message>
    <message>
        <source>Plum</source>
        <translation>Prune</translation>
    </message>
    <message>
        <source>Gray-25%</source>
        <translation>Gris 25&#xa0;%</translation>
    </message>
    <message>
        <source>Rose</source>
        <translation>Rose pâle</translation>
    </message>
    <message>
        <source>Tan</source>
        <translation>Beige</translation>
    </message>
    <message>
        <source>Light Yellow</source>
        <translation>Jaune clair</translation>
    </message>
    <message>
        <source>Pale Green </source>
        <translation>Vert pâle</translation>
    </message>
    <message>
        <source>Pale Turquoise</source>
        <translation>Turquoise pâle</translation>
    </message>
    <message>
        <source>Pale Blue</source>
        <translation>Bleu pâle</translation>
    </message>
    <message>
        <source>Lavender</source>
        <translation>Lavande</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
</context>
<context>
    <name>SchemeChooser</name>
    <message>
        <source>Schemes</source>
        <translation>Thèmes</translation>
    </message>
    <message>
        <source>No schemes were found.</source>
        <translation>Aucun thème n’a été trouvé.</translation>
    </message>
</context>
<context>
    <name>SchemeLoadError</name>
    <message>
        <source>The file was not found.</source>
        <translation>Le fichier est introuvable.</translation>
    </message>
    <message>
        <source>It may have been moved, renamed or deleted. Choose the file again.</source>
        <translation>Il a peut-être été déplacé, renommé ou supprimé. Choisissez de nouveau le fichier.</translation>
    </message>
    <message>
        <source>You are not allowed to read this file.</source>
        <translation>Vous n’avez pas le droit de lire ce fichier.</translation>
    </message>
    <message>
        <source>Ask for access to it, or choose another file.</source>
        <translation>Demandez-en l’accès, ou choisissez un autre fichier.</translation>
    </message>
    <message>
        <source>This is not a file that can be loaded.</source>
        <translation>Ce n’est pas un fichier qui peut être chargé.</translation>
    </message>
    <message>
        <source>It is a folder, a pipe or a device. Choose a scheme file.</source>
        <translation>C’est un dossier, un tube ou un périphérique. Choisissez un fichier de thème.</translation>
    </message>
    <message>
        <source>The file could not be opened.</source>
        <translation>Le fichier n’a pas pu être ouvert.</translation>
    </message>
    <message>
        <source>Try again, or choose another file.</source>
        <translation>Réessayez, ou choisissez un autre fichier.</translation>
    </message>
    <message>
        <source>This file is not a Velmora scheme.</source>
        <translation>Ce fichier n’est pas un thème Velmora.</translation>
    </message>
    <message>
        <source>Choose a scheme file, one that ends in .Velmora.</source>
        <translation>Choisissez un fichier de thème, dont le nom se termine par .Velmora.</translation>
    </message>
    <message>
        <source>This scheme file is damaged or incomplete.</source>
        <translation>Ce fichier de thème est endommagé ou incomplet.</translation>
    </message>
    <message>
        <source>It may have been cut short while it was copied. Choose another copy of it.</source>
        <translation>Il a peut-être été tronqué lors d’une copie. Choisissez-en une autre copie.</translation>
    </message>
    <message>
        <source>%1

%2

%3 The clock keeps the scheme it shows.</source>
        <translation>%1

%2

%3 L’horloge garde le thème qu’elle affiche.</translation>
    </message>
    <message>
        <source>%1 (at byte %2)</source>
        <translation>%1 (à l’octet %2)</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>it could not be parsed</source>
        <translation>il n’a pas pu être analysé</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>c’est un dossier, pas un fichier</translation>
    </message>
    <message>
        <source>it is a pipe (FIFO), not a file</source>
        <translation>c’est un tube (FIFO), pas un fichier</translation>
    </message>
    <message>
        <source>it is a device or socket, not a file</source>
        <translation>c’est un périphérique ou un socket, pas un fichier</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>c’est un lien vers un fichier qui n’existe pas</translation>
    </message>
    <message>
        <source>it is larger than 1 MB</source>
        <translation>il dépasse 1&#xa0;Mo</translation>
    </message>
    <message>
        <source>it is not a settings file</source>
        <translation>ce n’est pas un fichier de réglages</translation>
    </message>
    <message>
        <source>the system refused to write it</source>
        <translation>le système a refusé de l’écrire</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>(Local machine time zone)</source>
        <translation>(Fuseau horaire de cette machine)</translation>
    </message>
    <message>
        <source>(User set time zone 1)</source>
        <translation>(Fuseau utilisateur 1)</translation>
    </message>
    <message>
        <source>(User set time zone 2)</source>
        <translation>(Fuseau utilisateur 2)</translation>
    </message>
    <message>
        <source>(User set time zone 3)</source>
        <translation>(Fuseau utilisateur 3)</translation>
    </message>
    <message>
        <source>(User set time zone 4)</source>
        <translation>(Fuseau utilisateur 4)</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>arrêté</translation>
    </message>
    <message>
        <source>second</source>
        <translation>seconde</translation>
    </message>
    <message>
        <source>second (continuous, high CPU usage!)</source>
        <translation>seconde (continu, forte charge du processeur&#xa0;!)</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>minute</translation>
    </message>
    <message>
        <source>minute (continuous)</source>
        <translation>minute (continu)</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12&#xa0;heures</translation>
    </message>
    <message>
        <source>12 hours (continuous)</source>
        <translation>12&#xa0;heures (continu)</translation>
    </message>
    <message>
        <source>24 hours</source>
        <translation>24&#xa0;heures</translation>
    </message>
    <message>
        <source>24 hours (continuous)</source>
        <translation>24&#xa0;heures (continu)</translation>
    </message>
    <message>
        <source>flat</source>
        <translation>plat</translation>
    </message>
    <message>
        <source>square</source>
        <translation>carré</translation>
    </message>
    <message>
        <source>round</source>
        <translation>rond</translation>
    </message>
    <message>
        <source>triangle</source>
        <translation>triangle</translation>
    </message>
    <message>
        <source>no anchor</source>
        <translation>sans ancre</translation>
    </message>
    <message>
        <source>square anchor</source>
        <translation>ancre carrée</translation>
    </message>
    <message>
        <source>round anchor</source>
        <translation>ancre ronde</translation>
    </message>
    <message>
        <source>diamond anchor</source>
        <translation>ancre en losange</translation>
    </message>
    <message>
        <source>arrow anchor</source>
        <translation>ancre en flèche</translation>
    </message>
    <message>
        <source>opacity</source>
        <translation>Opacité</translation>
    </message>
    <message>
        <source>Sets the item&apos;s opacity (e.g.: 0 = invisible, 127 = semi transparent, 255 = 100% visible)</source>
        <translation>Règle l’opacité de l’élément (par exemple&#xa0;: 0 = invisible, 127 = semi-transparent, 255 = visible à 100&#xa0;%).</translation>
    </message>
    <message>
        <source>background image</source>
        <translation>Image d’arrière-plan</translation>
    </message>
    <message>
        <source>Sets the image drawn as the clock&apos;s background. Its transparent parts give the clock its shape. The image is stored inside the scheme.</source>
        <translation>Règle l’image dessinée en arrière-plan de l’horloge. Ses parties transparentes donnent sa forme à l’horloge. L’image est enregistrée dans le thème.</translation>
    </message>
    <message>
        <source>color</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Sets the color of the hand line.</source>
        <translation>Règle la couleur du trait de l’aiguille.</translation>
    </message>
    <message>
        <source>begin radius (%)</source>
        <translation>Rayon de début (%)</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the hand line begins. The value may be negative.</source>
        <translation>Règle le rayon, en&#xa0;%, où commence le trait de l’aiguille. La valeur peut être négative.</translation>
    </message>
    <message>
        <source>end radius (%)</source>
        <translation>Rayon de fin (%)</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the hand line ends. The value may be negative.</source>
        <translation>Règle le rayon, en&#xa0;%, où finit le trait de l’aiguille. La valeur peut être négative.</translation>
    </message>
    <message>
        <source>begin line cap</source>
        <translation>Extrémité de début</translation>
    </message>
    <message>
        <source>Sets the shape of the hand line at its beginning.</source>
        <translation>Règle la forme du trait de l’aiguille à son début.</translation>
    </message>
    <message>
        <source>end line cap</source>
        <translation>Extrémité de fin</translation>
    </message>
    <message>
        <source>Sets the shape of the hand line at its end.</source>
        <translation>Règle la forme du trait de l’aiguille à sa fin.</translation>
    </message>
    <message>
        <source>thickness (%)</source>
        <translation>Épaisseur (%)</translation>
    </message>
    <message>
        <source>Sets the thickness of the hand line in % of the clock&apos;s radius.</source>
        <translation>Règle l’épaisseur du trait de l’aiguille en&#xa0;% du rayon de l’horloge.</translation>
    </message>
    <message>
        <source>time value</source>
        <translation>Valeur de temps</translation>
    </message>
    <message>
        <source>Sets the time value that the hand displays.</source>
        <translation>Règle la valeur de temps qu’affiche l’aiguille.</translation>
    </message>
    <message>
        <source>Sets the color of the slice.</source>
        <translation>Règle la couleur du secteur.</translation>
    </message>
    <message>
        <source>outer radius</source>
        <translation>Rayon extérieur</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the slice ends on the outside.</source>
        <translation>Règle le rayon, en&#xa0;%, où le secteur se termine à l’extérieur.</translation>
    </message>
    <message>
        <source>Sets the time value that the slice displays.</source>
        <translation>Règle la valeur de temps qu’affiche le secteur.</translation>
    </message>
    <message>
        <source>time zone</source>
        <translation>Fuseau horaire</translation>
    </message>
    <message>
        <source>Sets the time zone in which the hand shows the time.</source>
        <translation>Règle le fuseau horaire dans lequel l’aiguille indique l’heure.</translation>
    </message>
    <message>
        <source>count down</source>
        <translation>Compte à rebours</translation>
    </message>
    <message>
        <source>If on, the slice shows the part that remains instead of the part that has passed.</source>
        <translation>Si activé, le secteur montre la part qui reste au lieu de celle qui est passée.</translation>
    </message>
    <message>
        <source>center dX</source>
        <translation>Centre dX</translation>
    </message>
    <message>
        <source>Moves the clock&apos;s center to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Déplace le centre de l’horloge vers la droite, en&#xa0;% du rayon de l’horloge (vers la gauche si négatif).</translation>
    </message>
    <message>
        <source>center dY</source>
        <translation>Centre dY</translation>
    </message>
    <message>
        <source>Moves the clock&apos;s center down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Déplace le centre de l’horloge vers le bas, en&#xa0;% du rayon de l’horloge (vers le haut si négatif).</translation>
    </message>
    <message>
        <source>smoothing Mode</source>
        <translation>Lissage</translation>
    </message>
    <message>
        <source>Sets how smoothly lines and curves are drawn.</source>
        <translation>Règle le lissage des traits et des courbes.</translation>
    </message>
    <message>
        <source>high Quality (lower speed)</source>
        <translation>haute qualité (plus lent)</translation>
    </message>
    <message>
        <source>high Speed (lower quality)</source>
        <translation>haute vitesse (qualité moindre)</translation>
    </message>
    <message>
        <source>clock body</source>
        <translation>Corps de l’horloge</translation>
    </message>
    <message>
        <source>The clock body is the basic element of a clock. It has a center and you can set a background image that will give the clock its shape.</source>
        <translation>Le corps de l’horloge en est l’élément de base. Il a un centre, et vous pouvez lui donner une image d’arrière-plan qui donnera sa forme à l’horloge.</translation>
    </message>
    <message>
        <source>hand</source>
        <translation>Aiguille</translation>
    </message>
    <message>
        <source>Clock hands are lines, that move around the clock body&apos;s center. Every clock hand can be setup to a specified value to display.</source>
        <translation>Les aiguilles sont des traits qui tournent autour du centre du corps de l’horloge. Chaque aiguille peut afficher une valeur choisie.</translation>
    </message>
    <message>
        <source>time slice</source>
        <translation>Secteur</translation>
    </message>
    <message>
        <source>Time slices are mostly like hands, but with the shap of a slice (or pie).</source>
        <translation>Les secteurs ressemblent aux aiguilles, mais ont la forme d’une part de tarte.</translation>
    </message>
    <message>
        <source>x offset (%)</source>
        <translation>Décalage x (%)</translation>
    </message>
    <message>
        <source>Moves the hand&apos;s center to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Déplace le centre de l’aiguille vers la droite, en&#xa0;% du rayon de l’horloge (vers la gauche si négatif).</translation>
    </message>
    <message>
        <source>y offset (%)</source>
        <translation>Décalage y (%)</translation>
    </message>
    <message>
        <source>Moves the hand&apos;s center down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Déplace le centre de l’aiguille vers le bas, en&#xa0;% du rayon de l’horloge (vers le haut si négatif).</translation>
    </message>
    <message>
        <source>day of week  (0..6=Sunday,M,T,W,T,F,S)</source>
        <translation>jour de la semaine (0..6 = dimanche, L, M, M, J, V, S)</translation>
    </message>
    <message>
        <source>VELMORA

right click: open menu
double left click: switch display mode</source>
        <translation>VELMORA

clic droit&#xa0;: ouvrir le menu
double clic gauche&#xa0;: changer de mode d’affichage</translation>
    </message>
    <message>
        <source>Moves the slice to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Déplace le secteur vers la droite, en&#xa0;% du rayon de l’horloge (vers la gauche si négatif).</translation>
    </message>
    <message>
        <source>Moves the slice down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Déplace le secteur vers le bas, en&#xa0;% du rayon de l’horloge (vers le haut si négatif).</translation>
    </message>
    <message>
        <source>text color</source>
        <translation>Couleur du texte</translation>
    </message>
    <message>
        <source>Sets the color of the text.</source>
        <translation>Règle la couleur du texte.</translation>
    </message>
    <message>
        <source>Moves the text to the right in % of the clock&apos;s radius (to the left when negative).</source>
        <translation>Déplace le texte vers la droite, en&#xa0;% du rayon de l’horloge (vers la gauche si négatif).</translation>
    </message>
    <message>
        <source>Moves the text down in % of the clock&apos;s radius (up when negative).</source>
        <translation>Déplace le texte vers le bas, en&#xa0;% du rayon de l’horloge (vers le haut si négatif).</translation>
    </message>
    <message>
        <source>format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Tahoma;}}\fs16 {\b Sets the format of the text.} Codes starting with % are replaced by parts of the date and time; all other characters are shown as they are.\par \par {\b %a} weekday, abbreviated (Sun)\par {\b %A} weekday (Sunday)\par {\b %b} month, abbreviated (Jan)\par {\b %B} month (January)\par {\b %c} date and time (03/14/07 12:41:29)\par {\b %d} day of month (01 - 31)\par {\b %H} hour, 24-hour clock (00 - 23)\par {\b %I} hour, 12-hour clock (01 - 12)\par {\b %j} day of year (001 - 366)\par {\b %m} month (01 - 12)\par {\b %M} minute (00 - 59)\par {\b %p} AM or PM\par {\b %S} second (00 - 59)\par {\b %U} week of year, weeks starting on Sunday (00 - 53)\par {\b %W} week of year, weeks starting on Monday (00 - 53)\par {\b %w} weekday (0 - 6, Sunday is 0)\par {\b %x} date (03/14/07)\par {\b %X} time (12:41:29)\par {\b %y} year without century (00 - 99)\par {\b %Y} year with century (2007)\par {\b %z}, {\b %Z} the short name of the text&apos;s time zone (CET, JST)\par {\b %%} a percent sign\par \par A {\b #} after the % removes leading zeros (%#d shows 4 instead of 04); %#c and %#x show the long date (Wednesday, March 14, 2007).\par Example: %d.%m.%Y shows 14.03.2007, %H:%M:%S shows 12:41:29.}</source>
        <translation>{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Tahoma;}}\fs16 {\b Règle le format du texte.} Les codes commençant par % sont remplacés par des éléments de la date et de l’heure&#xa0;; tous les autres caractères s’affichent tels quels.\par \par {\b %a} jour de la semaine, abrégé (Sun)\par {\b %A} jour de la semaine (Sunday)\par {\b %b} mois, abrégé (Jan)\par {\b %B} mois (January)\par {\b %c} date et heure (03/14/07 12:41:29)\par {\b %d} jour du mois (01 – 31)\par {\b %H} heure sur 24&#xa0;heures (00 – 23)\par {\b %I} heure sur 12&#xa0;heures (01 – 12)\par {\b %j} jour de l’année (001 – 366)\par {\b %m} mois (01 – 12)\par {\b %M} minute (00 – 59)\par {\b %p} AM ou PM\par {\b %S} seconde (00 – 59)\par {\b %U} semaine de l’année, semaines commençant le dimanche (00 – 53)\par {\b %W} semaine de l’année, semaines commençant le lundi (00 – 53)\par {\b %w} jour de la semaine (0 – 6, dimanche vaut 0)\par {\b %x} date (03/14/07)\par {\b %X} heure (12:41:29)\par {\b %y} année sans le siècle (00 – 99)\par {\b %Y} année avec le siècle (2007)\par {\b %z}, {\b %Z} le nom court du fuseau horaire du texte (CET, JST)\par {\b %%} un signe pour cent\par \par Un {\b #} après le % supprime les zéros de tête (%#d affiche 4 au lieu de 04)&#xa0;; %#c et %#x affichent la date longue (Wednesday, March 14, 2007).\par Exemple&#xa0;: %d.%m.%Y affiche 14.03.2007, %H:%M:%S affiche 12:41:29.}</translation>
    </message>
    <message>
        <source>Sets the time zone in which the text shows the date and time.</source>
        <translation>Règle le fuseau horaire dans lequel le texte indique la date et l’heure.</translation>
    </message>
    <message>
        <source>Sets the time zone in which the slice shows the time.</source>
        <translation>Règle le fuseau horaire dans lequel le secteur indique l’heure.</translation>
    </message>
    <message>
        <source>day of month (1..31)</source>
        <translation>jour du mois (1..31)</translation>
    </message>
    <message>
        <source>centiseconds (high CPU usage!)</source>
        <translation>centièmes de seconde (forte charge du processeur&#xa0;!)</translation>
    </message>
    <message>
        <source>month of year (1..12)</source>
        <translation>mois de l’année (1..12)</translation>
    </message>
    <message>
        <source>week of year (1..52)</source>
        <translation>semaine de l’année (1..52)</translation>
    </message>
    <message>
        <source>digital display</source>
        <translation>Affichage numérique</translation>
    </message>
    <message>
        <source>Digital displays show the date or time as text, formatted by a format of your choice.</source>
        <translation>Les affichages numériques montrent la date ou l’heure sous forme de texte, selon le format de votre choix.</translation>
    </message>
    <message>
        <source>font family</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Sets the font family of the text.</source>
        <translation>Règle la police du texte.</translation>
    </message>
    <message>
        <source>font size (%)</source>
        <translation>Taille de police (%)</translation>
    </message>
    <message>
        <source>Sets the size of the text in % of the clock&apos;s diameter.</source>
        <translation>Règle la taille du texte en&#xa0;% du diamètre de l’horloge.</translation>
    </message>
    <message>
        <source>font bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>If on, the text is drawn in bold.</source>
        <translation>Si activé, le texte est dessiné en gras.</translation>
    </message>
    <message>
        <source>font italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>If on, the text is drawn in italics.</source>
        <translation>Si activé, le texte est dessiné en italique.</translation>
    </message>
    <message>
        <source>author info</source>
        <translation>Infos sur l’auteur</translation>
    </message>
    <message>
        <source>The name of the scheme&apos;s author, and anything else worth knowing about the scheme.</source>
        <translation>Le nom de l’auteur du thème, et tout ce qu’il est utile de savoir à son sujet.</translation>
    </message>
    <message>
        <source>CPU #%d performance (%%)</source>
        <translation>charge du processeur n°&#xa0;%d (%%)</translation>
    </message>
    <message>
        <source>memory load (%)</source>
        <translation>charge mémoire (%)</translation>
    </message>
    <message>
        <source>page file (%)</source>
        <translation>fichier d’échange (%)</translation>
    </message>
    <message>
        <source>real memory (%)</source>
        <translation>mémoire physique (%)</translation>
    </message>
    <message>
        <source>inner radius</source>
        <translation>Rayon intérieur</translation>
    </message>
    <message>
        <source>Sets the radius in % at which the slice begins on the inside.</source>
        <translation>Règle le rayon, en&#xa0;%, où le secteur commence à l’intérieur.</translation>
    </message>
</context>
<context>
    <name>ToolBar</name>
    <message>
        <source>Copy the selected element</source>
        <translation>Copier l’élément sélectionné</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>New hand</source>
        <translation>Nouvelle aiguille</translation>
    </message>
    <message>
        <source>Hand</source>
        <translation>Aiguille</translation>
    </message>
    <message>
        <source>New time slice</source>
        <translation>Nouveau secteur</translation>
    </message>
    <message>
        <source>Slice</source>
        <translation>Secteur</translation>
    </message>
    <message>
        <source>New digital display</source>
        <translation>Nouvel affichage numérique</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Delete the selected element</source>
        <translation>Supprimer l’élément sélectionné</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Move the selected element down (drawn later)</source>
        <translation>Descendre l’élément sélectionné (dessiné plus tard)</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Move the selected element up (drawn earlier)</source>
        <translation>Monter l’élément sélectionné (dessiné plus tôt)</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Monter</translation>
    </message>
</context>
<context>
    <name>ZonePicker</name>
    <message>
        <source>Choose a zone</source>
        <translation>Choisir un fuseau</translation>
    </message>
    <message>
        <source>City, country or &amp;zone:</source>
        <translation>Ville, pays ou &amp;fuseau&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
</TS>
