// The four short effects. Each ends with a fade so it stops at exactly zero,
// and peaks a little under full scale.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "sounds.h"

namespace korvanu::wavgen {
namespace {

constexpr int kRate = 44100;
constexpr float kEffectPeak = 0.89f; // about -1 dBFS

Sound finish(Buffer samples, double fadeSeconds, float peak) {
  blockDc(samples, kRate, 20.0);
  fadeOut(samples, kRate, fadeSeconds);
  normalize(samples, peak);
  return {kRate, std::move(samples)};
}

// Bell partials: inharmonic ratios, the upper ones dying away first.
void addBell(Buffer& out, double seconds, double hz, double amp) {
  struct Partial {
    double ratio, amp, decay;
  };
  constexpr Partial kPartials[] = {
      {1.0, 1.0, 0.42}, {2.0, 0.35, 0.22}, {2.76, 0.22, 0.14}, {5.40, 0.07, 0.05}};
  for (const Partial& p : kPartials) {
    addStruck(out, kRate, frames(kRate, seconds), hz * p.ratio, amp * p.amp, 0.002, p.decay);
  }
}

} // namespace

Sound renderChime() {
  Buffer out(frames(kRate, 0.85));
  addBell(out, 0.00, 659.26, 1.0); // E5
  addBell(out, 0.14, 987.77, 0.8); // B5, a fifth above
  return finish(std::move(out), 0.08, 0.8f);
}

Sound renderBuzzer() {
  constexpr double kSeconds = 0.4;
  Buffer out(frames(kRate, kSeconds));
  Oscillator low, beat, high;
  Biquad tone = Biquad::lowpass(kRate, 2600.0, 0.8);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const double bend = 1.0 - 0.06 * t / kSeconds; // sags a little: "no"
    const double hz = 110.0 * bend;
    const double gate = std::min(1.0, t / 0.005);
    const float x =
        low.saw(hz / kRate) + beat.saw(hz * 1.059 / kRate) + 0.4f * high.square(2.0 * hz / kRate);
    out[i] = float(gate) * tone.process(x);
  }
  return finish(std::move(out), 0.04, 0.7f);
}

Sound renderPieceClick() {
  Buffer out(frames(kRate, 0.16));
  // The snap of wood on wood: a very short band-passed noise burst.
  Noise noise(0x5eedc1c4u);
  Biquad snap = Biquad::bandpass(kRate, 2500.0, 1.2);
  Biquad bright = Biquad::bandpass(kRate, 5200.0, 2.0);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double env = strike(double(i) / kRate, 0.0005, 0.006);
    const float n = noise.next();
    out[i] = float(env) * (snap.process(n) + 0.4f * bright.process(n));
  }
  // The board answering: low, quickly damped resonances.
  addStruck(out, kRate, 0, 180.0, 0.9, 0.001, 0.025);
  addStruck(out, kRate, 0, 420.0, 0.45, 0.001, 0.015);
  addStruck(out, kRate, 0, 1150.0, 0.25, 0.0005, 0.008);
  return finish(std::move(out), 0.02, kEffectPeak);
}

Sound renderBlast() {
  constexpr double kSeconds = 1.4;
  Buffer out(frames(kRate, kSeconds));
  Noise noise(0xb1a57000u);
  OnePole crack, rumble, rumbleSmooth;
  double thumpPhase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / kRate;
    const float n = noise.next();
    // Bright at the burst, darkening as the debris settles.
    const double cutoff = 200.0 + 5000.0 * std::exp(-t / 0.18);
    const float burst = crack.lowpass(n, cutoff, kRate) * float(strike(t, 0.003, 0.28));
    const float low = rumbleSmooth.lowpass(rumble.lowpass(n, 140.0, kRate), 140.0, kRate);
    const float boom = 6.0f * low * float(strike(t, 0.01, 0.55));
    // A falling sine gives the blast its body.
    thumpPhase += (35.0 + 60.0 * std::exp(-t / 0.12)) / kRate;
    const float thump =
        float(std::sin(2.0 * std::numbers::pi * thumpPhase) * strike(t, 0.004, 0.22));
    out[i] = burst + boom + 0.8f * thump;
  }
  return finish(std::move(out), 0.15, kEffectPeak);
}

} // namespace korvanu::wavgen
