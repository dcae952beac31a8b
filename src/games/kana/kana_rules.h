#pragma once

#include "games/common/game_rules.h"

#include <QStringList>

namespace mirute {

inline const QString kKanaDictionary = QStringLiteral("抜かな辞書.TXT");

// 抜かな: four of the five kana of a row are shown; the missing one is typed.
class KanaRules : public GameRules {
public:
    QString prepare(const QString &dataDir) override;   // READ_JISYO
    void makeQuestion() override;                        // MAKE_MONDAI
    void onStart() override;

    // The question labels lblMondai 1 to 4.
    const QStringList &labels() const { return m_labels; }
    QString questionText() const { return m_labels.join(QString()); }
    bool inOrder() const;
    // Only exact text counts: hiragana and katakana differ, and so do full- and half-width forms.
    bool isCorrect(const QString &typed) const;
    // Judges the typed text with the reaction measured at its first key.
    void judgeTyped(const QString &typed);

    QStringList dictionary() const { return m_items; }
    QString openNotice() const override { return m_notice; }
    void setDictionary(const QStringList &items) { m_items = items; }

private:
    QStringList m_items;
    QStringList m_labels{QString(), QString(), QString(), QString()};
    QString m_notice;
};

} // namespace mirute
