// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The maker's web pages and one launcher per page.
namespace modHelp {

// The pages the program links to, one row each in the page table.
enum class Page {
    Home,
    Help,
    Download,
    Donate,
    FullyBranded,
    CoBrand,
    Softwares,
    SignForum,
    DailyHoroscope,
};

// The maker's web server, without a trailing slash (set at build time).
QString ServerBaseAddress();
// The server's name as captions show it, "www.example.com".
QString SiteHost(const QString &baseAddress = ServerBaseAddress());
// The forum as captions show it: SiteHost + "/forum".
QString ForumSite();
// The sign's own site as captions show it: "aquarius." + the server's domain.
QString SignSite(const QString &baseAddress = ServerBaseAddress());
// The product's home directory on that server, ending in a slash.
QString ProductHomeAddress();
// ServerBaseAddress + "/starfold/ssd.php?page=" + key.
QString PageAddress(const QString &pageKey);
// ServerBaseAddress + path, for the pages at the server root.
QString RootPageAddress(const QString &path);
// The address of one row of the page table.
QString AddressOf(Page page);

// Hands one address to the desktop's default handler and forgets it.
void OpenWebPage(const QString &address);

void OpenHomePage();
void OpenHelpPage();
void OpenDownloadPage();
void OpenDonatePage();
void OpenFullyBrandedPage();
void OpenCoBrandPage();
void OpenSoftwaresPage();
void OpenSignForumPage();
void OpenDailyHoroscopePage();

} // namespace modHelp
