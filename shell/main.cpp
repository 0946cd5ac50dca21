// Quenby_Ardentis: the analysis program.

#include "platform/application.h"
#include "shell/Ulancement.h"
#include "shell/analysisprogram.h"

int main(int argc, char** argv) {
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenby Ardentis"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenby Ardentis"));

    AnalysisProgram program;
    program.proxy = DetectProxy(program.registry);
    TInterf& Interf = program.CreateMainWindow();
    program.RestoreInputs();
    Interf.show();
    return application.exec();
}
