// Quenby_Ardentis: the analysis program. It opens with the launcher, which checks for an update
// and then opens the main window.

#include "platform/application.h"
#include "shell/analysisprogram.h"

int main(int argc, char** argv) {
    Application application(argc, argv);
    Application::SetName(QStringLiteral("Quenby Ardentis"));

    AnalysisProgram program;
    program.FormLaucher.show();
    return application.exec();
}
