#pragma once

// Pages read from local files, served to the run loop as answers with status 200. Each file is
// read when its page is analysed, cut into lines as it is read, and no further than the cap.

#include <map>
#include <string>

#include "workspace/analysisrun.h"

class LocalPages : public PageFetcher {
public:
    explicit LocalPages(AnalysisEngine& engine) : engine_(engine) {}

    // Takes a file under the address it will be asked for; false when it cannot be read.
    bool Load(const std::string& address, const std::string& path);

    void Charge(const std::string& url) override;
    int32_t StatusCode() const override { return status_; }

private:
    AnalysisEngine& engine_;
    std::map<std::string, std::string> paths_;
    int32_t status_ = 0;
};
