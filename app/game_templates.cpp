#include "app/game_templates.h"

#include "app/app_state.h"
#include "platform/resource_templates.h"

void registerGameTemplates() {
    platform::loadDialogResource(appState.instance, 132);
    platform::loadDialogResource(appState.instance, 9);
    platform::loadAcceleratorResource(appState.instance, 2);
}
