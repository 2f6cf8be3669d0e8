// What the command line switches on when the lesson starts.
#include "app/commandline.h"
#include "app/form1.h"

void Form1::applyStartOptions(const StartOptions &options)
{
    for (const tools::ToolRow &r : tools::table()) {
        if (options.toolsOn[size_t(r.id)])
            setToolOn(r.id, true);
    }
}
