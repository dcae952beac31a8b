#include "sample_log/sample_log.h"

#include "core/base/day_time.h"
#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/log/app_state.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <random>

namespace mirute::sample {

namespace {

// Draws from std::mt19937 through our own arithmetic: the standard distributions differ between libraries,
// and the same seed must give the same folder everywhere.
class Rng {
public:
    explicit Rng(quint32 seed) : m_gen(seed) {}
    double unit() { return double(m_gen()) / 4294967296.0; }
    int below(int n) { return qMin(n - 1, int(unit() * n)); }
    double between(double low, double high) { return low + (high - low) * unit(); }
    bool chance(double p) { return unit() < p; }
    template <class List> const auto &pick(const List &list) { return list[below(int(std::size(list)))]; }

private:
    std::mt19937 m_gen;
};

// How one user plays one game: how often, how fast at the start of the log, how sure, how quick.
struct GameProfile {
    double share;               // of all plays
    double rateLow, rateHigh;   // answers (game 6: finished questions) per second
    double reactLow, reactHigh; // best reaction; game 6 its best question, game 7 unused
    double okShare;             // typical share of correct answers
};

// GameNo order.
constexpr std::array<GameProfile, kGameCount> kProfiles = {{
    {0.22, 0.45, 0.90, 0.45, 1.10, 0.93}, // 抜かな
    {0.18, 0.60, 1.20, 0.35, 0.90, 0.95}, // 抜数字
    {0.12, 0.25, 0.60, 0.80, 2.00, 0.88}, // 抜仲間
    {0.14, 0.30, 0.70, 0.70, 2.50, 0.90}, // 宝探し
    {0.12, 0.50, 1.00, 0.45, 1.20, 0.85}, // ランプ
    {0.12, 0.12, 0.30, 2.40, 6.00, 0.96}, // 順番クリック
    {0.10, 0.60, 1.30, 0.00, 0.00, 0.94}, // 座標
}};

constexpr int kTimeLimits[] = {10, 20, 30, 60, 60, 60, 60, 90, 120, 180};
constexpr int kCountLimits[] = {5, 10, 10, 15, 20, 20, 25, 30};

// Diary lines a user types over the summary now and then; commas in both widths on purpose.
const QStringList &userComments() {
    static const QStringList comments = {
        QStringLiteral("今日は調子が良かった、また明日も頑張る"),
        QStringLiteral("眠くて集中できず, 反応が遅い"),
        QStringLiteral("朝の一回目。コーヒーの前"),
        QStringLiteral("新記録！ 指が覚えてきた、かな"),
        QStringLiteral("夕食後, 少し疲れ気味"),
        QStringLiteral("孫と一緒に、交代で"),
        QStringLiteral("ミス多し。焦りすぎ、落ち着いて"),
        QStringLiteral("雨の日曜日, ゆっくり"),
        QStringLiteral("①から順に、②も試した"),
        QStringLiteral("病院の待ち時間に～"),
    };
    return comments;
}

// Hours at which plays start, weighted as a retired user's day: morning, after lunch, evening.
int sessionHour(Rng &rng) {
    static constexpr std::array<int, 24> weights = {0, 0, 0, 0, 0, 1, 3, 8, 10, 6, 4, 3,
                                                    2, 5, 6, 4, 3, 3, 2, 6, 9,  8, 5, 2};
    int total = 0;
    for (int w : weights)
        total += w;
    int r = rng.below(total);
    for (int h = 0; h < 24; ++h) {
        if (r < weights[h])
            return h;
        r -= weights[h];
    }
    return 20;
}

int drawGame(Rng &rng) {
    double r = rng.unit();
    for (int g = 0; g < kGameCount; ++g) {
        if (r < kProfiles[g].share)
            return g + 1;
        r -= kProfiles[g].share;
    }
    return kGameCount;
}

// One finished play of game gameNo; `progress` 0..1 over the log makes the user a little faster with time.
struct Outcome {
    double seconds = 0;
    QString secondsText;
    int answers = 0; // history field 3 and the summary's 答数
    int ok = 0, ng = 0;
    QString reaction; // history field 6 as written (game 7: typed characters)
    double perSecondCount = 0;
    int cells = 0; // game 7: the cells of the rows played
};

Outcome playOnce(Rng &rng, int gameNo, double progress) {
    const GameProfile &p = kProfiles[gameNo - 1];
    const double skill = 1.0 + 0.35 * progress;
    const double rate = rng.between(p.rateLow, p.rateHigh) * skill;
    Outcome o;
    const bool timeMode = rng.chance(0.65);
    int units;
    if (timeMode) {
        o.seconds = rng.pick(kTimeLimits);
        o.secondsText = formatNumber(o.seconds);
        units = qMax(1, int(std::lround(o.seconds * rate)));
    } else {
        if (gameNo == 7)
            units = 9 * (1 + rng.below(9)); // whole grid rows
        else if (gameNo == 6)
            units = 3 + rng.below(8);
        else
            units = rng.pick(kCountLimits);
        o.secondsText = formatFixed(qMax(1.0, units / rate), 1);
        o.seconds = leadingNumber(o.secondsText);
    }
    const double okShare = qBound(0.5, p.okShare + rng.between(-0.08, 0.06), 1.0);
    if (gameNo == 6) {
        // Answers are finished questions; OK and NG count the clicks, nine per question plus the misses.
        o.answers = units;
        o.ok = units * 9;
        o.ng = int(std::lround(o.ok * (1 - okShare)));
    } else {
        o.answers = units;
        o.ok = qBound(0, int(std::lround(units * okShare)), units);
        o.ng = units - o.ok;
    }
    o.perSecondCount = o.ok + o.ng;
    if (gameNo == 7) {
        const int typed = 2 * o.answers + rng.below(qMax(1, o.ng + 1));
        o.reaction = QString::number(typed);
        o.perSecondCount = typed;
        o.cells = timeMode ? 9 * (1 + rng.below(9)) : o.answers;
    } else if (o.ok == 0) {
        o.reaction = QStringLiteral("0");
    } else {
        const double best = rng.between(p.reactLow, p.reactHigh) / skill;
        o.reaction = formatNumber(leadingNumber(formatFixed(best, 2)));
    }
    return o;
}

SamplePlay makePlay(Rng &rng, int gameNo, const QDate &date, int secondOfDay, const Outcome &o, bool comment) {
    SamplePlay play;
    play.gameNo = gameNo;
    const QString day = dateText(date);
    const QString time = timeText(QTime(0, 0).addSecs(secondOfDay));
    play.record.date = day;
    play.record.time = time;
    play.record.game = gameNames()[gameNo - 1];
    play.seconds = o.seconds;
    play.record.seconds = float(o.seconds);
    play.record.diary =
        comment ? rng.pick(userComments()) : summaryText(gameNo, o.secondsText, o.answers, o.reaction, o.cells);
    HistoryRecord &h = play.history;
    h.date = day;
    h.time = time;
    h.answers = QString::number(o.answers);
    h.ok = o.ok;
    h.ng = o.ng;
    h.reaction = o.reaction;
    const int judged = o.ok + o.ng;
    h.rate = formatPercent(judged > 0 ? double(o.ok) / judged : 0);
    h.perSecond = formatPerSecond(o.seconds > 0 ? o.perSecondCount / o.seconds : 0);
    h.seconds = o.secondsText + QStringLiteral("秒");
    return play;
}

// How many plays each day of the span gets: some days off (and a few longer breaks), the rest weighted so
// that the total comes out exactly. The last day always has plays, so "today" shows something.
QList<int> playsPerDay(Rng &rng, int days, int records) {
    QList<double> weight(days, 0.0);
    double total = 0;
    for (int d = 0; d < days; ++d) {
        if (rng.chance(0.004)) { // travel or illness: a week or two without playing
            d += 5 + rng.below(10);
            continue;
        }
        if (rng.chance(0.12))
            continue;
        weight[d] = rng.between(0.3, 1.7);
        total += weight[d];
    }
    if (weight[days - 1] == 0) {
        weight[days - 1] = 1.0;
        total += 1.0;
    }
    QList<int> counts(days, 0);
    int given = 0;
    for (int d = 0; d < days; ++d) {
        counts[d] = int(std::floor(records * weight[d] / total));
        given += counts[d];
    }
    // The remainder goes to played days from the end backwards, one each.
    for (int d = days - 1; given<records; d = d> 0 ? d - 1 : days - 1) {
        if (weight[d] > 0) {
            ++counts[d];
            ++given;
        }
    }
    return counts;
}

// Start times of `durations` plays within one day: sessions of a few plays at likely hours, one after the
// other, never past midnight.
QList<int> dayTimes(Rng &rng, const QList<int> &durations) {
    const int n = int(durations.size());
    QList<int> times(n, 0);
    const int sessions = qMax(1, (n + 7) / 8);
    QList<int> starts;
    for (int s = 0; s < sessions; ++s)
        starts.append(sessionHour(rng) * 3600 + rng.below(3600));
    std::sort(starts.begin(), starts.end());
    int cursor = 0;
    for (int i = 0; i < n; ++i) {
        const int session = i * sessions / n;
        if (i == 0 || session != (i - 1) * sessions / n)
            cursor = qMax(cursor, starts[session]);
        times[i] = cursor;
        cursor += durations[i] + 8 + rng.below(60);
    }
    const int overflow = cursor - 86399;
    if (overflow > 0)
        for (int &t : times)
            t = qMax(0, t - overflow);
    return times;
}

// The items a game asks, as its answers file names them.
QStringList sampleItems(int gameNo) {
    QStringList items;
    auto chars = [&items](const QString &text) {
        for (QChar c : text)
            items.append(QString(c));
    };
    switch (gameNo) {
    case 1:
        chars(QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのアイウエオカキクケコサシスセソ"));
        break;
    case 2: chars(QStringLiteral("0123456789")); break;
    case 3:
        items = QStringLiteral("春 夏 秋 冬 東 西 南 北 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥 赤 橙 黄 緑 青 藍 紫 "
                               "月曜日 火曜日 水曜日 木曜日 金曜日 土曜日 日曜日 みざる きかざる いわざる")
                    .split(u' ');
        break;
    case 4:
        items =
            QStringLiteral("萩荻 末未 土士 日曰 己已 問間 綱網 壁璧 刀力 人入 大犬 天夫 王玉 木本 休体 待侍 微徴 検験 "
                           "績積 貸貨")
                .split(u' ');
        break;
    default:
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                items.append(QStringLiteral("%1行%2列").arg(r).arg(c));
    }
    return items;
}

// One play's answers: its right and wrong answers on random items, the wrong ones drawn mostly from the
// items the user finds hard; the hard ones are answered more slowly too.
QList<AnswerRecord> playAnswers(Rng &rng, int gameNo, const HistoryRecord &h, const QStringList &items,
                                const QList<double> &hardness) {
    const int total = h.ok + h.ng;
    QList<int> asked;
    for (int i = 0; i < total; ++i)
        asked.append(rng.below(int(items.size())));
    QList<bool> wrong(total, false);
    for (int n = 0; n < qMin(h.ng, total); ++n) {
        double sum = 0;
        for (int i = 0; i < total; ++i)
            sum += wrong[i] ? 0 : 1 + 8 * hardness[asked[i]];
        double left = rng.unit() * sum;
        for (int i = 0; i < total; ++i) {
            if (wrong[i])
                continue;
            left -= 1 + 8 * hardness[asked[i]];
            if (left < 0 || i == total - 1) {
                wrong[i] = true;
                break;
            }
        }
    }
    const GameProfile &p = kProfiles[gameNo - 1];
    const double low = gameNo == 7 ? 0.6 : p.reactLow, high = gameNo == 7 ? 1.6 : p.reactHigh;
    QList<AnswerRecord> answers;
    answers.reserve(total);
    for (int i = 0; i < total; ++i) {
        AnswerRecord a;
        a.date = h.date;
        a.time = h.time;
        a.item = items[asked[i]];
        a.correct = !wrong[i];
        const QString &other = items[(asked[i] + 1 + rng.below(int(items.size()) - 1)) % items.size()];
        if (gameNo == 4) // the odd kanji clicked, or one of the others
            a.given = a.correct ? a.item.right(1) : a.item.left(1);
        else if (gameNo == 7) // the two digits typed
            a.given = QString(a.correct ? a.item : other).remove(QStringLiteral("行")).remove(QStringLiteral("列"));
        else
            a.given = a.correct ? a.item : other;
        a.reaction = leadingNumber(formatFixed(rng.between(low, high) * (1 + hardness[asked[i]]), 2));
        answers.append(a);
    }
    return answers;
}

} // namespace

QList<AnswerRecord> sampleAnswers(int gameNo, const QList<HistoryRecord> &plays, quint32 seed) {
    Rng rng(seed);
    const QStringList items = sampleItems(gameNo);
    // A few items are hard for this user; most are easy.
    QList<double> hardness;
    for (qsizetype i = 0; i < items.size(); ++i)
        hardness.append(rng.chance(0.15) ? rng.between(0.5, 1.0) : rng.between(0.0, 0.15));
    QList<AnswerRecord> answers;
    for (const HistoryRecord &h : plays)
        answers.append(playAnswers(rng, gameNo, h, items, hardness));
    return answers;
}

QString summaryText(int gameNo, const QString &seconds, int answers, const QString &reaction, int cells) {
    QString text = QStringLiteral("秒数 : ") + seconds + QStringLiteral("   答数 : ") + QString::number(answers);
    if (gameNo == 7)
        return text + QStringLiteral("   マス数 : ") + QString::number(cells);
    return text + QStringLiteral("  反応時間  ") + reaction + QStringLiteral("秒");
}

SampleData generateSample(const SampleOptions &options) {
    Rng rng(options.seed);
    SampleData data;
    const int records = qMax(0, options.records);
    const QDate last = options.lastDay.isValid() ? options.lastDay : QDate::currentDate();
    const QDate first = last.addYears(-qMax(1, options.years)).addDays(1);
    const int days = int(first.daysTo(last)) + 1;
    data.plays.reserve(records);
    if (records > 0) {
        const QList<int> counts = playsPerDay(rng, days, records);
        for (int d = 0; d < days; ++d) {
            if (counts[d] == 0)
                continue;
            const double progress = double(d) / days;
            QList<int> games, durations;
            QList<Outcome> outcomes;
            for (int i = 0; i < counts[d]; ++i) {
                // A new user tries every game once on the first day of playing.
                const int playNo = int(data.plays.size()) + i;
                const int game = playNo < kGameCount ? playNo + 1 : drawGame(rng);
                games.append(game);
                outcomes.append(playOnce(rng, game, progress));
                durations.append(int(std::ceil(outcomes.last().seconds)) + 5);
            }
            const QList<int> times = dayTimes(rng, durations);
            for (int i = 0; i < counts[d]; ++i)
                data.plays.append(makePlay(rng, games[i], first.addDays(d), times[i], outcomes[i], rng.chance(0.03)));
        }
    }
    // The last diary typed by the user rewrote the whole file at that point.
    for (qsizetype i = data.plays.size() - 1; i >= 0; --i) {
        if (!data.plays[i].record.diary.startsWith(QStringLiteral("秒数 : "))) {
            data.rewrittenLines = int(i + 1);
            break;
        }
    }

    for (int g = 1; g <= kGameCount; ++g) {
        QList<HistoryRecord> logged;
        for (const SamplePlay &p : std::as_const(data.plays))
            if (p.gameNo == g)
                logged.append(p.history);
        const int wanted = options.historyPlays < 0 ? int(logged.size()) : options.historyPlays;
        QList<HistoryRecord> &history = data.histories[g - 1];
        // Plays from before the log's first day, a handful a day going backwards.
        const int older = qMax(0, wanted - int(logged.size()));
        QList<HistoryRecord> before;
        QDate day = first.addDays(-1);
        int playsThatDay = 0;
        for (int i = 0; i < older; ++i) {
            if (playsThatDay >= 3 + rng.below(4)) {
                day = day.addDays(-1 - rng.below(2));
                playsThatDay = 0;
            }
            ++playsThatDay;
            const Outcome o = playOnce(rng, g, 0.0);
            const int second = 21 * 3600 - playsThatDay * 200;
            before.prepend(makePlay(rng, g, day, second, o, false).history);
        }
        history = before;
        history.append(logged.mid(qMax<qsizetype>(0, logged.size() - wanted)));
    }

    for (int g = 1; g <= kGameCount; ++g) {
        const QList<HistoryRecord> &history = data.histories[g - 1];
        if (keepsAnswers(g))
            data.answers[g - 1] =
                sampleAnswers(g, history.mid(qMax<qsizetype>(0, history.size() - kAnswerPlaysKept)), options.seed + g);
    }
    return data;
}

QStringList SampleData::logLines() const {
    QStringList lines;
    lines.reserve(plays.size());
    for (qsizetype i = 0; i < plays.size(); ++i) {
        const PlayRecord &r = plays[i].record;
        if (i < rewrittenLines)
            lines.append(rewrittenPlayLine(r));
        else
            lines.append(gamePlayLine(r.date, r.time, r.game, plays[i].seconds, r.diary));
    }
    return lines;
}

QStringList SampleData::historyLines(int gameNo) const {
    QStringList lines;
    const QList<HistoryRecord> &h = histories[gameNo - 1];
    lines.reserve(h.size());
    for (const HistoryRecord &r : h)
        lines.append(historyLine(r));
    return lines;
}

namespace {

QString copyDefaults(const QString &from, const QString &to) {
    if (from.isEmpty())
        return {};
    QDir source(from);
    if (!source.exists())
        return QStringLiteral("既定のデータフォルダ %1 がありません").arg(from);
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(source.relativeFilePath(path));
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(path, target))
            return QStringLiteral("%1 を %2 へ複写できません").arg(path, target);
    }
    return {};
}

} // namespace

QString writeSampleFolder(const QString &dir, const SampleData &data, const QString &defaultDataDir) {
    if (!QDir().mkpath(dir))
        return QStringLiteral("フォルダ %1 を作れません").arg(dir);
    if (const QString err = copyDefaults(defaultDataDir, dir); !err.isEmpty())
        return err;
    if (WriteResult w = rewriteLines(dir, kPlayLogFile, data.logLines()); !w.ok())
        return w.error;
    for (int g = 1; g <= kGameCount; ++g)
        if (WriteResult w = rewriteLines(dir, gameNames()[g - 1] + QStringLiteral("履歴.txt"), data.historyLines(g));
            !w.ok())
            return w.error;
    for (int g = 1; g <= kGameCount; ++g) {
        if (!keepsAnswers(g))
            continue;
        QStringList lines;
        lines.reserve(data.answers[g - 1].size());
        for (const AnswerRecord &a : data.answers[g - 1])
            lines.append(answerLine(a));
        if (WriteResult w = rewriteLines(dir, gameAnswersFile(gameNames()[g - 1]), lines); !w.ok())
            return w.error;
    }
    if (WriteResult w = saveName(dir, QStringLiteral("山田 花子")); !w.ok())
        return w.error;
    // The help tour is off, as it is for a user who has played for years.
    if (WriteResult w = writeHelpTourFlag(dir, 0); !w.ok())
        return w.error;
    const QStringList memo = {QStringLiteral("目標：毎日３種類以上、朝と夜に"),
                              QStringLiteral("抜かなは 0.5秒 を切りたい、座標は全行で")};
    if (WriteResult w = rewriteLines(dir, QStringLiteral("メモ.TXT"), memo); !w.ok())
        return w.error;
    return {};
}

} // namespace mirute::sample
