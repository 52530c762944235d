#include "activity/disk_activity_window.h"

#include "activity/history_graph.h"
#include "core/activity_texts.h"
#include "core/readout.h"
#include "core/settings.h"
#include "look/accessibility.h"
#include "look/system_palette.h"
#include "platform/disk_rate_source.h"
#include "platform/text_util.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace oruvel::activity {
namespace {

constexpr int kListEverySamples = 5;
const QString kTotalCaption = QStringLiteral("全部磁盘 (_Total)");

// A table whose first column takes the room left; the others are as wide as their header or the widest text of
// `widest`, measured once: columns sized to their contents would measure every cell again at each change, which
// costs more than all the rest of a second's work.
QTableWidget* table(const QStringList& headers, const QStringList& widest, QWidget* parent) {
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setTabKeyNavigation(false);
    QHeaderView* header = t->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const QFontMetrics cells(t->font());
    const QFontMetrics titles(header->font());
    constexpr int kPadding = 16;
    for (int c = 1; c < t->columnCount(); ++c) {
        header->setSectionResizeMode(c, QHeaderView::Fixed);
        const int text = c - 1 < widest.size() ? cells.horizontalAdvance(widest[c - 1]) : 0;
        header->resizeSection(c, std::max(text, titles.horizontalAdvance(headers[c])) + kPadding);
    }
    return t;
}

// Sets a cell's text, creating the cell the first time; numbers are right-aligned.
void setCell(QTableWidget* t, int row, int column, const QString& text) {
    QTableWidgetItem* item = t->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        t->setItem(row, column, item);
    }
    if (item->text() != text) {
        item->setText(text);
    }
}

// A label of one line whose size does not follow its text: a text that changes every second then costs a repaint, not
// a new layout of the whole window (which measures every text in it again).
class LineLabel final : public QLabel {
public:
    using QLabel::QLabel;
    QSize sizeHint() const override { return {fontMetrics().averageCharWidth() * 24, fontMetrics().height()}; }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

DiskActivityWindow::DiskActivityWindow(core::Settings& settings, ActivityServices services,
                                       core::NumberSeparators separators)
    : QWidget(nullptr, Qt::Window), settings_(settings), services_(std::move(services)),
      separators_(std::move(separators)) {
    setObjectName(QStringLiteral("diskActivityWindow"));
    setWindowTitle(QStringLiteral("磁盘活动"));
    look::setAccessibleRole(*this, look::AccessibleRole::Window);
    resize(kDefaultWidth, kDefaultHeight);

    auto* layout = new QVBoxLayout(this);
    const QString widestRate = q(core::rateText(99999.99 * 1024 * 1024, separators_));
    const QString widestCount = q(core::countText(999999));
    const QString widestTime = q(core::millisecondsText(99999.99, separators_));
    diskTable_ = table({QStringLiteral("磁盘"), QStringLiteral("读取"), QStringLiteral("写入"), QStringLiteral("忙碌"),
                        QStringLiteral("读取延迟"), QStringLiteral("写入延迟"), QStringLiteral("读取/秒"),
                        QStringLiteral("写入/秒"), QStringLiteral("队列")},
                       {widestRate, widestRate, q(core::percentText(100)), widestTime, widestTime, widestCount,
                        widestCount, widestCount},
                       this);
    diskTable_->setObjectName(QStringLiteral("diskTable"));
    look::setAccessibleName(*diskTable_, QStringLiteral("磁盘"));
    layout->addWidget(diskTable_, 2);

    auto* graphRow = new QHBoxLayout;
    graphTitle_ = new LineLabel(this);
    graphTitle_->setObjectName(QStringLiteral("graphTitle"));
    graphRow->addWidget(graphTitle_, 1);
    auto* scaleLabel = new QLabel(QStringLiteral("刻度(&S)："), this);
    scaleChoice_ = new QComboBox(this);
    scaleChoice_->setObjectName(QStringLiteral("scaleChoice"));
    scaleChoice_->addItems({QStringLiteral("满量程"), QStringLiteral("自动")});
    scaleLabel->setBuddy(scaleChoice_);
    graphRow->addWidget(scaleLabel);
    graphRow->addWidget(scaleChoice_);
    layout->addLayout(graphRow);

    graph_ = new HistoryGraph(this);
    graph_->setObjectName(QStringLiteral("historyGraph"));
    graph_->setSeparators(separators_);
    layout->addWidget(graph_, 3);
    totals_ = new LineLabel(this);
    totals_->setObjectName(QStringLiteral("totals"));
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(totals_);

    processGroup_ = new QGroupBox(this);
    processGroup_->setObjectName(QStringLiteral("processGroup"));
    auto* processLayout = new QVBoxLayout(processGroup_);
    processTable_ =
        table({QStringLiteral("程序"), QStringLiteral("PID"), QStringLiteral("读取"), QStringLiteral("写入")},
              {QStringLiteral("4194304"), widestRate, widestRate}, processGroup_);
    processTable_->setObjectName(QStringLiteral("processTable"));
    look::setAccessibleName(*processTable_, QStringLiteral("程序"));
    processLayout->addWidget(processTable_);
    layout->addWidget(processGroup_, 3);

    auto* countRow = new QHBoxLayout;
    auto* countLabel = new QLabel(QStringLiteral("列出的程序数(&P)："), this);
    processCount_ = new QSpinBox(this);
    processCount_->setObjectName(QStringLiteral("processCount"));
    processCount_->setRange(0, 20);
    processCount_->setSpecialValueText(QStringLiteral("不列出"));
    countLabel->setBuddy(processCount_);
    countRow->addWidget(countLabel);
    countRow->addWidget(processCount_);
    countRow->addStretch(1);
    layout->addLayout(countRow);

    // The read and write colours of the monitor's fills.
    graph_->setColours(look::toQColor(settings_.number(core::Key::ReadBarFill)),
                       look::toQColor(settings_.number(core::Key::WriteBarFill)));
    applySetting(core::Key::ActivityAutoScale);
    applySetting(core::Key::ActivityProcessCount);

    connect(scaleChoice_, &QComboBox::currentIndexChanged, this,
            [this](int index) { settings_.setNumber(core::Key::ActivityAutoScale, index == 1 ? 1 : 0); });
    connect(processCount_, &QSpinBox::valueChanged, this,
            [this](int count) { settings_.setNumber(core::Key::ActivityProcessCount, count); });
    connect(diskTable_, &QTableWidget::currentCellChanged, this, [this] { showGraph(); });

    disks_ = services_.openDisks ? services_.openDisks() : nullptr;
}

DiskActivityWindow::~DiskActivityWindow() = default;

DiskActivityWindow::Tracked& DiskActivityWindow::tracked(const std::string& name) {
    auto [it, added] = histories_.try_emplace(platform::toLowerAscii(name));
    if (added) {
        it->second.since = QDateTime::currentDateTime();
    }
    return it->second;
}

void DiskActivityWindow::seedHistory(const std::string& instance, const core::RateHistory& history,
                                     const QDateTime& since) {
    Tracked& t = tracked(instance);
    t.history = history;
    t.since = since;
    chooseDisk(instance);
    showGraph();
}

void DiskActivityWindow::applySetting(core::Key key) {
    if (key == core::Key::ActivityAutoScale) {
        const QSignalBlocker quiet(scaleChoice_);
        scaleChoice_->setCurrentIndex(settings_.box(key) == core::BoxState::Ticked ? 1 : 0);
        showGraph();
    } else if (key == core::Key::ActivityProcessCount) {
        const QSignalBlocker quiet(processCount_);
        processCount_->setValue(settings_.number(key));
        applyProcessCount();
    }
}

void DiskActivityWindow::applyProcessCount() {
    const int count = settings_.number(core::Key::ActivityProcessCount);
    processGroup_->setVisible(count > 0);
    if (count == 0) {
        processes_.reset(); // nothing of the processes is read while the list is off
        processRates_ = core::ProcessRates();
    } else if (processes_ == nullptr && services_.openProcesses) {
        processes_ = services_.openProcesses();
    }
    showProcesses();
}

void DiskActivityWindow::sample() {
    const double now = services_.clock != nullptr ? services_.clock->seconds() : 0.0;
    const double interval = sampled_ ? now - lastSample_ : 0.0;
    lastSample_ = now;
    sampled_ = true;
    if (disks_ != nullptr) {
        disks_->collect();
        showDisks(disks_->disks(), interval);
    }
    if (processes_ != nullptr) {
        processes_->scan(scan_);
        processRates_.update(scan_.processes, now);
        showProcesses();
    }
}

void DiskActivityWindow::showDisks(const std::vector<platform::DiskActivityReading>& readings, double interval) {
    // The table is laid out anew when the disks change, and every few seconds for the mounts.
    bool sameDisks = rowNames_.size() == readings.size() + 1;
    for (std::size_t i = 0; sameDisks && i < readings.size(); ++i) {
        sameDisks = rowNames_[i + 1] == readings[i].name;
    }
    if (!sameDisks || ++samplesSinceListing_ >= kListEverySamples) {
        const std::string chosen = chosenDisk();
        rowNames_.assign(1, std::string(platform::kTotalInstance));
        for (const platform::DiskActivityReading& r : readings) {
            rowNames_.push_back(r.name);
        }
        buildDiskTable();
        if (!chosen.empty()) {
            chooseDisk(chosen);
        }
        samplesSinceListing_ = 0;
    }
    const bool measured = std::all_of(readings.begin(), readings.end(), [](const auto& r) { return r.measured; });
    const platform::DiskActivity total = core::totalActivity(readings);
    showRow(0, total);
    if (measured && !readings.empty()) {
        tracked(std::string(platform::kTotalInstance)).history.push(total.readRate, total.writeRate, interval);
    }
    for (std::size_t i = 0; i < readings.size(); ++i) {
        showRow(static_cast<int>(i) + 1, readings[i].activity);
        if (readings[i].measured) {
            const platform::DiskActivity& a = readings[i].activity;
            tracked(readings[i].name).history.push(a.readRate, a.writeRate, interval);
        }
    }
    showGraph();
}

void DiskActivityWindow::buildDiskTable() {
    std::map<std::string, platform::DiskInfo> known;
    for (platform::DiskInfo& disk : services_.listDisks ? services_.listDisks() : std::vector<platform::DiskInfo>{}) {
        known[disk.name] = std::move(disk);
    }
    const QSignalBlocker quiet(diskTable_);
    diskTable_->setRowCount(static_cast<int>(rowNames_.size()));
    for (std::size_t i = 0; i < rowNames_.size(); ++i) {
        const std::string& name = rowNames_[i];
        QString caption = kTotalCaption;
        if (i > 0) {
            const auto it = known.find(name);
            caption = it != known.end() ? q(core::diskDescription(it->second, separators_.decimal)) : q(name);
        }
        setCell(diskTable_, static_cast<int>(i), 0, caption);
        diskTable_->item(static_cast<int>(i), 0)->setToolTip(caption);
    }
}

void DiskActivityWindow::showRow(int row, const platform::DiskActivity& a) {
    if (row >= diskTable_->rowCount()) {
        return;
    }
    const QStringList texts{q(core::rateText(a.readRate, separators_)),
                            q(core::rateText(a.writeRate, separators_)),
                            q(core::percentText(a.busyPercent)),
                            q(core::millisecondsText(a.readAwaitMilliseconds, separators_)),
                            q(core::millisecondsText(a.writeAwaitMilliseconds, separators_)),
                            q(core::countText(a.readsPerSecond)),
                            q(core::countText(a.writesPerSecond)),
                            q(core::countText(a.inFlight))};
    for (int c = 0; c < texts.size(); ++c) {
        setCell(diskTable_, row, c + 1, texts[c]);
    }
}

std::string DiskActivityWindow::chosenDisk() const {
    const int row = diskTable_->currentRow();
    return row >= 0 && static_cast<std::size_t>(row) < rowNames_.size() ? rowNames_[static_cast<std::size_t>(row)]
                                                                        : std::string();
}

void DiskActivityWindow::chooseDisk(const std::string& name) {
    for (std::size_t i = 0; i < rowNames_.size(); ++i) {
        if (platform::equalsIgnoreCase(rowNames_[i], name)) {
            diskTable_->setCurrentCell(static_cast<int>(i), 0);
            return;
        }
    }
}

void DiskActivityWindow::showGraph() {
    std::string name = chosenDisk();
    if (name.empty()) {
        name = settings_.text(core::Key::DiskInstance);
    }
    const auto it = histories_.find(platform::toLowerAscii(name));
    const core::RateHistory* history = it != histories_.end() ? &it->second.history : nullptr;
    const bool automatic = settings_.box(core::Key::ActivityAutoScale) == core::BoxState::Ticked;
    graph_->setHistory(history,
                       graphScale(automatic,
                                  core::fullScaleRate(settings_.text(core::Key::ReadFullScale), separators_.decimal),
                                  core::fullScaleRate(settings_.text(core::Key::WriteFullScale), separators_.decimal),
                                  history != nullptr ? history->peak() : 0.0));
    graphTitle_->setText(QStringLiteral("最近一分钟：%1").arg(q(name)));
    if (history == nullptr) {
        totals_->clear();
        return;
    }
    totals_->setText(QStringLiteral("自 %1 起：读取 %2，写入 %3")
                         .arg(it->second.since.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                              q(core::formatBytes(history->bytesRead(), true, separators_)),
                              q(core::formatBytes(history->bytesWritten(), true, separators_))));
}

void DiskActivityWindow::showProcesses() {
    const int count = settings_.number(core::Key::ActivityProcessCount);
    // Which programs are counted, and what: where the system gives only all of a process's I/O, it says so.
    const QString what = scan_.countsAllIo ? QStringLiteral("读写最多的程序（进程的全部 I/O，不只是磁盘；")
                                           : QStringLiteral("磁盘读写最多的程序（");
    processGroup_->setTitle(what + (scan_.allProcesses || processes_ == nullptr
                                        ? QStringLiteral("全部程序）")
                                        : QStringLiteral("你的程序；其他用户的程序需要权限）")));
    const std::vector<core::ProcessRate> busiest = processRates_.busiest(static_cast<std::size_t>(std::max(count, 0)));
    processTable_->setRowCount(static_cast<int>(busiest.size()));
    for (std::size_t i = 0; i < busiest.size(); ++i) {
        const core::ProcessRate& p = busiest[i];
        const int row = static_cast<int>(i);
        setCell(processTable_, row, 0, q(p.name));
        setCell(processTable_, row, 1, QString::number(p.pid));
        setCell(processTable_, row, 2, q(core::rateText(p.readRate, separators_)));
        setCell(processTable_, row, 3, q(core::rateText(p.writeRate, separators_)));
    }
}

void DiskActivityWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

void DiskActivityWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace oruvel::activity
