#pragma once

#include <QList>
#include <random>

namespace mirute {

// Uniform draws 0 <= r < 1 from one generator seeded once (reseeding before every draw repeats draws
// within one clock tick). index1(n) is Int(n * r + 1), 1..n; index0(n) is Int(n * r), 0..n-1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    int index1(int n) { return qBound(1, int(n * next() + 1), qMax(1, n)); }
    int index0(int n) { return qBound(0, int(n * next()), qMax(0, n - 1)); }
    // One draw among weighted choices: index i comes with the share weights[i] / total of the draws (all
    // equal when no weight is above 0).
    int weightedIndex0(const QList<double> &weights);
};

class SystemRandom : public RandomSource {
public:
    SystemRandom();
    explicit SystemRandom(unsigned seed);
    double next() override;
private:
    std::mt19937_64 m_engine;
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};

// Tests: the draws given, in order, then 0 for ever.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(QList<double> draws = {}) : m_draws(std::move(draws)) {}
    void push(double r) { m_draws.append(r); }
    // The draw that makes index0(n) return i.
    static double forIndex0(int i, int n) { return (i + 0.5) / n; }
    double next() override { return m_pos < m_draws.size() ? m_draws[m_pos++] : 0.0; }
    int used() const { return int(m_pos); }
private:
    QList<double> m_draws;
    qsizetype m_pos = 0;
};

RandomSource &appRandom();
void setAppRandom(RandomSource *random); // nullptr restores the seeded generator

} // namespace mirute
