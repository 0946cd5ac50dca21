#pragma once

// The parts of the analysis program, created in the order the program needs them, and its
// main window. The program's main and the tests build the program through this one class.

#include <chrono>
#include <memory>

#include "engine/HTTPload.h"
#include "engine/datamodule.h"
#include "engine/procedureanalyse.h"
#include "platform/registry.h"
#include "shell/Uinterf.h"
#include "shell/UnitShowMess.h"
#include "workspace/UlisteURL.h"
#include "workspace/VariableText.h"

class AnalysisProgram {
public:
    explicit AnalysisProgram(std::chrono::milliseconds fetchWatchdog = TDatamoduleload::DefaultWatchdog);

    // Creates the main window on the program's parts (with another page fetcher when one is
    // given); it replaces a window created before.
    TInterf& CreateMainWindow(PageFetcher* fetcher = nullptr);

    // Fills the three inputs of the analysis panel from the settings; a missing value empties
    // its field.
    void RestoreInputs();

    Registry registry;
    VariableText texts;
    TdataM dataM;
    AnalysisEngine engine{dataM};
    ProxyAddress proxy;
    TDatamoduleload Datamoduleload;
    TFormURL FormURL;
    TMessForm MessForm;
    std::unique_ptr<TInterf> Interf;
};
