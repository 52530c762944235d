#include "activity/history_graph.h"

#include "core/activity_texts.h"

#include "look/accessibility.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace oruvel::activity {

namespace {

// The height of a column's edge drawn in the full colour, in pixels.
constexpr int kEdge = 2;

// A colour laid at a share over the graph's background, as the opaque colour that shows.
QColor blended(const QColor& colour, const QColor& base) {
    constexpr double kShare = 0.45;
    const auto mix = [](double top, double under) { return under + (top - under) * kShare; };
    return QColor::fromRgbF(static_cast<float>(mix(colour.redF(), base.redF())),
                            static_cast<float>(mix(colour.greenF(), base.greenF())),
                            static_cast<float>(mix(colour.blueF(), base.blueF())));
}

} // namespace

HistoryGraph::HistoryGraph(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 100);
    look::setAccessibleName(*this, QStringLiteral("最近一分钟"));
    setFocusPolicy(Qt::NoFocus);
}

void HistoryGraph::setHistory(const core::RateHistory* history, const GraphScale& scale) {
    history_ = history;
    scale_ = scale;
    describe();
    update();
}

void HistoryGraph::setColours(const QColor& read, const QColor& write) {
    read_ = read;
    write_ = write;
    update();
}

// What a screen reader tells of the graph: the newest second and the highest of the minute.
void HistoryGraph::describe() {
    if (history_ == nullptr || history_->size() == 0) {
        look::setAccessibleDescription(*this, QString());
        return;
    }
    const core::RateHistory::Point& last = history_->at(history_->size() - 1);
    look::setAccessibleDescription(*this, QStringLiteral("读取 %1，写入 %2，一分钟内最高 %3")
                                 .arg(QString::fromStdString(core::rateText(last.read, separators_)),
                                      QString::fromStdString(core::rateText(last.write, separators_)),
                                      QString::fromStdString(core::rateText(history_->peak(), separators_))));
}

// The graph is drawn from whole-pixel rectangles of opaque colours, one column a second: Qt fills those with plain
// stores, where antialiased or translucent shapes as tall as the graph would be filled span by span in its thread
// pool, every second the window is open.
void HistoryGraph::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    const QColor base = palette().base().color();
    const QColor text = palette().text().color();
    const QRect frame = rect();
    p.fillRect(frame, palette().mid().color());
    const QRect area = frame.adjusted(1, 1, -1, -1);
    p.fillRect(area, base);
    const int axis = area.top() + area.height() / 2;
    const int half = area.height() / 2 - 2;
    const auto height = [half](double rate, double top) {
        return top > 0 ? static_cast<int>(std::lround(std::clamp(rate / top, 0.0, 1.0) * half)) : 0;
    };
    const int seconds = static_cast<int>(core::RateHistory::kSeconds);
    const auto slotLeft = [&](int slot) { return area.left() + slot * area.width() / seconds; };

    if (history_ != nullptr && history_->size() > 0) {
        const int n = static_cast<int>(history_->size());
        const QColor readFill = blended(read_, base);
        const QColor writeFill = blended(write_, base);
        for (int i = 0; i < n; ++i) {
            const core::RateHistory::Point& pt = history_->at(static_cast<std::size_t>(i));
            const int left = slotLeft(seconds - n + i);
            const int width = slotLeft(seconds - n + i + 1) - left;
            const int up = height(pt.read, scale_.readTop);
            const int down = height(pt.write, scale_.writeTop);
            p.fillRect(QRect(left, axis - up, width, up), readFill);
            p.fillRect(QRect(left, axis - up, width, std::min(up, kEdge)), read_);
            p.fillRect(QRect(left, axis + 1, width, down), writeFill);
            p.fillRect(QRect(left, axis + 1 + down - std::min(down, kEdge), width, std::min(down, kEdge)), write_);
        }
    }

    p.fillRect(QRect(area.left(), axis, area.width(), 1), text);
    p.setPen(QPen(text, 1.0, Qt::DashLine));
    for (const auto& [rate, top, sign] :
         {std::tuple{scale_.readLine, scale_.readTop, -1}, std::tuple{scale_.writeLine, scale_.writeTop, 1}}) {
        if (rate > 0) {
            const int y = axis + sign * height(rate, top);
            p.drawLine(area.left(), y, area.right(), y);
        }
    }
    p.setPen(text);
    const QFontMetrics metrics = fontMetrics();
    // The scale of each half at its edge: the full-scale rate where its line is drawn, else the edge's rate.
    const auto label = [&](double line, double top, const QString& what, bool upper) {
        const QString rate = QString::fromStdString(core::rateText(line > 0 ? line : top, separators_));
        const QString caption = line > 0 ? QStringLiteral("%1（满量程 %2）").arg(what, rate)
                                         : QStringLiteral("%1（最高 %2）").arg(what, rate);
        const int y = upper ? area.top() + 2 + metrics.ascent() : area.bottom() - 2 - metrics.descent();
        p.drawText(QPoint(area.left() + 4, y), caption);
    };
    label(scale_.readLine, scale_.readTop, QStringLiteral("读取 ↑"), true);
    label(scale_.writeLine, scale_.writeTop, QStringLiteral("写入 ↓"), false);
}

} // namespace oruvel::activity
