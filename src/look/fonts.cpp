#include "look/fonts.h"

#include <QFont>
#include <QStringList>

namespace oruvel::look {

void installFontSubstitutes() {
    const QStringList fallbacks{QStringLiteral("DejaVu Sans"),      QStringLiteral("Liberation Sans"),
                                QStringLiteral("Noto Sans"),        QStringLiteral("WenQuanYi Micro Hei"),
                                QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")};
    QFont::insertSubstitutions(QStringLiteral("Verdana"), fallbacks);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), fallbacks);
}

} // namespace oruvel::look
