#include "core/games/common/game_definition.h"

namespace mirute {

QString joinHelpLines(const QList<QPair<QString, int>> &lines) {
    QString text;
    for (const auto &[line, breaks] : lines) {
        text += line;
        for (int i = 0; i < breaks; ++i)
            text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace mirute
