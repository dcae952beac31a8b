#pragma once

#include "core/games/common/history_file.h"

#include <QList>

namespace mirute {

// A play's score: its per-second figure (history field 8) times its rate of correct answers (field 7), so
// that fast wrong answers earn nothing. Taken from the two texts as saved, in units of 0.01/秒 × 0.1%, so
// that plays whose saved figures are equal score exactly equal.
qint64 playScore(const HistoryRecord &r);

// The history file keeps no mode: a line whose seconds are one of the time limits ("10秒" … "180秒") is
// taken for a time-limit play, any other for an answer-count play.
bool looksLikeTimeLimitPlay(const HistoryRecord &r);

// Whether a finished play beats every earlier play of its game with the same mode and limit: in time-limit
// mode the same seconds (field 9), in answer-count mode the same answer count (field 3, the game's own
// unit). Strictly higher than all of them; the first play of a mode and limit is no best.
bool isPersonalBest(const QList<HistoryRecord> &earlier, const HistoryRecord &play, bool timeLimitMode);

} // namespace mirute
