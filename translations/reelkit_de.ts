<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccessibleMuteButton</name>
    <message>
        <source>Mute</source>
        <translation>Stummschalten</translation>
    </message>
</context>
<context>
    <name>AccessiblePlaylistRow</name>
    <message>
        <source>playing</source>
        <translation>wird abgespielt</translation>
    </message>
    <message>
        <source>cannot be played</source>
        <translation>kann nicht abgespielt werden</translation>
    </message>
</context>
<context>
    <name>AccessibleSlider</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1 to %2, selected</source>
        <translation>%1 bis %2, ausgewählt</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>Marked: %1</source>
        <translation>Markiert: %1</translation>
    </message>
</context>
<context>
    <name>AccessibleVolume</name>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>%1%, muted</source>
        <translation>%1 %, stummgeschaltet</translation>
    </message>
    <message>
        <source>%1%</source>
        <translation>%1 %</translation>
    </message>
</context>
<context>
    <name>PanelControlNames</name>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Starts or pauses playback</source>
        <translation>Startet oder unterbricht die Wiedergabe</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stops playback</source>
        <translation>Beendet die Wiedergabe</translation>
    </message>
    <message>
        <source>Next file</source>
        <translation>Nächste Datei</translation>
    </message>
    <message>
        <source>Previous file</source>
        <translation>Vorherige Datei</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>Shows or hides the playlist</source>
        <translation>Zeigt die Wiedergabeliste an oder blendet sie aus</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>Zufällige Reihenfolge</translation>
    </message>
    <message>
        <source>Plays the playlist in random order</source>
        <translation>Spielt die Wiedergabeliste in zufälliger Reihenfolge ab</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Next frame</source>
        <translation>Nächstes Bild</translation>
    </message>
    <message>
        <source>Steps one frame forward</source>
        <translation>Geht ein Bild vorwärts</translation>
    </message>
    <message>
        <source>Previous frame</source>
        <translation>Vorheriges Bild</translation>
    </message>
    <message>
        <source>Steps one frame back</source>
        <translation>Geht ein Bild zurück</translation>
    </message>
    <message>
        <source>Input view mode</source>
        <translation>Eingabe-Ansichtsmodus</translation>
    </message>
    <message>
        <source>Output view mode</source>
        <translation>Ausgabe-Ansichtsmodus</translation>
    </message>
    <message>
        <source>Chooses how the views are shown</source>
        <translation>Wählt, wie die Ansichten gezeigt werden</translation>
    </message>
    <message>
        <source>Effects</source>
        <translation>Effekte</translation>
    </message>
    <message>
        <source>Opens the video effects</source>
        <translation>Öffnet die Videoeffekte</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Seeks in the file</source>
        <translation>Springt in der Datei</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>The length of the file</source>
        <translation>Die Länge der Datei</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Sets the volume</source>
        <translation>Stellt die Lautstärke ein</translation>
    </message>
    <message>
        <source>Plays the next file of the playlist</source>
        <translation>Spielt die nächste Datei der Wiedergabeliste ab</translation>
    </message>
    <message>
        <source>Plays the previous file of the playlist</source>
        <translation>Spielt die vorherige Datei der Wiedergabeliste ab</translation>
    </message>
    <message>
        <source>Starts the playlist again after its last file</source>
        <translation>Beginnt die Wiedergabeliste nach ihrer letzten Datei von vorn</translation>
    </message>
    <message>
        <source>Switches between full screen and a window</source>
        <translation>Wechselt zwischen Vollbild und Fenster</translation>
    </message>
    <message>
        <source>Chooses how the views of the file are laid out</source>
        <translation>Wählt, wie die Ansichten der Datei angeordnet sind</translation>
    </message>
    <message>
        <source>Type a time and press Enter to go there</source>
        <translation>Eine Zeit eingeben und mit Eingabe dorthin springen</translation>
    </message>
</context>
<context>
    <name>Playlist</name>
    <message>
        <source>Playlist</source>
        <translation>Wiedergabeliste</translation>
    </message>
    <message>
        <source>PlaylistListView</source>
        <translation>PlaylistListView</translation>
    </message>
    <message>
        <source>Playlist:horizontal</source>
        <translation>Playlist:horizontal</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>Textfeld</translation>
    </message>
    <message>
        <source>Add File</source>
        <translation>Datei hinzufügen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Add DVD</source>
        <translation>DVD hinzufügen</translation>
    </message>
    <message>
        <source>DVD</source>
        <translation>DVD</translation>
    </message>
    <message>
        <source>Add 3D Video</source>
        <translation>3D-Video hinzufügen</translation>
    </message>
    <message>
        <source>3D Video</source>
        <translation>3D-Video</translation>
    </message>
</context>
<context>
    <name>PlaylistItemWidget</name>
    <message>
        <source>PlaylistItemWidget</source>
        <translation>PlaylistItemWidget</translation>
    </message>
    <message>
        <source>TextLabel</source>
        <translation>Textfeld</translation>
    </message>
    <message>
        <source>06:06:06</source>
        <translation>06:06:06</translation>
    </message>
</context>
<context>
    <name>Tarvos::Gui::PlaylistListView</name>
    <message>
        <source>%i) %i:%i, %.2f FPS (%s)</source>
        <translation>%i) %i:%i, %.2f B/s (%s)</translation>
    </message>
</context>
<context>
    <name>TimelineSlider</name>
    <message>
        <source>%1 — %2</source>
        <comment>the time under the cursor and the chapter playing there</comment>
        <translation>%1 — %2</translation>
    </message>
</context>
<context>
    <name>VolumeControl</name>
    <message>
        <source>VolumeControl</source>
        <translation>VolumeControl</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
</context>
</TS>
