#pragma once

#include "core/log/play_log.h"

#include <QByteArray>

namespace mirute {

// Reads a sound play log straight from its bytes into data->records. Returns false, leaving the records
// half filled, at anything out of the ordinary (a damaged line, a blank that is not ASCII, a number in
// quotes, text outside the quotes, a file saved as UTF-8); the caller then reads the file line by line,
// which gives the same records and names the problems. A large log is read in two parts at once.
bool readSoundPlayLog(const QByteArray &bytes, PlayLogData *data);

// How many logs the byte-level reader has read to the end since the program started, and how many of them
// in two parts. The line-by-line reader gives the same records, only slower, so a fast read that quietly
// gave up would show nowhere else; the tests watch these counts.
struct FastReadCounts {
    int finished = 0;
    int inTwoParts = 0;
};
FastReadCounts fastReadCounts();

} // namespace mirute
