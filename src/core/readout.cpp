#include "core/readout.h"

#include "platform/text_util.h"

#include <cmath>

namespace oruvel::core {

std::optional<double> fullScaleMegabytes(std::string_view text, std::string_view localeDecimalPoint) {
    std::string_view t = platform::trimmed(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    double whole = 0;
    double scale = 0; // 0 while before the decimal point
    bool digits = false;
    while (!t.empty()) {
        const char c = t.front();
        if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0) {
                whole = whole * 10 + (c - '0');
            } else {
                whole += (c - '0') * scale;
                scale /= 10;
            }
            t.remove_prefix(1);
            continue;
        }
        const bool point = c == '.' || (!localeDecimalPoint.empty() && t.starts_with(localeDecimalPoint));
        if (!point || scale != 0) {
            return std::nullopt;
        }
        scale = 0.1;
        t.remove_prefix(c == '.' ? 1 : localeDecimalPoint.size());
    }
    if (!digits || !std::isfinite(whole)) {
        return std::nullopt;
    }
    const double kept = std::round(whole * 10000.0) / 10000.0;
    return negative ? -kept : kept;
}

double fullScaleRate(std::string_view fullScaleText, std::string_view localeDecimalPoint) {
    const auto m = fullScaleMegabytes(fullScaleText, localeDecimalPoint);
    return (m && *m > 0 && std::isfinite(*m * 1048576.0) ? *m : kDefaultFullScaleMegabytes) * 1048576.0;
}

int ratePercent(double bytesPerSecond, std::string_view fullScaleText, std::string_view localeDecimalPoint) {
    const double r = std::isfinite(bytesPerSecond) && bytesPerSecond > 0 ? bytesPerSecond : 0.0;
    const double p = r / fullScaleRate(fullScaleText, localeDecimalPoint) * 100.0;
    const double rounded = std::round(p); // halves away from zero
    if (!(rounded < 100.0)) {
        return 100;
    }
    return rounded > 0.0 ? static_cast<int>(rounded) : 0;
}

LoadBand loadBand(int percent) {
    if (percent >= 75) {
        return LoadBand::High;
    }
    return percent >= 50 ? LoadBand::Middle : LoadBand::Low;
}

BarTexts barTexts(double readRate, double writeRate, bool compact, const NumberSeparators& separators) {
    if (compact) {
        return {"读: " + formatFixedMegabytes(readRate, separators),
                "写: " + formatFixedMegabytes(writeRate, separators)};
    }
    return {"Drive Read: " + formatBytes(readRate, true, separators) + "/s",
            "Drive Write: " + formatBytes(writeRate, true, separators) + "/s"};
}

const Readout::Shown& Readout::compute(double readRate, double writeRate, bool compact,
                                       const std::string& readFullScale, const std::string& writeFullScale,
                                       const NumberSeparators& separators) {
    Inputs inputs{readRate, writeRate, compact, readFullScale, writeFullScale, separators};
    if (last_ && *last_ == inputs) {
        return shown_;
    }
    shown_.texts = barTexts(readRate, writeRate, compact, separators);
    shown_.readPercent = ratePercent(readRate, readFullScale, separators.decimal);
    shown_.writePercent = ratePercent(writeRate, writeFullScale, separators.decimal);
    shown_.loadBands = {loadBand(shown_.readPercent), loadBand(shown_.writePercent)};
    last_ = std::move(inputs);
    return shown_;
}

} // namespace oruvel::core
