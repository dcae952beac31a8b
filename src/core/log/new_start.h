#pragma once

#include "core/base/text_file.h"

#include <QString>
#include <QStringList>

namespace mirute {

// The files a new start empties: the play log, then each game's history file in GameNo order, then the answers
// files of the games that keep them.
QStringList newStartFiles();

// A new start: the play log, the seven history files and the answers files emptied and the name stored. Every file is copied to
// the backup folder first; when one copy fails nothing is emptied. The memo and the settings files stay.
WriteResult newStart(const QString &dir, const QString &userName, const QString &backupStamp);

} // namespace mirute
