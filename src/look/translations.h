#pragma once

#include <QString>

namespace oruvel::look {

// Qt's own texts (the file and colour dialogs, standard buttons) in the program's language, Chinese, whatever the
// system's: Qt's translation from "translations" beside the program (the Windows folder ships it), else from Qt's
// translations folder (Debian's qt6-translations-l10n). False when neither could be loaded: the texts stay English.
bool installQtTranslations(const QString& programFolder);

} // namespace oruvel::look
