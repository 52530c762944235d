// The floor the gadget is measured against: a small Qt program that does only the visible job. A frameless 154 x 24
// window with two painted bars and their texts, a one-second timer that reads the whole disks' /sys/block/*/stat
// (opened once, read again from the start), and a repaint only when a text or a fill changes.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

namespace {

struct Totals {
    double readBytes = 0;
    double writeBytes = 0;
};

// The whole disks' stat files (those with a device link, not loop, ram or zram devices), opened once.
std::vector<std::unique_ptr<QFile>> openWholeDisks() {
    std::vector<std::unique_ptr<QFile>> files;
    const QDir block(QStringLiteral("/sys/block"));
    for (const QString& name : block.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name.startsWith(QLatin1String("loop")) || name.startsWith(QLatin1String("ram")) ||
            name.startsWith(QLatin1String("zram")) ||
            !QFile::exists(block.filePath(name + QStringLiteral("/device")))) {
            continue;
        }
        auto stat = std::make_unique<QFile>(block.filePath(name + QStringLiteral("/stat")));
        if (stat->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            files.push_back(std::move(stat));
        }
    }
    return files;
}

// Sectors read and written, from each file read again from its start.
Totals readTotals(const std::vector<std::unique_ptr<QFile>>& files) {
    Totals t;
    for (const auto& stat : files) {
        stat->seek(0);
        const QList<QByteArray> fields = stat->read(256).simplified().split(' ');
        if (fields.size() > 6) {
            t.readBytes += fields[2].toDouble() * 512;
            t.writeBytes += fields[6].toDouble() * 512;
        }
    }
    return t;
}

class FloorGadget final : public QWidget {
public:
    FloorGadget() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint) {
        setFixedSize(154, 24);
        last_ = readTotals(disks_);
        clock_.start();
        timer_.setInterval(1000);
        connect(&timer_, &QTimer::timeout, this, [this] { sample(); });
        timer_.start();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter p(this);
        for (int i = 0; i < 2; ++i) {
            const QRect bar(0, i * 12, 154, 12);
            p.fillRect(bar, QColor(224, 224, 224));
            p.fillRect(QRect(bar.topLeft(), QSize(154 * fill_[i] / 100, 12)), QColor(0, 192, 192));
            p.drawText(bar.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text_[i]);
        }
    }

private:
    void sample() {
        const Totals now = readTotals(disks_);
        const double seconds = static_cast<double>(clock_.restart()) / 1000.0;
        const std::array<double, 2> rates{(now.readBytes - last_.readBytes) / seconds,
                                          (now.writeBytes - last_.writeBytes) / seconds};
        last_ = now;
        bool changed = false;
        for (int i = 0; i < 2; ++i) {
            const QString text = QStringLiteral("Drive %1: %2 MB/s")
                                     .arg(i == 0 ? QStringLiteral("Read") : QStringLiteral("Write"))
                                     .arg(rates[i] / 1048576.0, 0, 'f', 2);
            const int fill = qBound(0, static_cast<int>(rates[i] * 100 / (25 * 1048576.0)), 100);
            changed = changed || text != text_[i] || fill != fill_[i];
            text_[i] = text;
            fill_[i] = fill;
        }
        if (changed) {
            update();
        }
    }

    std::vector<std::unique_ptr<QFile>> disks_ = openWholeDisks();
    QTimer timer_;
    QElapsedTimer clock_;
    Totals last_;
    std::array<QString, 2> text_;
    std::array<int, 2> fill_{};
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FloorGadget gadget;
    gadget.show();
    return QApplication::exec();
}
