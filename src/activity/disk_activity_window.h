#pragma once

#include "core/format_bytes.h"
#include "core/process_rates.h"
#include "core/rate_history.h"
#include "core/settings_keys.h"
#include "platform/disk_activity_source.h"
#include "platform/disk_list.h"
#include "platform/monotonic_clock.h"
#include "platform/process_io.h"

#include <QDateTime>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QComboBox;
class QGroupBox;
class QSpinBox;
class QTableWidget;

namespace oruvel::core {
class Settings;
}

namespace oruvel::activity {

class HistoryGraph;

// How the window reaches the system (fixtures in tests).
struct ActivityServices {
    std::function<std::unique_ptr<platform::DiskActivitySource>()> openDisks;
    std::function<std::unique_ptr<platform::ProcessIoSource>()> openProcesses;
    platform::DiskLister listDisks; // with their file systems
    const platform::MonotonicClock* clock = nullptr;
};

// The disk-activity window: every disk by the name the user knows it by, what each does this second (rates, busy
// share, mean times, operations, requests in flight), the last minute of the chosen one as a graph with the bytes
// moved since its history began, and the programs with the most disk I/O. It reads all this only while it exists;
// its owner builds it when it is opened, drives it once a second and drops it when it is closed.
class DiskActivityWindow : public QWidget {
    Q_OBJECT
public:
    DiskActivityWindow(core::Settings& settings, ActivityServices services, core::NumberSeparators separators);
    ~DiskActivityWindow() override;

    // The minute just past of the disk the monitor shows, and since when its totals count.
    void seedHistory(const std::string& instance, const core::RateHistory& history, const QDateTime& since);
    // One second: reads every disk and, while the list shows, the processes; shows the results.
    void sample();
    // A setting this window shows has changed.
    void applySetting(core::Key key);

    // The disk whose minute the graph shows.
    std::string chosenDisk() const;
    void chooseDisk(const std::string& name);

    static constexpr int kDefaultWidth = 760;
    static constexpr int kDefaultHeight = 680;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Tracked {
        core::RateHistory history;
        QDateTime since;
    };
    void buildDiskTable();
    void showDisks(const std::vector<platform::DiskActivityReading>& readings, double interval);
    void showRow(int row, const platform::DiskActivity& activity);
    void showGraph();
    void showProcesses();
    void applyProcessCount();
    Tracked& tracked(const std::string& name);

    core::Settings& settings_;
    ActivityServices services_;
    core::NumberSeparators separators_;
    std::unique_ptr<platform::DiskActivitySource> disks_;
    std::unique_ptr<platform::ProcessIoSource> processes_;
    platform::ProcessScan scan_;
    core::ProcessRates processRates_;
    std::map<std::string, Tracked> histories_; // by lower-case name; "_total" for all disks
    std::vector<std::string> rowNames_;        // the table's disks, "_Total" first
    double lastSample_ = 0;
    bool sampled_ = false;
    int samplesSinceListing_ = 0;

    QTableWidget* diskTable_;
    HistoryGraph* graph_;
    QLabel* graphTitle_;
    QLabel* totals_;
    QComboBox* scaleChoice_;
    QGroupBox* processGroup_;
    QTableWidget* processTable_;
    QSpinBox* processCount_;
};

} // namespace oruvel::activity
