// SPDX-License-Identifier: GPL-3.0-or-later
#include "profile/signprofile.h"
#include "report/frmsave.h"
#include "report/reportprint.h"

#include "support/recordingplatform.h"
#include "support/pdftext.h"

#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

class TestReportPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void printed_holdsTheWholeReportAndNoPageNumbers();
    void printed_keepsTheColoursOfTheBox();
    void overlong_isRefusedWithoutAPage();

private:
    // Prints the report box of a fresh report window into a PDF file; its path.
    QString printToPdf(const QString &name);

    RecordingPlatform m_world;
    QTemporaryDir m_dir;
    QString m_reportText;
};

void TestReportPrint::initTestCase()
{
    if (!printcheck::havePdfToText())
        QSKIP("pdftotext is not installed (scripts/install-deps.sh --test installs it)");
    QVERIFY(m_dir.isValid());
    modAquarius::LoadSignProfile();
}

QString TestReportPrint::printToPdf(const QString &name)
{
    frmSave form;
    m_reportText = form.RTB()->toPlainText();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = m_dir.filePath(name);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    report::PrintDocument(*form.RTB()->document(), printer);
    return path;
}

void TestReportPrint::printed_holdsTheWholeReportAndNoPageNumbers()
{
    const QString text = printcheck::pdfText(printToPdf(QStringLiteral("report.pdf")));
    // Several pages, so that numbered pages would show.
    QVERIFY2(text.count(QLatin1Char('\f')) >= 3, qPrintable(QString::number(text.count(u'\f'))));
    const QString difference =
        printcheck::difference(printcheck::inkOf(text), printcheck::inkOf(m_reportText));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestReportPrint::printed_keepsTheColoursOfTheBox()
{
    const QString pdf = printToPdf(QStringLiteral("colours.pdf"));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("150"),
                                              QStringLiteral("-f"), QStringLiteral("1"),
                                              QStringLiteral("-l"), QStringLiteral("1"),
                                              QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                              pdf, m_dir.filePath(QStringLiteral("page"))});
    QVERIFY(render.waitForFinished(60000));
    const QImage page(m_dir.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());

    // Count the pixels of each of the report's colours on the first page.
    const QColor wanted[] = {QColor(128, 0, 128), QColor(0, 128, 128), QColor(128, 0, 0),
                             QColor(0, 0, 0)};
    int found[4] = {};
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            for (int i = 0; i < 4; ++i) {
                if (qAbs(c.red() - wanted[i].red()) + qAbs(c.green() - wanted[i].green())
                        + qAbs(c.blue() - wanted[i].blue())
                    < 30)
                    ++found[i];
            }
        }
    }
    for (int i = 0; i < 4; ++i)
        QVERIFY2(found[i] > 20, qPrintable(wanted[i].name()));
}

// Taller than layout coordinates reach at the printer's resolution: Qt would lay it out as
// a blank page.
void TestReportPrint::overlong_isRefusedWithoutAPage()
{
    QTextDocument document;
    QFont huge = document.defaultFont();
    huge.setPointSize(400);
    document.setDefaultFont(huge);
    document.setPlainText(QStringLiteral("x\n").repeated(5000));
    const QString path = m_dir.filePath(QStringLiteral("overlong.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QCOMPARE(report::PrintDocument(document, printer), report::PrintResult::TooLong);
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestReportPrint)
#include "tst_reportprint.moc"
