#pragma once

#include "platform/disk_rate_source.h"

#include <string>
#include <vector>

namespace oruvel::test {

// A rate source that records the calls made to it and hands out the rates the test sets.
class RecordingRateSource final : public platform::DiskRateSource {
public:
    explicit RecordingRateSource(std::vector<std::string>* log) : log_(log) {}
    ~RecordingRateSource() override { log_->push_back("close"); }

    double read = 0;
    double write = 0;

    void select(std::string_view instance) override { log_->push_back("select " + std::string(instance)); }
    void collect() override { log_->push_back("collect"); }
    double readRate() const override { return read; }
    double writeRate() const override { return write; }

private:
    std::vector<std::string>* log_;
};

} // namespace oruvel::test
