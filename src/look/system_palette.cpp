#include "look/system_palette.h"

#include <QGuiApplication>
#include <QPalette>

namespace oruvel::look {

QColor systemColour(int index) {
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
        return pal.color(QPalette::Button);
    case 1:  // desktop
    case 12: // application workspace
    case 16: // button shadow
        return pal.color(QPalette::Dark);
    case 2:  // active caption
    case 13: // highlight
    case 27:
    case 28:
    case 29:
        return pal.color(QPalette::Highlight);
    case 3: // inactive caption
        return pal.color(QPalette::Mid);
    case 4: // menu
    case 10:
    case 11:
    case 30:
        return pal.color(QPalette::Window);
    case 5: // window
        return pal.color(QPalette::Base);
    case 6:  // window frame
    case 21: // dark shadow
        return pal.color(QPalette::Shadow);
    case 7: // menu text
    case 19:
        return pal.color(QPalette::WindowText);
    case 8: // window text
        return pal.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlight text
        return pal.color(QPalette::HighlightedText);
    case 17: // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return pal.color(QPalette::ButtonText);
    case 20: // button highlight
        return pal.color(QPalette::Light);
    case 22: // 3-D light
        return pal.color(QPalette::Midlight);
    case 23:
        return pal.color(QPalette::ToolTipText);
    case 24:
        return pal.color(QPalette::ToolTipBase);
    case 26:
        return pal.color(QPalette::Link);
    default:
        return {};
    }
}

QColor toQColor(core::Colour colour, const QColor& fallback) {
    if (!core::isSystemColour(colour)) {
        return {core::redOf(colour), core::greenOf(colour), core::blueOf(colour)};
    }
    const QColor c = systemColour(core::systemColourIndex(colour));
    return c.isValid() ? c : fallback;
}

QColor textColour(core::Colour colour) {
    if (core::isSystemColour(colour)) {
        const QColor c = systemColour(colour & 0xFF);
        return c.isValid() ? c : QColor(Qt::white);
    }
    return toQColor(colour);
}

core::Colour fromQColor(const QColor& colour) {
    return core::makeColour(colour.red(), colour.green(), colour.blue());
}

} // namespace oruvel::look
