// The single-instance guard, in-process: a second guard of the same name finds the first, asks it
// to come forward and reports AnotherRunning; other names and users do not meet.
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QTest>
#include <QUuid>

#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT
    static QString uniqueName() {
        return QStringLiteral("qm-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces).left(8);
    }

private slots:
    void secondCopyBringsTheFirstForward() {
        const QString name = uniqueName();
        SingleInstanceGuard first(name);
        int forwarded = 0;
        first.onBroughtForward([&] { ++forwarded; });
        QCOMPARE(first.claim(), InstanceStatus::First);
        QVERIFY(first.isListening());

        SingleInstanceGuard second(name);
        bool secondCalled = false;
        second.onBroughtForward([&] { secondCalled = true; });
        QCOMPARE(second.claim(), InstanceStatus::AnotherRunning);
        QVERIFY(!second.isListening());
        QTRY_COMPARE(forwarded, 1);

        SingleInstanceGuard third(name);
        QVERIFY(third.AnotherCopyRunning());
        QTRY_COMPARE(forwarded, 2);
        QVERIFY(!secondCalled);
    }

    void otherNameIsAnotherProgram() {
        SingleInstanceGuard first(uniqueName());
        QCOMPARE(first.claim(), InstanceStatus::First);
        SingleInstanceGuard other(uniqueName());
        QCOMPARE(other.claim(), InstanceStatus::First);
    }

    void endedFirstCopyFreesTheName() {
        const QString name = uniqueName();
        {
            SingleInstanceGuard first(name);
            QCOMPARE(first.claim(), InstanceStatus::First);
        }
        SingleInstanceGuard next(name);
        QCOMPARE(next.claim(), InstanceStatus::First);
    }

    void staleSocketOfACrashedCopyIsTakenOver() {
        const QString name = uniqueName();
        // A server that stops accepting leaves what a crashed copy leaves: a name nobody answers.
        {
            QLocalServer crashed;
            QVERIFY(crashed.listen(name));
            crashed.setMaxPendingConnections(0);
            crashed.close();
        }
        SingleInstanceGuard guard(name);
        QCOMPARE(guard.claim(), InstanceStatus::First);
        QVERIFY(guard.isListening());
    }

    void defaultNameHasProgramAndUser() {
        const QString name = SingleInstanceGuard::defaultServerName();
        QVERIFY(name.startsWith(QStringLiteral("tst_singleinstance-")));
        QCOMPARE(name, QStringLiteral("tst_singleinstance-") + QString::number(::getuid()));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
