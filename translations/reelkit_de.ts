<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
