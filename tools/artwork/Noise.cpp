#include "tools/artwork/Noise.h"

#include <cmath>

namespace art {
namespace {

std::uint32_t Mix32(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Smooth(double t) { return (1 - std::cos(t * 3.14159265358979323846)) / 2; }

}  // namespace

double Hash01(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = Mix32(static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ Mix32(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77u));
    return (h >> 8) / double(1u << 24);
}

double RowNoise(double x, std::int32_t y, double period, std::uint32_t seed) {
    double u = x / period;
    double k = std::floor(u);
    double a = HashSigned(static_cast<std::int32_t>(k), y, seed);
    double b = HashSigned(static_cast<std::int32_t>(k) + 1, y, seed);
    return a + (b - a) * Smooth(u - k);
}

double ValueNoise(double x, double y, double period, std::uint32_t seed) {
    double u = x / period, v = y / period;
    double ku = std::floor(u), kv = std::floor(v);
    auto at = [&](int dx, int dy) {
        return HashSigned(static_cast<std::int32_t>(ku) + dx, static_cast<std::int32_t>(kv) + dy, seed);
    };
    double su = Smooth(u - ku), sv = Smooth(v - kv);
    double top = at(0, 0) + (at(1, 0) - at(0, 0)) * su;
    double bottom = at(0, 1) + (at(1, 1) - at(0, 1)) * su;
    return top + (bottom - top) * sv;
}

}  // namespace art
