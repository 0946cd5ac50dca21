// Quenby_Ardentis: the analysis program.

#include <QDir>

#include "HTTPload.h"
#include "Uinterf.h"
#include "Ulancement.h"
#include "UlisteURL.h"
#include "UnitShowMess.h"
#include "VariableText.h"
#include "application.h"
#include "datamodule.h"
#include "procedureanalyse.h"
#include "qtextconvert.h"

int main(int argc, char** argv) {
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quenby Ardentis"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quenby Ardentis"));

    Registry registry;
    const TdataM dataM;
    AnalysisEngine engine(dataM);
    const ProxyAddress proxy = DetectProxy(registry);
    TDatamoduleload Datamoduleload(engine, proxy);
    TMessForm MessForm;
    TFormURL FormURL;
    VariableText texts;
    texts.BuildTextTable();

    TInterf Interf({engine, Datamoduleload, registry, FormURL, texts}, &MessForm);
    Interf.Analysis->PAGE->setText(ToQString(ReadSetting(registry, "U1")));
    Interf.Analysis->PAGE2->setText(ToQString(ReadSetting(registry, "U2")));
    Interf.Analysis->MC->setText(ToQString(ReadSetting(registry, "MC")));
    Interf.show();
    return application.exec();
}
