#pragma once

#include "core/base/data_files.h"

#include <QString>

class QWidget;

namespace mirute {

// Opens the program's help document from the working folder (the built-in copy when the file is missing)
// in a help window owned by `owner`.
void openHelpViewer(QWidget *owner, const QString &dataDir);
// Closes every help window opened so far (exit).
void closeAllHelpWindows();
int openHelpWindowCount();

} // namespace mirute
