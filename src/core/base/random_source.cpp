#include "core/base/random_source.h"

namespace mirute {

SystemRandom::SystemRandom() : m_engine(std::random_device{}()) {}
SystemRandom::SystemRandom(unsigned seed) : m_engine(seed) {}

double SystemRandom::next() {
    double r = m_dist(m_engine);
    return r >= 1.0 ? 0.0 : r;
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
