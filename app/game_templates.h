// The game's dialog templates and accelerator table, read from its resources.
#pragma once

// Makes dialogs 132 ("Choose") and 9 ("Help") and accelerator table 2 known
// to the platform.
void registerGameTemplates();
