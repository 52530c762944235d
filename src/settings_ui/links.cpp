#include "settings_ui/links.h"

#include <QDesktopServices>
#include <QUrl>

namespace oruvel::settings_ui {

void openPage(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"))) {
        QDesktopServices::openUrl(url);
    }
}

} // namespace oruvel::settings_ui
