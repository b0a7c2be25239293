#include "Sound.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace {

constexpr double Pi = 3.14159265358979;
constexpr int Crossfade = AmbientRate / 2;

// Gustiness in 0..1, periodic over the loop so it agrees across the join.
double gust(double t) {
    const double phase = 2 * Pi * t / AmbientSamples;
    const double g = 0.55 + 0.22 * std::sin(2 * phase + 0.7) + 0.14 * std::sin(5 * phase + 2.1) +
                     0.08 * std::sin(11 * phase + 4.0) + 0.05 * std::sin(23 * phase + 1.3);
    return std::clamp(g, 0.0, 1.0);
}

// Chamberlin state-variable band-pass filter.
struct BandPass {
    double low = 0, band = 0;
    double step(double input, double frequency, double damping) {
        const double f = 2 * std::sin(Pi * frequency / AmbientRate);
        low += f * band;
        const double high = input - low - damping * band;
        band += f * high;
        return band;
    }
};

// Three independent noises, so no band cancels another: a deep rumble, a
// hollow howl that rises with the gusts, and the rush of air in strong gusts.
std::vector<double> wind(int length) {
    std::vector<double> out(length);
    Scatter rumbleNoise(4242), howlNoise(4343), rushNoise(4444);
    BandPass howl, rush;
    double rumble = 0, rumbleSlow = 0;
    for (int i = 0; i < length; ++i) {
        const double g = gust(i);
        rumble += (rumbleNoise.next() * 2 - 1 - rumble) * 0.06; // ~80 Hz low-pass
        rumbleSlow += (rumble - rumbleSlow) * 0.2;
        const double hollow = howl.step(howlNoise.next() * 2 - 1, 260 + 380 * g, 0.08);
        const double air = rush.step(rushNoise.next() * 2 - 1, 700 + 600 * g, 0.7);
        out[i] = (3.0 * rumbleSlow) * (0.35 + 0.8 * g) + 0.16 * hollow * (0.2 + g * g) +
                 0.10 * air * g * g * g;
    }
    return out;
}

// One chirp: a short sine sweep with a smooth envelope.
void chirp(std::vector<double>& out, double start, double duration, double fromHz, double toHz,
           double level) {
    const int first = static_cast<int>(start * AmbientRate);
    const int count = static_cast<int>(duration * AmbientRate);
    double phase = 0;
    for (int k = 0; k < count && first + k < static_cast<int>(out.size()); ++k) {
        const double u = double(k) / count;
        const double frequency = fromHz + (toHz - fromHz) * u + 60 * std::sin(u * 40);
        phase += 2 * Pi * frequency / AmbientRate;
        const double envelope = std::pow(std::sin(Pi * u), 2);
        out[first + k] += level * envelope * std::sin(phase);
    }
}

// Distant birds: a few short songs spread over the loop, away from the join.
std::vector<double> birds(int length) {
    std::vector<double> out(length, 0.0);
    Scatter random(777);
    const double songs[] = {1.2, 3.9, 6.1, 8.8, 11.4, 13.6};
    for (std::size_t s = 0; s < std::size(songs); ++s) {
        double t = songs[s] + random.range(-0.2f, 0.2f);
        const double level = random.range(0.16f, 0.24f);
        if (s % 2 == 0) { // a short trill of rising chirps
            const int notes = 3 + static_cast<int>(random.next() * 4);
            for (int n = 0; n < notes; ++n, t += random.range(0.09f, 0.14f))
                chirp(out, t, 0.06, 2600 + 120 * n, 3300 + 80 * n, level);
        } else { // a falling whistle answered once
            chirp(out, t, 0.32, 3400, 2300, level);
            chirp(out, t + 0.45, 0.22, 3100, 2500, level * 0.8);
        }
    }
    // Distance: soften and add two faint echoes from the slopes.
    std::vector<double> soft(length, 0.0);
    double state = 0;
    for (int i = 0; i < length; ++i) {
        state += (out[i] - state) * 0.55;
        soft[i] = state;
    }
    for (int i = length - 1; i >= 0; --i) {
        if (i >= 520) soft[i] += 0.30 * soft[i - 520];
        if (i >= 1100) soft[i] += 0.15 * soft[i - 1100];
    }
    return soft;
}

} // namespace

std::vector<std::uint8_t> ambientSound() {
    // Render past the end, then fade the overrun into the start: sample N-1 is
    // followed by what was rendered after it, so the loop has no seam.
    const int length = AmbientSamples + Crossfade;
    std::vector<double> signal = wind(length);
    const std::vector<double> song = birds(length);
    for (int i = 0; i < length; ++i)
        signal[i] += song[i];
    std::vector<double> loop(signal.begin(), signal.begin() + AmbientSamples);
    for (int i = 0; i < Crossfade; ++i) {
        const double w = (i + 0.5) / Crossfade * Pi / 2;
        loop[i] = signal[i] * std::sin(w) + signal[AmbientSamples + i] * std::cos(w);
    }
    double peak = 1e-9;
    for (double v : loop)
        peak = std::max(peak, std::abs(v));
    Scatter dither(99);
    std::vector<std::uint8_t> samples(AmbientSamples);
    for (int i = 0; i < AmbientSamples; ++i) {
        const double tpdf = dither.next() - dither.next();
        const double value = 128 + loop[i] / peak * 100 + tpdf;
        samples[i] = static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
    }
    return samples;
}
