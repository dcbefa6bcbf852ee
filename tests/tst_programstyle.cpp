// SPDX-License-Identifier: GPL-3.0-or-later
// The program's style draws what Fusion draws, from pixels of its own.
#include "ui/fonts.h"
#include "ui/programstyle.h"

#include <QGroupBox>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class TestProgramStyle : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void groupBoxes_lookAsFusionDrawsThem_data();
    void groupBoxes_lookAsFusionDrawsThem();
    void overflowArrows_areFusionsOwn();

private:
    const std::unique_ptr<QStyle> m_fusion{QStyleFactory::create(QStringLiteral("Fusion"))};
    ProgramStyle m_ours;
};

void TestProgramStyle::groupBoxes_lookAsFusionDrawsThem_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<QFont>("font");
    QTest::newRow("titled, bold") << QStringLiteral("Planets Associated") << false
                                  << programFont({.bold = true});
    QTest::newRow("untitled") << QString() << false << programFont();
    QTest::newRow("checkable, larger")
        << QStringLiteral("Check") << true << programFont({.pointSize = 9.75});
    QTest::newRow("checkable, untitled") << QString() << true << programFont();
}

void TestProgramStyle::groupBoxes_lookAsFusionDrawsThem()
{
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    QFETCH(QFont, font);
    QVERIFY(m_fusion);
    const auto drawnWith = [&](QStyle *style) {
        QWidget window;
        window.setStyle(style);
        auto *box = new QGroupBox(title, &window);
        box->setStyle(style);
        box->setCheckable(checkable);
        box->setFont(font);
        box->setGeometry(5, 5, 180, 90);
        window.resize(200, 110);
        return window.grab().toImage();
    };
    QCOMPARE(drawnWith(&m_ours), drawnWith(m_fusion.get()));
}

void TestProgramStyle::overflowArrows_areFusionsOwn()
{
    for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                             QStyle::SP_ToolBarVerticalExtensionButton}) {
        const QIcon mine = m_ours.standardIcon(which);
        const QIcon theirs = m_fusion->standardIcon(which);
        QVERIFY(!mine.isNull());
        QCOMPARE(mine.availableSizes(), theirs.availableSizes());
        for (const QSize size : {QSize(8, 8), QSize(16, 16), QSize(32, 32)}) {
            QCOMPARE(mine.actualSize(size), theirs.actualSize(size));
            for (const qreal ratio : {1.0, 2.0})
                QCOMPARE(mine.pixmap(size, ratio).toImage(), theirs.pixmap(size, ratio).toImage());
            QCOMPARE(mine.pixmap(size, 1.0, QIcon::Disabled).toImage(),
                     theirs.pixmap(size, 1.0, QIcon::Disabled).toImage());
        }
    }
}

QTEST_MAIN(TestProgramStyle)
#include "tst_programstyle.moc"
