#include "app/tick_readout.h"

#include "core/sampling.h"

namespace oruvel::app {

const TickReadout::Shown& TickReadout::compute(double readRate, double writeRate, bool compact,
                                               const std::string& readFullScale,
                                               const std::string& writeFullScale,
                                               const core::NumberSeparators& separators) {
    Inputs inputs{readRate, writeRate, compact, readFullScale, writeFullScale, separators};
    if (last_ && *last_ == inputs) {
        return shown_;
    }
    ++computations_;
    const core::BarTexts texts = core::barTexts(readRate, writeRate, compact, false, separators);
    shown_.readText = QString::fromStdString(texts.read);
    shown_.writeText = QString::fromStdString(texts.write);
    shown_.readPercent = core::ratePercent(readRate, readFullScale, separators.decimal);
    shown_.writePercent = core::ratePercent(writeRate, writeFullScale, separators.decimal);
    shown_.loadBands = {core::loadBand(shown_.readPercent), core::loadBand(shown_.writePercent)};
    last_ = std::move(inputs);
    return shown_;
}

} // namespace oruvel::app
