#pragma once

// Pages read from local files, served to the run loop as answers with status 200.

#include <map>
#include <string>

#include "workspace/analysisrun.h"

class LocalPages : public PageFetcher {
public:
    explicit LocalPages(AnalysisEngine& engine) : engine_(engine) {}

    // Reads a file under the address it will be asked for; false when it cannot be read.
    bool Load(const std::string& address, const std::string& path);

    void Charge(const std::string& url) override;
    int32_t StatusCode() const override { return status_; }

private:
    AnalysisEngine& engine_;
    std::map<std::string, std::string> bodies_;
    int32_t status_ = 0;
};
