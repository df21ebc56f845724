#pragma once

class QWidget;

// Each section of the gallery shows one family of the library's widgets.
QWidget* CreateControlPanelSection(QWidget* parent);
QWidget* CreateSavedTreeSection(QWidget* parent);
QWidget* CreateSlidersSection(QWidget* parent);
QWidget* CreateTimeVolumeSection(QWidget* parent);
QWidget* CreatePlaylistSection(QWidget* parent);
QWidget* CreatePlaylistFrameSection(QWidget* parent);
