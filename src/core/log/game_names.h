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

// The games whose questions have an item (the missing kana, digit or member, the kanji pair, the cell), so that
// their answers are kept and their weak items shown and practised: not ランプ and 順番クリック.
inline bool keepsAnswers(int gameNo) {
    return gameNo == 1 || gameNo == 2 || gameNo == 3 || gameNo == 4 || gameNo == 7;
}

// Finds the records' games in a list of names. The log's records of one game share the text of its name,
// so a record whose name is the very text of the one before is placed without comparing any string; the
// records must stay alive while the lookup is used.
class GameLookup {
public:
    explicit GameLookup(const QStringList &games) : m_games(games) {}
    // The name's first place in the list, or -1.
    int indexOf(const QString &name) {
        if (name.constData() != m_lastText || name.size() != m_lastSize) {
            m_lastIndex = int(m_games.indexOf(name));
            m_lastText = name.constData();
            m_lastSize = name.size();
        }
        return m_lastIndex;
    }

private:
    const QStringList &m_games;
    const QChar *m_lastText = nullptr;
    qsizetype m_lastSize = -1;
    int m_lastIndex = -1;
};

} // namespace mirute
