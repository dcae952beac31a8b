#pragma once

#include <QByteArrayView>
#include <QString>

namespace mirute {

// The time of a play, "HH:MM:SS", as a QString over text made once for every second of a day and kept for
// the program's life: reading the whole log then needs no decoding and no buffer for its 32,766 times,
// and copying or dropping one touches no reference count. A null QString when the bytes are not such a
// time (another program's "9:05:00", "24:00:00"), which the caller then decodes as any other text.
QString sharedClockText(QByteArrayView bytes);

} // namespace mirute
