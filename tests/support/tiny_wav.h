// A real wave file of a few milliseconds of silence, for tests that start a sound: the
// sound is read and played as any shipped one, with nothing for the test to wait out.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace quarn::test {

inline void writeTinyWav(const std::string& path) {
    constexpr std::uint32_t rate = 8000, samples = 80;  // 10 ms, mono, 16 bits
    constexpr std::uint32_t dataBytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    const auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const auto u16 = [&](std::uint16_t v) {
        out.put(static_cast<char>(v & 0xFF));
        out.put(static_cast<char>(v >> 8));
    };
    out << "RIFF";
    u32(36 + dataBytes);
    out << "WAVEfmt ";
    u32(16);
    u16(1);  // plain PCM
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out << "data";
    u32(dataBytes);
    for (std::uint32_t i = 0; i < dataBytes; ++i) out.put('\0');
}

}  // namespace quarn::test
