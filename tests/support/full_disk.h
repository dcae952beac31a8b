#pragma once

#include "core/base/text_file.h"

#include <QIODevice>
#include <cerrno>

namespace mirute::test {

// A disk that fills up while this lives: the next file write stops after `bytes` bytes and fails as a full
// disk does; the writes after it go through again, as once the user has made room.
class FullDisk : public FileWriter {
public:
    explicit FullDisk(qint64 bytes) : m_bytesLeft(bytes) { setFileWriter(this); }
    ~FullDisk() override { setFileWriter(nullptr); }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool writeAll(QIODevice &device, const QByteArray &bytes) override {
        if (m_bytesLeft < 0)
            return FileWriter::writeAll(device, bytes);
        device.write(bytes.constData(), qMin<qint64>(m_bytesLeft, bytes.size()));
        m_bytesLeft = -1;
        errno = ENOSPC;
        return false;
    }

private:
    qint64 m_bytesLeft;
};

} // namespace mirute::test
