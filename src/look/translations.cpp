#include "look/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace oruvel::look {

bool installQtTranslations(const QString& programFolder) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    for (const QString& folder :
         {programFolder + QStringLiteral("/translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator)) {
            return true;
        }
        delete translator;
    }
    return false;
}

} // namespace oruvel::look
