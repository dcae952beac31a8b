#include "core/games/common/game_rules.h"

#include "core/base/number_format.h"
#include "core/games/common/game_engine.h"

namespace mirute {

int GameRules::unitsDone() const {
    return engine().session().okCount + engine().session().ngCount;
}

double GameRules::perSecondCount() const {
    return engine().session().okCount + engine().session().ngCount;
}

int GameRules::historyAnswers() const {
    return engine().session().okCount + engine().session().ngCount;
}

QString GameRules::historyReaction() const {
    return formatNumber(leadingNumber(engine().scoreboard().best));
}

QString GameRules::diaryText(const QString &seconds, int answers, const QString &reaction) const {
    return QStringLiteral("秒数 : ") + seconds + QStringLiteral("   答数 : ") + QString::number(answers) +
           QStringLiteral("  反応時間  ") + reaction + QStringLiteral("秒");
}

} // namespace mirute
