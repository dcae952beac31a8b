#include "core/base/random_source.h"

namespace mirute {

SystemRandom::SystemRandom() : m_engine(std::random_device{}()) {}
SystemRandom::SystemRandom(unsigned seed) : m_engine(seed) {}

double SystemRandom::next() {
    double r = m_dist(m_engine);
    return r >= 1.0 ? 0.0 : r;
}

int RandomSource::weightedIndex0(const QList<double> &weights) {
    double total = 0;
    for (double w : weights)
        total += qMax(0.0, w);
    const int n = int(weights.size());
    if (total <= 0)
        return index0(n);
    double left = next() * total;
    for (int i = 0; i < n; ++i) {
        left -= qMax(0.0, weights[i]);
        if (left < 0)
            return i;
    }
    return qMax(0, n - 1);
}

namespace {
RandomSource *g_random = nullptr;
}

RandomSource &appRandom() {
    static SystemRandom system;
    return g_random ? *g_random : system;
}

void setAppRandom(RandomSource *random) {
    g_random = random;
}

} // namespace mirute
