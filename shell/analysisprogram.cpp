#include "shell/analysisprogram.h"

#include "platform/qtextconvert.h"
#include "shell/serveraddress.h"
#include "shell/settingsstore.h"

AnalysisProgram::AnalysisProgram(ProgramTimings timings)
    : requests(proxy, timings.requestGuard),
      FormLaucher(*this),
      Datamoduleload(engine, proxy, timings.fetchWatchdog) {}

TMessForm& AnalysisProgram::MessageForm() {
    if (!MessForm) MessForm = std::make_unique<TMessForm>();
    return *MessForm;
}

TInterf& AnalysisProgram::CreateMainWindow(PageFetcher* fetcher) {
    Interf.reset();
    const StoreInput store = [this](const std::string& name, const std::string& value) {
        WriteSetting(registry, name, value);
    };
    Interf = std::make_unique<TInterf>(AnalysisParts{engine, fetcher != nullptr ? *fetcher : Datamoduleload,
                                                     FormURL, texts, store, SiteRoot()},
                                       ShellParts{requests, registry}, MessForm.get());
    return *Interf;
}

void AnalysisProgram::RestoreInputs() {
    AnalysisWorkspace& analysis = *Interf->Analysis;
    analysis.PAGE->setText(ToQString(ReadSetting(registry, "U1")));
    analysis.PAGE2->setText(ToQString(ReadSetting(registry, "U2")));
    analysis.MC->setText(ToQString(ReadSetting(registry, "MC")));
}
