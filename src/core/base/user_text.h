#pragma once

#include <QString>
#include <QStringView>

namespace mirute {

// A text the user wrote (a name, a diary, a memo line, a folder's name, a field of a file), as it is shown
// inside a message, a window caption or a tooltip: isolated for direction (U+2068 … U+2069), so that a
// right-to-left character in it cannot turn the words around it, without the direction controls that would
// reach out of the isolation or turn the text itself, and with each control character shown as its picture
// (ESC as ␛), so that no escape sequence reaches the window system. The files keep the text as typed.
QString shownUserText(QStringView text);

} // namespace mirute
