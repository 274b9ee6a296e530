#include "app/PensilioApplication.h"
#include "app/Program.h"
#include "app/Termination.h"
#include "i18n/UCXTRANSLATE.h"
#include "platform/core/Clock.h"
#include "platform/core/DesktopShell.h"
#include "platform/core/ErrorText.h"
#include "platform/core/MessageBoxes.h"

int main(int argc, char **argv)
{
    using namespace pensilio;
    // The grid's texts are in place before the application object and every window exist.
    UCXTRANSLATE::initialize();
    PensilioApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("pensilio"));

    SystemClock clock;
    QtMessageBoxes boxes;
    QtDesktopShell shell;
    Services services;
    services.clock = &clock;
    services.boxes = &boxes;
    services.shell = &shell;
    services.settings = RegionalSettings::system();
    services.executablePath = QCoreApplication::applicationFilePath();
    services.title = applicationTitleFromPath(services.executablePath);
    app.setErrorBox(&boxes, services.title);

    Termination termination;
    int result = 0;
    {
        TProgram program(services);
        termination.setHandler([&program] { program.end(); });
        // An end asked for during start-up (while an error box was open) skips the loop.
        if (!termination.requested()) {
            program.show();
            result = QApplication::exec();
        }
    }
    return result;
}
