// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pages.h"

#include "base/buildconfig.h"
#include "base/platform.h"

#include <QUrl>

#include <algorithm>

namespace modHelp {

namespace {

// The server interprets the keys, so they are written exactly as it expects them.
struct PageRow {
    Page page;
    const char *keyOrPath;
    bool atRoot; // the sign's own pages live at the server root, without a key
};

constexpr PageRow PageTable[] = {
    {Page::Home, "home-page", false},
    {Page::Help, "help-web-page", false},
    {Page::Download, "download-web-page", false},
    {Page::Donate, "donate", false},
    {Page::FullyBranded, "fully-branded", false},
    {Page::CoBrand, "co-brand", false},
    {Page::Softwares, "lunavalesoftwares", false},
    {Page::SignForum, "/aquarius_-_january_20_-_february_18", true},
    {Page::DailyHoroscope, "/aquarius_-_daily_horoscope", true},
};

void OpenPage(Page page)
{
    OpenWebPage(AddressOf(page));
}

} // namespace

QString ServerBaseAddress()
{
    QString base = QStringLiteral(STARFOLD_SERVER_BASE_ADDRESS);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QString SiteHost(const QString &baseAddress)
{
    const QString host = QUrl(baseAddress).host();
    return host.isEmpty() ? baseAddress : host;
}

QString ForumSite()
{
    return SiteHost() + QLatin1String("/forum");
}

QString SignSite(const QString &baseAddress)
{
    QString domain = SiteHost(baseAddress);
    if (domain.startsWith(QLatin1String("www.")))
        domain.remove(0, 4);
    return QLatin1String("aquarius.") + domain;
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

QString AddressOf(Page page)
{
    const auto row = std::find_if(std::begin(PageTable), std::end(PageTable),
                                  [page](const PageRow &r) { return r.page == page; });
    if (row == std::end(PageTable))
        return {};
    const QString keyOrPath = QString::fromLatin1(row->keyOrPath);
    return row->atRoot ? RootPageAddress(keyOrPath) : PageAddress(keyOrPath);
}

void OpenWebPage(const QString &address)
{
    platform().openUrl(address);
}

void OpenHomePage() { OpenPage(Page::Home); }
void OpenHelpPage() { OpenPage(Page::Help); }
void OpenDownloadPage() { OpenPage(Page::Download); }
void OpenDonatePage() { OpenPage(Page::Donate); }
void OpenFullyBrandedPage() { OpenPage(Page::FullyBranded); }
void OpenCoBrandPage() { OpenPage(Page::CoBrand); }
void OpenSoftwaresPage() { OpenPage(Page::Softwares); }
void OpenSignForumPage() { OpenPage(Page::SignForum); }
void OpenDailyHoroscopePage() { OpenPage(Page::DailyHoroscope); }

} // namespace modHelp
