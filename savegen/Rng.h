#pragma once
// Small deterministic generator for test and sample content (same seed, same bytes everywhere).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, bound).
    std::uint32_t below(std::uint32_t bound) { return bound == 0 ? 0 : static_cast<std::uint32_t>(next() % bound); }
    bool chance(std::uint32_t percent) { return below(100) < percent; }
    // Mostly zero and small values, sometimes anything: the shape of real game state.
    std::uint32_t gameValue() {
        std::uint32_t roll = below(100);
        if (roll < 55) return 0;
        if (roll < 90) return below(16);
        if (roll < 97) return below(1000);
        return static_cast<std::uint32_t>(next());
    }
    template <class T, std::size_t N>
    void gameFill(std::array<T, N>& values) {
        for (T& value : values) value = static_cast<T>(gameValue());
    }
    template <class T, std::size_t N>
    std::array<T, N> gameArray() {
        std::array<T, N> values{};
        gameFill(values);
        return values;
    }
    std::vector<unsigned char> gameBytes(std::size_t n) {
        std::vector<unsigned char> out(n);
        for (auto& b : out) b = static_cast<unsigned char>(gameValue());
        return out;
    }
    std::string word(std::size_t minLength, std::size_t maxLength) {
        static const char letters[] = "abcdefghijklmnopqrstuvwxyz";
        std::size_t n = minLength + below(static_cast<std::uint32_t>(maxLength - minLength + 1));
        std::string s;
        for (std::size_t i = 0; i < n; ++i) s += letters[below(26)];
        return s;
    }

private:
    std::uint64_t state_;
};
