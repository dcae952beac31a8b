#include "core/log/instance_lock.h"

#include "core/base/user_text.h"
#include "core/log/app_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

namespace mirute {

namespace {

// The file name of the program a process runs, from /proc; "" when the process is gone or hidden.
QString programOf(qint64 pid) {
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    QString exe = QFile::symLinkTarget(proc + QStringLiteral("exe"));
    if (!exe.isEmpty()) {
        // A program replaced by an update while it runs still is that program.
        exe.remove(QStringLiteral(" (deleted)"));
        return QFileInfo(exe).fileName();
    }
    // Another user's process hides its executable, but not its name (cut to 15 characters).
    QFile comm(proc + QStringLiteral("comm"));
    if (comm.open(QIODevice::ReadOnly))
        return QString::fromLocal8Bit(comm.readAll()).trimmed();
    return {};
}

} // namespace

bool isMiruteProcess(qint64 pid) {
    if (pid <= 0)
        return false;
    if (pid == QCoreApplication::applicationPid())
        return true;
    const QString program = programOf(pid);
    if (program.isEmpty())
        return false;
    const QString ours = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    // /proc/<pid>/comm holds at most 15 characters of the name.
    return program == ours || (program.size() == 15 && ours.startsWith(program));
}

InstanceLock::InstanceLock(const QString &dir) : m_path(QDir(dir).filePath(kInstanceLockFile)), m_lock(m_path) {
    // Never stale by age alone: a program left open for days still owns its folder. A lock whose process
    // is gone is recognised as stale by its process id.
    m_lock.setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::tryLock(int timeoutMs) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_lock.tryLock(timeoutMs))
            return Locked;
        switch (m_lock.error()) {
        case QLockFile::NoError:
        case QLockFile::LockFailedError: break;
        case QLockFile::PermissionError: return NotWritable;
        case QLockFile::UnknownError: return WriteFailed;
        }
        if (attempt > 0 || !clearIfStale())
            break;
        timeoutMs = 0;
    }
    // A folder of that name that is not empty cannot be cleared, nor written over.
    return QFileInfo(m_path).isDir() ? WriteFailed : HeldByOther;
}

bool InstanceLock::clearIfStale() {
    const QFileInfo info(m_path);
    if (info.isDir() && !info.isSymLink())
        return QDir().rmdir(m_path);
    if (ownerIsLiveMirute())
        return false;
    return QFile::remove(m_path);
}

bool InstanceLock::ownerIsLiveMirute() {
    qint64 pid = 0;
    QString host, program;
    // An empty or garbled lock names no owner: nothing holds the folder.
    if (!m_lock.getLockInfo(&pid, &host, &program))
        return false;
    // A lock taken on another machine over a shared folder cannot be checked from here; this program runs
    // on one desktop, so it is one of this host's that a name other than ours leaves behind.
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false;
    return isMiruteProcess(pid);
}

QString InstanceLock::refusal(Result result, const QString &dir) {
    const QString folder = shownUserText(QDir::toNativeSeparators(dir));
    switch (result) {
    case Locked: break;
    case HeldByOther: return QStringLiteral("このフォルダではミルテ５がすでに起動しています。\r\n%1").arg(folder);
    case NotWritable:
        return QStringLiteral("このフォルダに書き込めないため、ミルテ５を起動できません。\r\n%1\r\n").arg(folder) +
               dataFolderAdvice();
    case WriteFailed:
        return QStringLiteral("このフォルダに起動中の印「%1」を作れないため、ミルテ５を起動できません。\r\n%2\r\n"
                              "ディスクの空き容量が足りないか、同じ名前のフォルダがあります。"
                              "空きを作るか、そのフォルダを削除してから起動してください。")
            .arg(kInstanceLockFile, folder);
    }
    return {};
}

} // namespace mirute
