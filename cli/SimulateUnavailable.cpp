#include <QString>

#include "cli/CliSupport.h"
#include "cli/Commands.h"

// The simulated radio answers on a pseudo-terminal, which Windows does not have: run it on Linux
// and reach it from Windows over a serial line or Wine's COM-port mapping.
int runSimulate(int, char *[], const std::vector<std::string_view> &)
{
    printError(QStringLiteral("simulate needs a pseudo-terminal; run it on Linux"));
    return 2;
}
