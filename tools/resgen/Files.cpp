#include "Files.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {
void put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 255));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 255));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
void putText(std::vector<std::uint8_t>& out, const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        out.push_back(static_cast<std::uint8_t>(text[i]));
}

constexpr std::uint8_t TopLeftOrigin = 0x20;

std::vector<std::uint8_t> tgaHeader(int width, int height, int depth, std::uint8_t descriptor) {
    std::vector<std::uint8_t> out;
    out.push_back(0); // no image ID
    out.push_back(0); // no colour map
    out.push_back(2); // uncompressed true colour
    put16(out, 0);
    put16(out, 0);
    out.push_back(0);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<unsigned>(width));
    put16(out, static_cast<unsigned>(height));
    out.push_back(static_cast<std::uint8_t>(depth));
    out.push_back(descriptor);
    return out;
}

void putTgaFooter(std::vector<std::uint8_t>& out) {
    put32(out, 0);                         // no extension area
    put32(out, 0);                         // no developer directory
    putText(out, "TRUEVISION-XFILE.", 18); // signature, full stop and NUL
}
} // namespace

std::vector<std::uint8_t> tgaFile(const Canvas& canvas, bool bottomFirst) {
    auto out = tgaHeader(canvas.width(), canvas.height(), 24, bottomFirst ? 0 : TopLeftOrigin);
    const auto pixels = canvas.toBgr(bottomFirst);
    out.insert(out.end(), pixels.begin(), pixels.end());
    putTgaFooter(out);
    return out;
}

std::vector<std::uint8_t> tgaFileWithAlpha(const Canvas& canvas, const std::vector<float>& alpha) {
    auto out = tgaHeader(canvas.width(), canvas.height(), 32, TopLeftOrigin | 8);
    const auto pixels = canvas.toBgra(alpha);
    out.insert(out.end(), pixels.begin(), pixels.end());
    putTgaFooter(out);
    return out;
}

std::vector<std::uint8_t> waveFile(const std::vector<std::uint8_t>& samples, int rate) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t padding = dataSize & 1; // RIFF chunks are word aligned
    std::vector<std::uint8_t> out;
    putText(out, "RIFF", 4);
    put32(out, 4 + 8 + 16 + 8 + dataSize + padding);
    putText(out, "WAVE", 4);
    putText(out, "fmt ", 4);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate)); // bytes per second
    put16(out, 1);                                // block align
    put16(out, 8);                                // bits per sample
    putText(out, "data", 4);
    put32(out, dataSize);
    out.insert(out.end(), samples.begin(), samples.end());
    if (padding) out.push_back(128);
    return out;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("resgen: cannot write " + path);
}
