// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pages.h"

#include "app/platform.h"

#ifndef STARFOLD_SERVER_BASE_ADDRESS
#error "STARFOLD_SERVER_BASE_ADDRESS must be set by the build"
#endif

namespace modHelp {

QString ServerBaseAddress()
{
    QString base = QStringLiteral(STARFOLD_SERVER_BASE_ADDRESS);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QString ProductHomeAddress()
{
    return ServerBaseAddress() + QLatin1String("/starfold/");
}

QString PageAddress(const QString &pageKey)
{
    return ProductHomeAddress() + QLatin1String("ssd.php?page=") + pageKey;
}

QString RootPageAddress(const QString &path)
{
    return ServerBaseAddress() + path;
}

void OpenWebPage(const QString &address)
{
    platform().openUrl(address);
}

void OpenHomePage() { OpenWebPage(PageAddress(QStringLiteral("home-page"))); }
void OpenHelpPage() { OpenWebPage(PageAddress(QStringLiteral("help-web-page"))); }
void OpenDownloadPage() { OpenWebPage(PageAddress(QStringLiteral("download-web-page"))); }
void OpenDonatePage() { OpenWebPage(PageAddress(QStringLiteral("donate"))); }
void OpenFullyBrandedPage() { OpenWebPage(PageAddress(QStringLiteral("fully-branded"))); }
void OpenCoBrandPage() { OpenWebPage(PageAddress(QStringLiteral("co-brand"))); }
void OpenSoftwaresPage() { OpenWebPage(PageAddress(QStringLiteral("lunavalesoftwares"))); }

void OpenSignForumPage()
{
    OpenWebPage(RootPageAddress(QStringLiteral("/aquarius_-_january_20_-_february_18")));
}

void OpenDailyHoroscopePage()
{
    OpenWebPage(RootPageAddress(QStringLiteral("/aquarius_-_daily_horoscope")));
}

} // namespace modHelp
