#pragma once

#include <QLockFile>
#include <QString>

namespace mirute {

inline const QString kInstanceLockFile = QStringLiteral(".mirute.lock");

// One running program per working folder: two would interleave their writes to the same files. The lock
// file holds the owner's process id; a lock left behind by a program that died no longer blocks.
class InstanceLock {
public:
    explicit InstanceLock(const QString &dir);
    // Takes the lock, waiting up to timeoutMs for another owner to let go. False while another lives.
    bool tryLock(int timeoutMs = 100);
    bool isLocked() const { return m_lock.isLocked(); }
    void unlock() { m_lock.unlock(); }
    QString path() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
};

} // namespace mirute
