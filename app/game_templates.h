// The game's dialog templates and accelerator table, read from its resources.
#pragma once

// Makes the Choose and Help dialogs and the main accelerator table known
// to the platform.
void registerGameTemplates();
