#include "tools/keyhelp/keyhelptool.h"

#include "tools/host/toolhost.h"

void KeyHelpTool::act(const tools::ToolRow &, bool)
{
    host.showKeyHelp();
}
