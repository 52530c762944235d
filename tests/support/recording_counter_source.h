#pragma once

#include "platform/disk_counter_source.h"

#include <string>
#include <vector>

namespace oruvel::test {

// A counter source that records the calls made to it and hands out preset rates.
class RecordingCounterSource final : public platform::DiskCounterSource {
public:
    explicit RecordingCounterSource(std::vector<std::string>* log) : log_(log) {}
    ~RecordingCounterSource() override { log_->push_back("close"); }

    double readRate = 0;
    double writeRate = 0;

    platform::CounterHandle addCounter(std::string_view path) override {
        log_->push_back("add " + std::string(path));
        paths_.emplace_back(path);
        return static_cast<platform::CounterHandle>(paths_.size());
    }
    void collect() override { log_->push_back("collect"); }
    double counterValue(platform::CounterHandle h) const override {
        log_->push_back("value " + std::to_string(h));
        if (h == 0 || h > paths_.size()) {
            return 0;
        }
        return paths_[h - 1].find("Read") != std::string::npos ? readRate : writeRate;
    }

private:
    std::vector<std::string>* log_;
    std::vector<std::string> paths_;
};

} // namespace oruvel::test
