// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/forms.h"

#include "support/formlist.h"
#include "support/recordingplatform.h"

#include <QTest>

#include <stdexcept>

class TestForms : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadedForms_keepLoadOrder();
    void endApplication_unloadsEachFormOnceInOrderThenTerminates();
    void endApplication_nestedFromUnloadSteps_stillUnloadsEachOnce();
    void endApplication_skipsAFailingUnload();
    void unload_runsTheUnloadStepOnce();
    void endApplication_afterTheEnd_doesNothing();
};

namespace {
int formA, formB, formC;
}

void TestForms::loadedForms_keepLoadOrder()
{
    FormList forms;
    forms.loaded(&formA, QStringLiteral("frmNagScreen"), {});
    forms.loaded(&formB, QStringLiteral("frmMain"), {});
    forms.loaded(&formA, QStringLiteral("frmNagScreen"), {});
    forms.loaded(&formC, QStringLiteral("frmSave"), {});
    QCOMPARE(namesOf(forms), QStringList({QStringLiteral("frmNagScreen"), QStringLiteral("frmMain"),
                                         QStringLiteral("frmSave")}));
    QVERIFY(isLoaded(forms, &formB));
}

void TestForms::endApplication_unloadsEachFormOnceInOrderThenTerminates()
{
    RecordingPlatform world;
    FormList forms;
    QStringList unloaded;
    forms.loaded(&formA, QStringLiteral("A"), [&] { unloaded << QStringLiteral("A"); });
    forms.loaded(&formB, QStringLiteral("B"), [&] {
        unloaded << QStringLiteral("B");
        QCOMPARE(world.terminations, 0);
    });
    forms.endApplication();
    QCOMPARE(unloaded, QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(world.terminations, 1);
    QVERIFY(namesOf(forms).isEmpty());
    QVERIFY(hasEnded(forms));
}

void TestForms::endApplication_nestedFromUnloadSteps_stillUnloadsEachOnce()
{
    // The start-up form and the exit screen both end the program from their unload steps.
    RecordingPlatform world;
    FormList forms;
    QStringList unloaded;
    forms.loaded(&formA, QStringLiteral("frmNagScreen"), [&] {
        unloaded << QStringLiteral("frmNagScreen");
        forms.endApplication();
    });
    forms.loaded(&formB, QStringLiteral("frmMain"), [&] { unloaded << QStringLiteral("frmMain"); });
    forms.loaded(&formC, QStringLiteral("frmNagScreen2"), [&] {
        unloaded << QStringLiteral("frmNagScreen2");
        forms.endApplication();
    });

    // Started by the exit screen's own button.
    forms.endApplication();

    QCOMPARE(unloaded, QStringList({QStringLiteral("frmNagScreen"), QStringLiteral("frmMain"),
                                    QStringLiteral("frmNagScreen2")}));
    QCOMPARE(world.terminations, 1);
    QVERIFY(namesOf(forms).isEmpty());
}

void TestForms::endApplication_skipsAFailingUnload()
{
    RecordingPlatform world;
    FormList forms;
    bool secondUnloaded = false;
    forms.loaded(&formA, QStringLiteral("A"), [] { throw std::runtime_error("broken"); });
    forms.loaded(&formB, QStringLiteral("B"), [&] { secondUnloaded = true; });
    forms.endApplication();
    QVERIFY(secondUnloaded);
    QCOMPARE(world.terminations, 1);
}

void TestForms::unload_runsTheUnloadStepOnce()
{
    RecordingPlatform world;
    FormList forms;
    int runs = 0;
    // An unload step that closes its own window comes back through unload().
    forms.loaded(&formA, QStringLiteral("A"), [&] {
        ++runs;
        forms.unload(&formA);
    });
    forms.unload(&formA);
    forms.unload(&formA);
    QCOMPARE(runs, 1);
    QVERIFY(!isLoaded(forms, &formA));
    QCOMPARE(world.terminations, 0);
}

void TestForms::endApplication_afterTheEnd_doesNothing()
{
    RecordingPlatform world;
    FormList forms;
    int runs = 0;
    forms.loaded(&formA, QStringLiteral("A"), [&] { ++runs; });
    forms.endApplication();
    forms.endApplication();
    QCOMPARE(runs, 1);
    QCOMPARE(world.terminations, 1);
}

QTEST_GUILESS_MAIN(TestForms)
#include "tst_forms.moc"
