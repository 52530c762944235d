#include "platform/windows/pdh_disk_counter_source.h"

#include "platform/windows/win_text.h"

#include <windows.h>

#include <pdh.h>
#include <pdhmsg.h>

#include <cmath>

namespace oruvel::platform {

PdhDiskCounterSource::PdhDiskCounterSource() {
    PDH_HQUERY query = nullptr;
    if (PdhOpenQueryW(nullptr, 1, &query) == ERROR_SUCCESS) {
        query_ = query;
    }
}

PdhDiskCounterSource::~PdhDiskCounterSource() {
    if (query_ != nullptr) {
        PdhCloseQuery(static_cast<PDH_HQUERY>(query_));
    }
}

CounterHandle PdhDiskCounterSource::addCounter(std::string_view path) {
    if (query_ == nullptr) {
        return 0;
    }
    PDH_HCOUNTER counter = nullptr;
    if (PdhAddEnglishCounterW(static_cast<PDH_HQUERY>(query_), toWide(path).c_str(), 0, &counter) != ERROR_SUCCESS ||
        counter == nullptr) {
        return 0;
    }
    counters_.push_back(counter);
    return static_cast<CounterHandle>(counters_.size());
}

void PdhDiskCounterSource::collect() {
    if (query_ != nullptr) {
        PdhCollectQueryData(static_cast<PDH_HQUERY>(query_));
    }
}

double PdhDiskCounterSource::counterValue(CounterHandle counter) const {
    if (counter == 0 || counter > counters_.size()) {
        return 0.0;
    }
    PDH_FMT_COUNTERVALUE value{};
    const PDH_STATUS status = PdhGetFormattedCounterValue(static_cast<PDH_HCOUNTER>(counters_[counter - 1]),
                                                          PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, nullptr, &value);
    if (status != ERROR_SUCCESS ||
        (value.CStatus != PDH_CSTATUS_VALID_DATA && value.CStatus != PDH_CSTATUS_NEW_DATA)) {
        return 0.0;
    }
    return std::isfinite(value.doubleValue) && value.doubleValue > 0 ? value.doubleValue : 0.0;
}

} // namespace oruvel::platform
