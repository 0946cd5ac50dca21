#pragma once

// The parts of the analysis program, created in the order the program starts them, and its
// windows. The program's main and the tests build the program through this one class.

#include <chrono>
#include <memory>

#include "engine/HTTPload.h"
#include "engine/datamodule.h"
#include "engine/procedureanalyse.h"
#include "platform/registry.h"
#include "shell/Uinterf.h"
#include "shell/Ulancement.h"
#include "shell/UnitShowMess.h"
#include "shell/serverrequest.h"
#include "workspace/UlisteURL.h"
#include "workspace/VariableText.h"

// The waits of the program; tests shorten them.
struct ProgramTimings {
    std::chrono::milliseconds fetchWatchdog = TDatamoduleload::DefaultWatchdog;
    std::chrono::milliseconds requestGuard = ServerRequests::DefaultGuard;
};

class AnalysisProgram {
public:
    explicit AnalysisProgram(ProgramTimings timings = {});

    // The message form, created the first time.
    TMessForm& MessageForm();

    // Creates the main window on the program's parts (with another page fetcher when one is
    // given); it replaces a window created before.
    TInterf& CreateMainWindow(PageFetcher* fetcher = nullptr);

    // Fills the three inputs of the analysis panel from the settings; a missing value empties
    // its field.
    void RestoreInputs();

    Registry registry;
    ProxyAddress proxy;
    ServerRequests requests;
    VariableText texts;  // built when the launcher is created
    TFormLaucher FormLaucher;
    TdataM dataM;
    AnalysisEngine engine{dataM};
    TDatamoduleload Datamoduleload;
    TFormURL FormURL;
    std::unique_ptr<TMessForm> MessForm;
    std::unique_ptr<TInterf> Interf;
};
