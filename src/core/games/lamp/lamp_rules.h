#pragma once

#include "core/base/random_source.h"
#include "core/games/common/game_rules.h"
#include "core/tables/grid.h"

#include <QList>
#include <QStringList>
#include <array>
#include <functional>

namespace mirute {

// ランプ: 28 lamps in two to five colours; the colour that occurs most often is clicked.
class LampRules : public GameRules {
public:
    static constexpr int kLamps = 28;
    static constexpr int kSlots = 5;
    using Tally = std::array<int, kSlots + 1>; // index 1..5
    // The game's own settings fields: "コマ" (the number of colours, 2 to 5) and "色ごとの数を表示" (0 or 1).
    static constexpr int kColorCountField = 0, kShowCountsField = 1;

    QString prepare(const QString &dataDir) override; // the lamp images must be there
    void makeQuestion() override;
    void onExtraChanged(int index) override; // the colour count draws a new field
    bool hasAnswerBox() const override { return false; }

    // A click on lamp `index`, 1..28.
    void click(int index);

    int colorCount() const;
    bool showCounts() const;
    const QList<int> &lampColors() const { return m_lampColors; }
    int tally(int slot) const { return slot >= 1 && slot <= kSlots ? m_tally[slot] : 0; }
    int mostColor() const { return m_mostColor; }
    // The swatch and count label of a slot are visible.
    bool legendVisible(int slot) const;
    QString imagePath(int slot) const { return m_imagePaths.value(slot - 1); }

    // The slot that occurs more often than every other, or 0 when two or more share the highest count.
    static int uniqueMost(const Tally &tally, int colorCount);
    static QString imageFile(int slot) { return QString::number(slot) + QStringLiteral(".gif"); }
    static Rgb slotColor(int slot);
    static QString slotName(int slot);

    // Called after each lamp is drawn (its number) and with 0 when a draw begins; the view shows it there.
    void setLampShown(std::function<void(int lamp)> shown) { m_lampShown = std::move(shown); }
    // The yield after each lamp; the engine's event-loop yield unless replaced (tests).
    void setYield(std::function<void()> yield) { m_yield = std::move(yield); }

private:
    bool drawOnce();
    void yieldOnce();

    QStringList m_imagePaths;
    QList<int> m_lampColors;
    Tally m_tally{};
    int m_mostColor = 0;
    bool m_legendShown = false;
    bool m_drawing = false;
    bool m_drawAgain = false;
    std::function<void(int)> m_lampShown;
    std::function<void()> m_yield;
};

} // namespace mirute
