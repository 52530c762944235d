#pragma once

#include "activity/graph_scale.h"
#include "core/format_bytes.h"
#include "core/rate_history.h"

#include <QColor>
#include <QWidget>

namespace oruvel::activity {

// The last minute of one disk: reads above the axis, writes below, the newest second at the right, each half to its
// scale with the full-scale line where there is one. Painted at the screen's own resolution.
class HistoryGraph : public QWidget {
    Q_OBJECT
public:
    explicit HistoryGraph(QWidget* parent = nullptr);

    // The history shown (not owned; null shows an empty graph), repainted at once.
    void setHistory(const core::RateHistory* history, const GraphScale& scale);
    void setColours(const QColor& read, const QColor& write);
    void setSeparators(const core::NumberSeparators& separators) { separators_ = separators; }

    QSize sizeHint() const override { return {480, 160}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    const core::RateHistory* history_ = nullptr;
    GraphScale scale_;
    QColor read_{0, 192, 192};
    QColor write_{0, 192, 0};
    core::NumberSeparators separators_;
};

} // namespace oruvel::activity
