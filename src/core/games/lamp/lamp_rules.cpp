#include "core/games/lamp/lamp_rules.h"

#include "core/base/number_format.h"
#include "core/base/text_file.h"
#include "core/games/common/game_engine.h"

#include <QFile>
#include <QFileInfo>

namespace mirute {

namespace {

// A GIF starts with its signature and its logical screen size.
bool looksLikeGif(const QString &path) {
    // A named pipe in the image's place would keep the open waiting for ever.
    if (!QFileInfo(path).isFile())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(10);
    if (head.size() < 10 || !(head.startsWith("GIF87a") || head.startsWith("GIF89a")))
        return false;
    const int width = quint8(head[6]) | quint8(head[7]) << 8;
    const int height = quint8(head[8]) | quint8(head[9]) << 8;
    return width > 0 && height > 0;
}

} // namespace

QString LampRules::prepare(const QString &dataDir) {
    m_imagePaths.clear();
    for (int slot = 1; slot <= kSlots; ++slot) {
        const QString path = resolveFile(dataDir, imageFile(slot));
        if (!QFileInfo::exists(path))
            return QStringLiteral("ランプの画像「%1」がありません。\r\nゲームを開けません。").arg(imageFile(slot));
        if (!looksLikeGif(path))
            return QStringLiteral("ランプの画像「%1」を読めません。\r\nゲームを開けません。").arg(imageFile(slot));
        m_imagePaths.append(path);
    }
    return {};
}

int LampRules::colorCount() const {
    return qBound(2, settings().extraInt(kColorCountField), kSlots);
}

bool LampRules::showCounts() const {
    return settings().extraFlag(kShowCountsField);
}

bool LampRules::legendVisible(int slot) const {
    return showCounts() && m_legendShown && slot >= 1 && slot <= colorCount();
}

Rgb LampRules::slotColor(int slot) {
    static const Rgb colors[kSlots] = {{192, 192, 0}, {0, 192, 0}, {255, 0, 0}, {192, 0, 192}, {0, 0, 255}};
    return slot >= 1 && slot <= kSlots ? colors[slot - 1] : Rgb{0, 0, 0};
}

QString LampRules::slotName(int slot) {
    static const char16_t *names[kSlots] = {u"黄", u"緑", u"赤", u"紫", u"青"};
    return slot >= 1 && slot <= kSlots ? QString::fromUtf16(names[slot - 1]) : QString();
}

int LampRules::uniqueMost(const Tally &tally, int colorCount) {
    int most = 0, highest = 0;
    for (int j = 1; j <= colorCount; ++j) {
        if (tally[j] >= highest) {
            most = j;
            highest = tally[j];
        }
    }
    int sharing = 0;
    for (int i = 1; i <= colorCount; ++i)
        if (tally[i] == highest)
            ++sharing;
    return sharing == 1 ? most : 0;
}

void LampRules::yieldOnce() {
    if (m_yield)
        m_yield();
    else
        yieldToEvents();
}

// One field of 28 lamps; false when a new question was asked for while it was being drawn.
bool LampRules::drawOnce() {
    m_tally.fill(0);
    m_mostColor = 0;
    m_lampColors.clear();
    m_legendShown = false;
    if (m_lampShown)
        m_lampShown(0);
    for (int k = 1; k <= kLamps; ++k) {
        const int c = random().index1(colorCount());
        m_lampColors.append(c);
        ++m_tally[c];
        if (m_lampShown)
            m_lampShown(k);
        yieldOnce();
        if (m_drawAgain)
            return false;
    }
    m_mostColor = uniqueMost(m_tally, colorCount());
    m_legendShown = true;
    if (m_lampShown)
        m_lampShown(0);
    return m_mostColor != 0;
}

void LampRules::makeQuestion() {
    // The yields let a judged click or a new colour count ask for a question while one is being drawn:
    // the draw under way starts over instead of two draws filling one field.
    if (m_drawing) {
        m_drawAgain = true;
        return;
    }
    m_drawing = true;
    for (;;) {
        m_drawAgain = false;
        if (drawOnce())
            break;
    }
    m_drawing = false;
    yieldOnce();
    questionShown();
}

void LampRules::onExtraChanged(int index) {
    if (index == kColorCountField)
        remakeQuestion();
}

void LampRules::click(int index) {
    if (!clickJudgeable() || index < 1 || index > kLamps)
        return;
    const double reaction = clock().seconds() - session().shownAt;
    Judgement j;
    // A lamp not yet drawn, or a field still being drawn, has no answer to match.
    j.correct = m_mostColor != 0 && index <= m_lampColors.size() && m_lampColors[index - 1] == m_mostColor;
    j.reaction = reaction;
    j.cells = {formatFixed(reaction, 2)};
    j.pauseMs = 100;
    // The best is taken before the pause, so that a play ending during the pause saves it; a second click
    // during the pause is judged as well.
    if (j.correct)
        offerBest(reaction);
    j.updatesBest = false;
    judge(j);
}

} // namespace mirute
