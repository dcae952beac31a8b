#include "app/instance_lock.h"

#include <QDir>

namespace mirute {

InstanceLock::InstanceLock(const QString &dir)
    : m_path(QDir(dir).filePath(kInstanceLockFile)), m_lock(m_path) {
    // Never stale by age alone: a program left open for days still owns its folder. A lock whose process
    // is gone is recognised as stale by its process id.
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::tryLock(int timeoutMs) { return m_lock.tryLock(timeoutMs); }

} // namespace mirute
