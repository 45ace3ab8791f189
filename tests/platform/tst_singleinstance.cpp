#include "SingleInstance.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using kelvaro::SingleInstance;

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void secondProcessIsRefused();
    void killedHolderDoesNotBlockTheNextStart();
    void releasedWhenTheHolderEnds();
    void defaultLockPathIsUsable();
    void twoCopiesStartedTogetherLeaveOneRunning_data();
    void twoCopiesStartedTogetherLeaveOneRunning();

private:
    std::unique_ptr<QProcess> start(const QString& lockPath);
    static QByteArray answer(QProcess& process);

    QTemporaryDir m_dir;
};

namespace {

const QString HolderProgram = QStringLiteral(KELVARO_LOCK_HOLDER);

} // namespace

std::unique_ptr<QProcess> TestSingleInstance::start(const QString& lockPath)
{
    auto process = std::make_unique<QProcess>();
    process->start(HolderProgram, {lockPath});
    return process;
}

QByteArray TestSingleInstance::answer(QProcess& process)
{
    if (!process.canReadLine())
        process.waitForReadyRead(10000);
    return process.readLine().trimmed();
}

void TestSingleInstance::secondProcessIsRefused()
{
    const QString lock = m_dir.filePath(QStringLiteral("refused.lock"));
    auto first = start(lock);
    QCOMPARE(answer(*first), QByteArray("locked"));

    // A lock older than QLockFile's default stale time must still count while its holder runs.
    QFile lockFile(lock);
    QVERIFY(lockFile.open(QIODevice::ReadWrite));
    QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    lockFile.close();

    auto second = start(lock);
    QCOMPARE(answer(*second), QByteArray("refused"));
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitCode(), 1);

    SingleInstance here(lock);
    QVERIFY(!here.tryAcquire());
    QVERIFY(!here.isHeld());

    first->closeWriteChannel();
    QVERIFY(first->waitForFinished(10000));
}

void TestSingleInstance::killedHolderDoesNotBlockTheNextStart()
{
    const QString lock = m_dir.filePath(QStringLiteral("killed.lock"));
    auto first = start(lock);
    QCOMPARE(answer(*first), QByteArray("locked"));
    first->kill(); // SIGKILL: no chance to remove the lock file
    QVERIFY(first->waitForFinished(10000));
    QVERIFY(QFile::exists(lock));

    auto next = start(lock);
    QCOMPARE(answer(*next), QByteArray("locked"));
    auto another = start(lock);
    QCOMPARE(answer(*another), QByteArray("refused"));
    QVERIFY(another->waitForFinished(10000));

    next->closeWriteChannel();
    QVERIFY(next->waitForFinished(10000));
}

void TestSingleInstance::releasedWhenTheHolderEnds()
{
    const QString lock = m_dir.filePath(QStringLiteral("released.lock"));
    {
        SingleInstance here(lock);
        QVERIFY(here.tryAcquire());
        QVERIFY(here.tryAcquire()); // asking again keeps it
        auto other = start(lock);
        QCOMPARE(answer(*other), QByteArray("refused"));
        QVERIFY(other->waitForFinished(10000));
    }
    QVERIFY(!QFile::exists(lock));
    auto next = start(lock);
    QCOMPARE(answer(*next), QByteArray("locked"));
    next->closeWriteChannel();
    QVERIFY(next->waitForFinished(10000));
}

void TestSingleInstance::defaultLockPathIsUsable()
{
    const QString path = SingleInstance::defaultLockPath();
    QVERIFY(QFileInfo(path).isAbsolute());
    QVERIFY(QFileInfo(QFileInfo(path).absolutePath()).isWritable());
    QCOMPARE(SingleInstance().lockPath(), path);
}

void TestSingleInstance::twoCopiesStartedTogetherLeaveOneRunning_data()
{
    QTest::addColumn<bool>("staleLock");
    QTest::addRow("no lock yet") << false;
    // Both copies find the lock of a dead one and may both try to take it over.
    QTest::addRow("lock left by a killed copy") << true;
}

void TestSingleInstance::twoCopiesStartedTogetherLeaveOneRunning()
{
    QFETCH(bool, staleLock);
    const QString lock =
        m_dir.filePath(staleLock ? QStringLiteral("race-stale.lock") : QStringLiteral("race.lock"));
    for (int round = 1; round <= 20; ++round) {
        if (staleLock) {
            auto killed = start(lock);
            QCOMPARE(answer(*killed), QByteArray("locked"));
            killed->kill();
            QVERIFY(killed->waitForFinished(10000));
        }
        auto first = start(lock);
        auto second = start(lock);
        const QByteArray answers[] = {answer(*first), answer(*second)};
        QVERIFY2(
            (answers[0] == "locked" && answers[1] == "refused") ||
                (answers[0] == "refused" && answers[1] == "locked"),
            qPrintable(QStringLiteral("round %1: \"%2\" and \"%3\"")
                           .arg(round)
                           .arg(QString::fromLatin1(answers[0]), QString::fromLatin1(answers[1]))));
        for (QProcess* process : {first.get(), second.get()}) {
            process->closeWriteChannel();
            QVERIFY(process->waitForFinished(10000));
        }
        QVERIFY(!QFile::exists(lock));
    }
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
