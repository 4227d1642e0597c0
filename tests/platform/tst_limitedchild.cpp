#include "platform/LimitedChild.h"

#include <QtTest>

#include <csignal>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

ChildLimits limits(int cpuSeconds, qint64 memoryBytes, int wallSeconds)
{
    ChildLimits l;
    l.cpuSeconds = cpuSeconds;
    l.memoryBytes = memoryBytes;
    l.wallSeconds = wallSeconds;
    return l;
}

// Touches every page, so that the allocation is real.
QByteArray allocate(qint64 bytes)
{
    try {
        std::unique_ptr<char[]> block(new char[size_t(bytes)]);
        std::memset(block.get(), 1, size_t(bytes));
        return "allocated";
    } catch (const std::bad_alloc &) {
        return "refused";
    }
}

} // namespace

class TestLimitedChild : public QObject {
    Q_OBJECT
private slots:
    void answerLargerThanAPipeComesWhole()
    {
        const QByteArray big(3 << 20, 'x');
        const ChildEnd end = runLimitedChild(limits(10, 0, 30), [&] { return big; });
        QVERIFY(end.started);
        QVERIFY(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0);
        QVERIFY(!end.late);
        QCOMPARE(end.answer.size(), big.size());
        QCOMPARE(end.answer, big);
    }

    void stoppedAtTheLimits()
    {
        // Processor time: the kernel's signal, not the parent's clock.
        ChildEnd end = runLimitedChild(limits(1, 0, 60), [] {
            for (volatile unsigned long i = 0;; i = i + 1) {}
            return QByteArray();
        });
        QVERIFY(WIFSIGNALED(end.status));
        QVERIFY(WTERMSIG(end.status) == SIGXCPU || WTERMSIG(end.status) == SIGKILL);
        QVERIFY(!end.late);

        // Waiting costs no processor time: the wall clock ends it.
        QElapsedTimer timer;
        timer.start();
        end = runLimitedChild(limits(10, 0, 1), [] {
            ::pause();
            return QByteArray("woke");
        });
        QVERIFY(end.late);
        QVERIFY(WIFSIGNALED(end.status) && WTERMSIG(end.status) == SIGKILL);
        QVERIFY(end.answer.isEmpty());
        QVERIFY(timer.elapsed() < 10000);
    }

    void memoryIsCountedOnTopOfWhatTheProgramHolds()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("AddressSanitizer's allocator stops the child instead");
#endif
        const ChildLimits l = limits(10, qint64(64) << 20, 30);
        QCOMPARE(runLimitedChild(l, [] { return allocate(qint64(16) << 20); }).answer, QByteArray("allocated"));
        QCOMPARE(runLimitedChild(l, [] { return allocate(qint64(512) << 20); }).answer, QByteArray("refused"));
    }

    void anEscapingErrorEndsTheChildNotTheCaller()
    {
        const ChildEnd end = runLimitedChild(limits(10, 0, 30), []() -> QByteArray { throw std::runtime_error("x"); });
        QVERIFY(end.started);
        QVERIFY(WIFEXITED(end.status));
        QCOMPARE(WEXITSTATUS(end.status), 1);
        QVERIFY(end.answer.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLimitedChild)
#include "tst_limitedchild.moc"
