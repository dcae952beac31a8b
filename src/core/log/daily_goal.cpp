#include "core/log/daily_goal.h"

#include "core/base/data_files.h"
#include "core/base/number_format.h"
#include "core/base/write_list.h"
#include "core/log/app_state.h"

#include <algorithm>
#include <array>

namespace mirute {

namespace {

const QString kGoalLabel = QStringLiteral("目標");
const QString kRestLabel = QStringLiteral("週の休み");
const QString kNoGoalWord = QStringLiteral("なし");
const QString kCountedWithout = QStringLiteral("ファイルはそのまま残し、目標なし・休みなしで数えます。"
                                               "「目標…」で設定し直すと書き直されます。");

constexpr std::array kMeasures = {GoalMeasure::None, GoalMeasure::Minutes, GoalMeasure::Plays, GoalMeasure::Games};

QString measureWord(GoalMeasure m) {
    return m == GoalMeasure::None ? kNoGoalWord : goalUnit(m);
}

} // namespace

int goalTargetMax(GoalMeasure measure) {
    switch (measure) {
    case GoalMeasure::Minutes: return 600;
    case GoalMeasure::Plays: return 200;
    case GoalMeasure::Games: return 7;
    case GoalMeasure::None: break;
    }
    return 0;
}

QString goalUnit(GoalMeasure measure) {
    switch (measure) {
    case GoalMeasure::Minutes: return QStringLiteral("分");
    case GoalMeasure::Plays: return QStringLiteral("回");
    case GoalMeasure::Games: return QStringLiteral("種類");
    case GoalMeasure::None: break;
    }
    return {};
}

bool parseGoalText(const QString &text, DailyGoal *goal) {
    if (text == kNoGoalWord) {
        goal->measure = GoalMeasure::None;
        goal->target = 0;
        return true;
    }
    for (const GoalMeasure m : kMeasures) {
        if (m == GoalMeasure::None || !text.endsWith(goalUnit(m)))
            continue;
        const auto target = parseInteger(QStringView(text).chopped(goalUnit(m).size()));
        if (!target || *target < 1 || *target > goalTargetMax(m))
            return false;
        goal->measure = m;
        goal->target = int(*target);
        return true;
    }
    return false;
}

QString goalText(const DailyGoal &goal) {
    return goal.isSet() ? QString::number(goal.target) + goalUnit(goal.measure) : kNoGoalWord;
}

GoalRead readDailyGoal(const QString &dir) {
    return parseDailyGoal(readTextLines(dir, kGoalFile));
}

GoalRead parseDailyGoal(const TextLines &t) {
    GoalRead r;
    if (!t.exists)
        return r;
    const QString line = firstSettingsLine(t, kGoalFile, kCountedWithout, &r.error);
    if (!r.error.isEmpty())
        return r;
    const auto fail = [&](const QString &what) {
        r.error = damagedSettingsText(kGoalFile, what, kCountedWithout);
        return r;
    };
    const QList<ListItem> items = splitWriteList(line);
    if (items.size() != 5 || items[0].text != kGoalLabel || items[3].text != kRestLabel)
        return fail(QStringLiteral("1 行目が「\"目標\",単位,値,\"週の休み\",日数」の形ではありません"));
    DailyGoal goal;
    const auto measure = std::find_if(kMeasures.cbegin(), kMeasures.cend(),
                                      [&](GoalMeasure m) { return items[1].text == measureWord(m); });
    if (measure == kMeasures.cend())
        return fail(QStringLiteral("目標の単位「%1」は なし、分、回、種類 のどれでもありません").arg(items[1].text));
    goal.measure = *measure;
    const auto target = parseInteger(items[2].text);
    const int low = goal.isSet() ? 1 : 0;
    const int high = goalTargetMax(goal.measure);
    if (!target || *target < low || *target > high)
        return fail(QStringLiteral("目標の値「%1」が %2～%3 ではありません").arg(items[2].text).arg(low).arg(high));
    goal.target = int(*target);
    const auto rest = parseInteger(items[4].text);
    if (!rest || *rest < 0 || *rest > kMaxRestDays)
        return fail(QStringLiteral("週の休み「%1」が 0～%2 ではありません").arg(items[4].text).arg(kMaxRestDays));
    goal.restDays = int(*rest);
    for (qsizetype i = 1; i < t.lines.size(); ++i)
        if (!t.lines[i].trimmed().isEmpty() || t.badLines.contains(int(i + 1)))
            return fail(QStringLiteral("%1 行目: 余分な行があります").arg(i + 1));
    r.goal = goal;
    return r;
}

QString dailyGoalLine(const DailyGoal &goal) {
    return WriteListLine()
        .text(kGoalLabel)
        .text(measureWord(goal.measure))
        .integer(goal.isSet() ? goal.target : 0)
        .text(kRestLabel)
        .integer(goal.restDays)
        .line();
}

WriteResult writeDailyGoal(const QString &dir, const DailyGoal &goal) {
    return rewriteLines(dir, kGoalFile, {dailyGoalLine(goal)});
}

} // namespace mirute
