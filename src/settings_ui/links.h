#pragma once

#include <QString>

namespace oruvel::settings_ui {

// The maker's page on the social network, and the product's page (help and the web site).
inline const QString kMakerSocialPage = QStringLiteral("https://www.facebook.com/quorlane");
inline const QString kProductPage = QStringLiteral("https://www.quorlane.com/oruvel/");

// Opens a page in the default browser without waiting for it; a failure is ignored.
void openPage(const QString& address);

} // namespace oruvel::settings_ui
