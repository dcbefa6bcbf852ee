// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/links.h"

#include <QTest>

namespace {

QStringList addressesIn(const QString &text)
{
    QStringList found;
    for (const links::WebAddress &a : links::FindWebAddresses(text))
        found << text.mid(a.start, a.length);
    return found;
}

} // namespace

// Which words of a text are web addresses, and which of them may be opened.
class TestLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void detection_findsTheWebSchemesAndWwwNames_data();
    void detection_findsTheWebSchemesAndWwwNames();
    void opening_onlyWebSchemes_wwwGetsHttp_data();
    void opening_onlyWebSchemes_wwwGetsHttp();
    void opening_clipsTo1024Characters();
};

void TestLinks::detection_findsTheWebSchemesAndWwwNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    auto row = [](const char *name, const char *text, QStringList found) {
        QTest::newRow(name) << QString::fromUtf8(text) << found;
    };
    row("http", "see http://example.com/a?b=1 now", {QStringLiteral("http://example.com/a?b=1")});
    row("https upper case", "HTTPS://EXAMPLE.COM", {QStringLiteral("HTTPS://EXAMPLE.COM")});
    row("ftp and mailto", "ftp://f.example.net/x mailto:me@example.org",
        {QStringLiteral("ftp://f.example.net/x"), QStringLiteral("mailto:me@example.org")});
    row("www", "(www.lunavale.com/forum)", {QStringLiteral("www.lunavale.com/forum")});
    row("sentence end", "Visit www.a.com, or http://b.org/c. Then https://d.net!",
        {QStringLiteral("www.a.com"), QStringLiteral("http://b.org/c"),
         QStringLiteral("https://d.net")});
    row("brackets kept when paired", "http://w.org/Foo_(bar)",
        {QStringLiteral("http://w.org/Foo_(bar)")});
    row("quotes and angles end it", "<http://a.com>\"www.b.com\"",
        {QStringLiteral("http://a.com"), QStringLiteral("www.b.com")});
    row("not inside a word", "awww.example.com xhttp://a.com", {});
    row("bare prefixes", "http:// www. mailto:", {});
    row("other schemes", "file:///etc/passwd javascript:alert(1) starfold://run news:x", {});
    row("none in plain prose", "Aquarius: January 20th - February 18th.", {});
}

void TestLinks::detection_findsTheWebSchemesAndWwwNames()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    QCOMPARE(addressesIn(text), found);
}

void TestLinks::opening_onlyWebSchemes_wwwGetsHttp_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("opened"); // empty: never opened
    QTest::newRow("http") << "http://a.com/x" << "http://a.com/x";
    QTest::newRow("https") << "https://a.com" << "https://a.com";
    QTest::newRow("ftp") << "FTP://a.com" << "FTP://a.com";
    QTest::newRow("mailto") << "mailto:me@a.com" << "mailto:me@a.com";
    QTest::newRow("www") << "www.lunavale.com" << "http://www.lunavale.com";
    QTest::newRow("WWW") << "WWW.LUNAVALE.COM" << "http://WWW.LUNAVALE.COM";
    QTest::newRow("file") << "file:///bin/sh" << "";
    QTest::newRow("javascript") << "javascript:alert(1)" << "";
    QTest::newRow("custom scheme") << "starfold://run?x" << "";
    QTest::newRow("smb") << "smb://host/share" << "";
    QTest::newRow("relative") << "example.com" << "";
    QTest::newRow("bare prefix") << "http://" << "";
    // A mail program would attach the named file and send it away.
    QTest::newRow("mailto attach") << "mailto:a@b.com?subject=Hi&attach=/etc/passwd&body=x"
                                   << "mailto:a@b.com?subject=Hi&body=x";
    QTest::newRow("mailto attachment first")
        << "mailto:a@b.com?Attachment=~/.ssh/id_rsa&cc=c@d.com" << "mailto:a@b.com?cc=c@d.com";
    QTest::newRow("mailto encoded name") << "mailto:a@b.com?%61ttach=x" << "mailto:a@b.com";
    QTest::newRow("mailto fields kept") << "mailto:a@b.com?subject=attach%20this&body=y"
                                        << "mailto:a@b.com?subject=attach%20this&body=y";
    // Only the fields of a plain message pass, judged once decoded as a mail program would.
    QTest::newRow("mailto insert") << "mailto:a@b.c?insert=/x&body=y" << "mailto:a@b.c?body=y";
    QTest::newRow("mailto double-encoded") << "mailto:a@b.c?%2561ttach=x" << "mailto:a@b.c";
    QTest::newRow("mailto ;-joined") << "mailto:a@b.c?subject=Hi;attach=/x" << "mailto:a@b.c";
    QTest::newRow("mailto encoded &") << "mailto:a@b.c?body=x%26attach%3D/etc/pw" << "mailto:a@b.c";
    // A "%" that starts no escape would swallow the ";" after it in a lenient decoder.
    QTest::newRow("mailto %;") << "mailto:a@b.c?subject=x%;attach=/etc/passwd" << "mailto:a@b.c";
    QTest::newRow("mailto %x;")
        << "mailto:a@b.c?body=%a;attach=/x&cc=d@e.f" << "mailto:a@b.c?cc=d@e.f";
    QTest::newRow("mailto %25;")
        << "mailto:a@b.c?body=%25;attach=/x&to=g@h.i" << "mailto:a@b.c?to=g@h.i";
}

void TestLinks::opening_onlyWebSchemes_wwwGetsHttp()
{
    QFETCH(QString, link);
    QFETCH(QString, opened);
    const std::optional<QString> address = links::OpenableAddress(link);
    QCOMPARE(address.value_or(QString()), opened);
}

void TestLinks::opening_clipsTo1024Characters()
{
    const QString longLink = QStringLiteral("http://a.com/") + QString(2000, QLatin1Char('x'));
    QCOMPARE(*links::OpenableAddress(longLink), longLink.left(1024));

    const QString www = QStringLiteral("www.a.com/") + QString(2000, QLatin1Char('y'));
    QCOMPARE(*links::OpenableAddress(www), QStringLiteral("http://") + www.left(1024));

    // A character outside the BMP is not cut in half at the limit.
    const QString wide = QStringLiteral("http://a.com/") + QString(1010, QLatin1Char('z'))
                         + QString::fromUcs4(U"\U0001F600") + QStringLiteral("tail");
    QCOMPARE(wide.indexOf(QString::fromUcs4(U"\U0001F600")), 1023);
    QCOMPARE(*links::OpenableAddress(wide), wide.left(1023));
}

QTEST_GUILESS_MAIN(TestLinks)
#include "tst_links.moc"
