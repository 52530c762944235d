#include "platform/windows/pdh_disk_rate_source.h"

#include "platform/windows/win_text.h"

#include <windows.h>

#include <pdh.h>
#include <pdhmsg.h>

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace oruvel::platform {

std::string diskCounterPath(std::string_view instance, bool write) {
    return "\\PhysicalDisk(" + std::string(instance) + (write ? ")\\Disk Write Bytes/sec" : ")\\Disk Read Bytes/sec");
}

PdhDiskRateSource::PdhDiskRateSource() {
    PDH_HQUERY query = nullptr;
    if (PdhOpenQueryW(nullptr, 1, &query) == ERROR_SUCCESS) {
        query_ = query;
    }
    select(kTotalInstance);
}

PdhDiskRateSource::~PdhDiskRateSource() {
    if (query_ != nullptr) {
        PdhCloseQuery(static_cast<PDH_HQUERY>(query_)); // removes the counters with it
    }
}

void* PdhDiskRateSource::addCounter(std::string_view instance, bool write) {
    PDH_HCOUNTER counter = nullptr;
    if (query_ == nullptr || PdhAddEnglishCounterW(static_cast<PDH_HQUERY>(query_),
                                                   toWide(diskCounterPath(instance, write)).c_str(), 0,
                                                   &counter) != ERROR_SUCCESS) {
        return nullptr;
    }
    return counter;
}

void PdhDiskRateSource::removeCounters() {
    for (void** counter : {&readCounter_, &writeCounter_}) {
        if (*counter != nullptr) {
            PdhRemoveCounter(static_cast<PDH_HCOUNTER>(*counter));
            *counter = nullptr;
        }
    }
}

void PdhDiskRateSource::select(std::string_view instance) {
    removeCounters();
    readCounter_ = addCounter(instance, false);
    writeCounter_ = addCounter(instance, true);
}

void PdhDiskRateSource::collect() {
    if (query_ != nullptr) {
        PdhCollectQueryData(static_cast<PDH_HQUERY>(query_));
    }
}

double PdhDiskRateSource::value(void* counter) const {
    if (counter == nullptr) {
        return 0.0;
    }
    PDH_FMT_COUNTERVALUE value{};
    const PDH_STATUS status =
        PdhGetFormattedCounterValue(static_cast<PDH_HCOUNTER>(counter), PDH_FMT_DOUBLE | PDH_FMT_NOCAP100, nullptr,
                                    &value);
    if (status != ERROR_SUCCESS || (value.CStatus != PDH_CSTATUS_VALID_DATA && value.CStatus != PDH_CSTATUS_NEW_DATA)) {
        return 0.0;
    }
    return std::isfinite(value.doubleValue) && value.doubleValue > 0 ? value.doubleValue : 0.0;
}

std::vector<DiskInfo> listPdhDisks() {
    std::vector<DiskInfo> disks;
    DWORD counterLength = 0;
    DWORD instanceLength = 0;
    const PDH_STATUS sized = PdhEnumObjectItemsW(nullptr, nullptr, L"PhysicalDisk", nullptr, &counterLength, nullptr,
                                                 &instanceLength, PERF_DETAIL_WIZARD, 0);
    if ((sized != static_cast<PDH_STATUS>(PDH_MORE_DATA) && sized != ERROR_SUCCESS) || instanceLength == 0) {
        return disks;
    }
    std::vector<wchar_t> counters(counterLength + 1U);
    std::vector<wchar_t> instances(instanceLength + 1U);
    if (PdhEnumObjectItemsW(nullptr, nullptr, L"PhysicalDisk", counters.data(), &counterLength, instances.data(),
                            &instanceLength, PERF_DETAIL_WIZARD, 0) != ERROR_SUCCESS) {
        return disks;
    }
    // A list of NUL-terminated names, ended by an empty one.
    for (const wchar_t* name = instances.data(); *name != L'\0'; name += std::wcslen(name) + 1) {
        std::string instance = toUtf8(name);
        if (instance != "_Total") {
            disks.push_back({std::move(instance), {}, 0, {}});
        }
    }
    std::sort(disks.begin(), disks.end(), [](const DiskInfo& a, const DiskInfo& b) { return a.name < b.name; });
    return disks;
}

} // namespace oruvel::platform
