// The lock that keeps a second program off a working folder refuses only for a living Mirute process:
// whatever else a crash, another program or the folder itself leaves behind is cleared, and a folder that
// cannot be written is told as that, not as a program already running.
#include "core/log/instance_lock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace mirute;

namespace {

// What the folder holds before the program starts.
enum Setup { Nothing, EmptyFile, Garbled, EmptyFolder, DeadProcess, OtherProgram, OtherHost, OurProcess };

QByteArray lockText(qint64 pid, const QString &program, const QString &host = QSysInfo::machineHostName()) {
    return QByteArray::number(pid) + '\n' + program.toUtf8() + '\n' + host.toUtf8() + '\n';
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString ourProgram() {
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

class TestInstanceLock : public QObject {
    Q_OBJECT
private slots:
    void startsUnlessAMiruteLives_data();
    void startsUnlessAMiruteLives();
    void readOnlyFolderToldAsSuch();
    void fullDiskToldAsSuch();
};

void TestInstanceLock::startsUnlessAMiruteLives_data() {
    QTest::addColumn<int>("setup");
    QTest::addColumn<int>("result");
    const int locked = InstanceLock::Locked;
    QTest::newRow("no lock") << int(Nothing) << locked;
    QTest::newRow("empty lock file") << int(EmptyFile) << locked;
    QTest::newRow("garbled lock file") << int(Garbled) << locked;
    QTest::newRow("empty folder of that name") << int(EmptyFolder) << locked;
    QTest::newRow("process gone") << int(DeadProcess) << locked;
    // Its id now belongs to another program, which the lock even names as its own.
    QTest::newRow("live process of another program") << int(OtherProgram) << locked;
    QTest::newRow("lock of another host") << int(OtherHost) << locked;
    QTest::newRow("live Mirute process") << int(OurProcess) << int(InstanceLock::HeldByOther);
}

void TestInstanceLock::startsUnlessAMiruteLives() {
    QFETCH(int, setup);
    QFETCH(int, result);
    QTemporaryDir dir;
    const QString path = dir.filePath(kInstanceLockFile);
    QProcess other;
    switch (Setup(setup)) {
    case Nothing: break;
    case EmptyFile: QVERIFY(writeFile(path, {})); break;
    case Garbled: QVERIFY(writeFile(path, "\xFF\xFE garbage\n\n")); break;
    case EmptyFolder: QVERIFY(QDir().mkdir(path)); break;
    case DeadProcess: {
        other.start(QStringLiteral("/bin/true"));
        QVERIFY(other.waitForStarted());
        const qint64 pid = other.processId();
        QVERIFY(other.waitForFinished());
        QVERIFY(writeFile(path, lockText(pid, ourProgram())));
        break;
    }
    case OtherProgram:
        other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(other.waitForStarted());
        QVERIFY(writeFile(path, lockText(other.processId(), QStringLiteral("sleep"))));
        break;
    case OtherHost:
        QVERIFY(writeFile(
            path, lockText(QCoreApplication::applicationPid(), ourProgram(), QStringLiteral("another-machine"))));
        break;
    case OurProcess: QVERIFY(writeFile(path, lockText(QCoreApplication::applicationPid(), ourProgram()))); break;
    }

    InstanceLock lock(dir.path());
    const InstanceLock::Result got = lock.tryLock(0);
    if (other.state() != QProcess::NotRunning) {
        other.kill();
        other.waitForFinished();
    }
    QCOMPARE(int(got), result);
    if (got == InstanceLock::Locked) {
        // The folder is ours now: the lock names this process, and a second start is refused.
        QVERIFY(QFileInfo(path).isFile());
        InstanceLock second(dir.path());
        QCOMPARE(second.tryLock(0), InstanceLock::HeldByOther);
        lock.unlock();
        QVERIFY(!QFile::exists(path));
    } else {
        QVERIFY(InstanceLock::refusal(got, dir.path()).contains(QStringLiteral("すでに起動しています")));
    }
}

void TestInstanceLock::readOnlyFolderToldAsSuch() {
    QTemporaryDir dir;
    // The superuser writes through any permission: there the folder is a read-only file system.
    const bool mounted = geteuid() == 0;
    if (mounted &&
        ::mount("mirute-test", QFile::encodeName(dir.path()).constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
        QSKIP("no read-only file system can be mounted here");
    if (!mounted)
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    InstanceLock lock(dir.path());
    const InstanceLock::Result got = lock.tryLock(0);
    if (mounted)
        ::umount(QFile::encodeName(dir.path()).constData());
    else
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(got, InstanceLock::NotWritable);
    const QString message = InstanceLock::refusal(got, dir.path());
    QVERIFY2(!message.contains(QStringLiteral("すでに起動")) && message.contains(QStringLiteral("書き込めない")),
             qPrintable(message));
}

void TestInstanceLock::fullDiskToldAsSuch() {
    // A file size limit of 0 makes the write of the lock's contents fail as a full disk does.
    QTemporaryDir dir;
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit none = old;
    none.rlim_cur = 0;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &none), 0);
    InstanceLock lock(dir.path());
    const InstanceLock::Result got = lock.tryLock(0);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(got, InstanceLock::WriteFailed);
    // No half-written lock is left to refuse the next start.
    QVERIFY(!QFile::exists(dir.filePath(kInstanceLockFile)));
    const QString message = InstanceLock::refusal(got, dir.path());
    QVERIFY2(!message.contains(QStringLiteral("すでに起動")) && message.contains(QStringLiteral("空き容量")),
             qPrintable(message));
    QCOMPARE(lock.tryLock(0), InstanceLock::Locked);
}

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instance_lock.moc"
