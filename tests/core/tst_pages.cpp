// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pages.h"

#include "support/recordingplatform.h"

#include <QTest>
#include <QUrl>

using Launcher = void (*)();

class TestPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void serverBase_isAnAbsoluteAddressWithoutTrailingSlash();
    void shownSites_followTheServer_data();
    void shownSites_followTheServer();
    void launcher_opensExactlyItsPage_data();
    void launcher_opensExactlyItsPage();
    void rootPages_carryNoScriptAndNoKey();
    void everyLauncher_opensADifferentPage();
    void launcherCalledTwice_opensTwice();
    void keyedAddress_takesFurtherQueryFields();

private:
    RecordingPlatform *m_world = nullptr;
};

void TestPages::init()
{
    m_world = new RecordingPlatform;
}

void TestPages::cleanup()
{
    delete m_world;
    m_world = nullptr;
}

void TestPages::serverBase_isAnAbsoluteAddressWithoutTrailingSlash()
{
    const QString base = modHelp::ServerBaseAddress();
    const QUrl url(base, QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(base));
    QVERIFY2(url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http"),
             qPrintable(base));
    QVERIFY2(!url.host().isEmpty(), qPrintable(base));
    QVERIFY2(!base.endsWith(QLatin1Char('/')), qPrintable(base));
    QVERIFY2(url.query().isEmpty() && url.fragment().isEmpty(), qPrintable(base));
}

void TestPages::launcher_opensExactlyItsPage_data()
{
    QTest::addColumn<Launcher>("launcher");
    QTest::addColumn<QString>("afterBase");

    const auto keyed = [](const char *key) {
        return QStringLiteral("/starfold/ssd.php?page=") + QLatin1String(key);
    };
    QTest::newRow("home") << Launcher(modHelp::OpenHomePage) << keyed("home-page");
    QTest::newRow("help") << Launcher(modHelp::OpenHelpPage) << keyed("help-web-page");
    QTest::newRow("download") << Launcher(modHelp::OpenDownloadPage) << keyed("download-web-page");
    QTest::newRow("donate") << Launcher(modHelp::OpenDonatePage) << keyed("donate");
    QTest::newRow("fully branded")
        << Launcher(modHelp::OpenFullyBrandedPage) << keyed("fully-branded");
    QTest::newRow("co-brand") << Launcher(modHelp::OpenCoBrandPage) << keyed("co-brand");
    QTest::newRow("softwares") << Launcher(modHelp::OpenSoftwaresPage) << keyed("lunavalesoftwares");
    QTest::newRow("sign forum") << Launcher(modHelp::OpenSignForumPage)
                                << QStringLiteral("/aquarius_-_january_20_-_february_18");
    QTest::newRow("daily horoscope") << Launcher(modHelp::OpenDailyHoroscopePage)
                                     << QStringLiteral("/aquarius_-_daily_horoscope");
}

void TestPages::launcher_opensExactlyItsPage()
{
    QFETCH(Launcher, launcher);
    QFETCH(QString, afterBase);

    launcher();

    QCOMPARE(m_world->opened, QStringList{modHelp::ServerBaseAddress() + afterBase});
    QVERIFY(!m_world->opened.constFirst().contains(QLatin1String("//starfold")));
}

void TestPages::rootPages_carryNoScriptAndNoKey()
{
    modHelp::OpenSignForumPage();
    modHelp::OpenDailyHoroscopePage();

    QCOMPARE(m_world->opened.size(), 2);
    for (const QString &address : std::as_const(m_world->opened)) {
        QVERIFY2(!address.contains(QLatin1String("ssd.php")), qPrintable(address));
        QVERIFY2(!address.contains(QLatin1String("page=")), qPrintable(address));
        QVERIFY2(!address.contains(QLatin1String("/starfold/")), qPrintable(address));
        QVERIFY2(QUrl(address, QUrl::StrictMode).isValid(), qPrintable(address));
    }
}

void TestPages::everyLauncher_opensADifferentPage()
{
    const Launcher all[] = {modHelp::OpenHomePage,         modHelp::OpenHelpPage,
                            modHelp::OpenDownloadPage,     modHelp::OpenDonatePage,
                            modHelp::OpenFullyBrandedPage, modHelp::OpenCoBrandPage,
                            modHelp::OpenSoftwaresPage,    modHelp::OpenSignForumPage,
                            modHelp::OpenDailyHoroscopePage};
    for (Launcher launcher : all)
        launcher();

    QCOMPARE(m_world->opened.size(), int(std::size(all)));
    QStringList distinct = m_world->opened;
    distinct.removeDuplicates();
    QCOMPARE(distinct, m_world->opened);
}

void TestPages::launcherCalledTwice_opensTwice()
{
    modHelp::OpenDonatePage();
    modHelp::OpenDonatePage();

    QCOMPARE(m_world->opened.size(), 2);
    QCOMPARE(m_world->opened.at(0), m_world->opened.at(1));
}

void TestPages::keyedAddress_takesFurtherQueryFields()
{
    // The refer-a-friend submission builds on the same scheme with its own key.
    const QString address = modHelp::PageAddress(QStringLiteral("lbls-refer-a-friend"))
                            + QStringLiteral("&taf1=a");
    const QUrl url(address, QUrl::StrictMode);

    QCOMPARE(url.path(), QStringLiteral("/starfold/ssd.php"));
    QCOMPARE(url.query(), QStringLiteral("page=lbls-refer-a-friend&taf1=a"));
    QCOMPARE(modHelp::ProductHomeAddress(), modHelp::ServerBaseAddress() + QStringLiteral("/starfold/"));
}

void TestPages::shownSites_followTheServer_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("signSite");
    QTest::newRow("the maker's") << "https://www.lunavale.com" << "www.lunavale.com"
                                 << "aquarius.lunavale.com";
    QTest::newRow("branded, no www") << "https://stars.example.org" << "stars.example.org"
                                     << "aquarius.stars.example.org";
    QTest::newRow("with a port") << "http://www.example.net:8080" << "www.example.net"
                                 << "aquarius.example.net";
}

void TestPages::shownSites_followTheServer()
{
    QFETCH(QString, base);
    QFETCH(QString, host);
    QFETCH(QString, signSite);
    QCOMPARE(modHelp::SiteHost(base), host);
    QCOMPARE(modHelp::SignSite(base), signSite);
    QCOMPARE(modHelp::ForumSite(), modHelp::SiteHost() + QStringLiteral("/forum"));
}

QTEST_GUILESS_MAIN(TestPages)
#include "tst_pages.moc"
