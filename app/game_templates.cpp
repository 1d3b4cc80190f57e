#include "app/game_templates.h"

#include "app/app_state.h"
#include "platform/controls/resource_templates.h"
#include "resources/vellumar_ids.h"

void registerGameTemplates() {
    platform::loadDialogResource(appState.instance, IDD_CHOOSER);
    platform::loadDialogResource(appState.instance, IDD_HELP);
    platform::loadAcceleratorResource(appState.instance, IDA_MAIN);
}
