#pragma once

#include <QString>
#include <QStringList>

namespace mirute {

inline constexpr int kGameCount = 7;

// The seven games in their fixed order; GameNo n is gameNames()[n - 1]. Every per-game table follows it.
inline const QStringList &gameNames() {
    static const QStringList names = {
        QStringLiteral("抜かな"), QStringLiteral("抜数字"),       QStringLiteral("抜仲間"), QStringLiteral("宝探し"),
        QStringLiteral("ランプ"), QStringLiteral("順番クリック"), QStringLiteral("座標")};
    return names;
}

// GameNo 1..7 of a name, 0 when it is none of the seven.
inline int gameNoOf(const QString &name) {
    return int(gameNames().indexOf(name)) + 1;
}

} // namespace mirute
