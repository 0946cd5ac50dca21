// Renders every screen of the program, offscreen and at its real size, into PNG files.

#include <QDir>
#include <QTimer>
#include <cstdio>

#include "UnitShowMess.h"
#include "Uinterf.h"
#include "application.h"
#include "datamodule.h"
#include "procedureanalyse.h"

namespace {

void Save(QWidget& widget, const QDir& folder, const QString& name) {
    widget.grab().save(folder.filePath(name + ".png"));
    std::printf("%s\n", qPrintable(folder.filePath(name + ".png")));
}

}  // namespace

int main(int argc, char** argv) {
    Application application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quenby Ardentis"));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(folder.path());

    const TdataM dataM;
    AnalysisEngine engine(dataM);
    TMessForm messForm;
    TInterf window(engine, &messForm);
    window.show();
    QApplication::processEvents();
    Save(window, folder, "01-saisie");
    return 0;
}
