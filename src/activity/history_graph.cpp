#include "activity/history_graph.h"

#include "core/activity_texts.h"

#include "look/accessibility.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace oruvel::activity {

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

void HistoryGraph::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.fillRect(rect(), palette().base());
    p.setPen(palette().mid().color());
    p.drawRect(area);
    const double axis = area.center().y();
    const double half = area.height() / 2.0 - 2.0;
    const double step = area.width() / static_cast<double>(core::RateHistory::kSeconds - 1);
    const auto height = [half](double rate, double top) {
        return top > 0 ? std::clamp(rate / top, 0.0, 1.0) * half : 0.0;
    };

    if (history_ != nullptr && history_->size() > 0) {
        const std::size_t n = history_->size();
        const double firstX = area.right() - static_cast<double>(n - 1) * step;
        for (const bool reads : {true, false}) {
            QPainterPath path(QPointF(firstX, axis));
            for (std::size_t i = 0; i < n; ++i) {
                const core::RateHistory::Point& pt = history_->at(i);
                const double h = reads ? -height(pt.read, scale_.readTop) : height(pt.write, scale_.writeTop);
                path.lineTo(firstX + static_cast<double>(i) * step, axis + h);
            }
            path.lineTo(area.right(), axis);
            path.closeSubpath();
            QColor fill = reads ? read_ : write_;
            p.setPen(QPen(fill, 1.5));
            fill.setAlpha(110);
            p.setBrush(fill);
            p.drawPath(path);
        }
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette().text().color(), 1.0));
    p.drawLine(QPointF(area.left(), axis), QPointF(area.right(), axis));
    QPen line(palette().text().color(), 1.0, Qt::DashLine);
    p.setPen(line);
    for (const auto& [rate, top, sign] :
         {std::tuple{scale_.readLine, scale_.readTop, -1.0}, std::tuple{scale_.writeLine, scale_.writeTop, 1.0}}) {
        if (rate > 0) {
            const double y = axis + sign * height(rate, top);
            p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        }
    }
    p.setPen(palette().text().color());
    const QFontMetrics metrics = fontMetrics();
    // The scale of each half at its edge: the full-scale rate where its line is drawn, else the edge's rate.
    const auto label = [&](double line, double top, const QString& what, bool upper) {
        const QString rate = QString::fromStdString(core::rateText(line > 0 ? line : top, separators_));
        const QString text = line > 0 ? QStringLiteral("%1（满量程 %2）").arg(what, rate)
                                      : QStringLiteral("%1（最高 %2）").arg(what, rate);
        const double y = upper ? area.top() + 2 + metrics.ascent() : area.bottom() - 2 - metrics.descent();
        p.drawText(QPointF(area.left() + 4, y), text);
    };
    label(scale_.readLine, scale_.readTop, QStringLiteral("读取 ↑"), true);
    label(scale_.writeLine, scale_.writeTop, QStringLiteral("写入 ↓"), false);
}

} // namespace oruvel::activity
