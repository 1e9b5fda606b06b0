// The building blocks the sound recipes are made of. Everything works on mono
// float buffers in [-1, 1]; nothing here depends on the clock or on global
// state, so a recipe renders the same samples every time.
#ifndef KORVANU_WAVGEN_SYNTH_H
#define KORVANU_WAVGEN_SYNTH_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvanu::wavgen {

using Buffer = std::vector<float>;

struct Sound {
  int rate = 0;
  Buffer samples;
  double seconds() const { return rate > 0 ? double(samples.size()) / rate : 0.0; }
};

std::size_t frames(int rate, double seconds);

// White noise from a fixed seed (xorshift32), uniform in [-1, 1).
class Noise {
public:
  explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
  float next();

private:
  std::uint32_t state_;
};

// Band-limited saw and square (PolyBLEP), so low buzzes do not alias.
class Oscillator {
public:
  // `cycles` is frequency / rate for the sample about to be produced.
  float saw(double cycles);
  float square(double cycles);

private:
  double advance(double cycles);
  double phase_ = 0.0;
};

// One-pole low-pass whose cutoff may change every sample (for sweeps).
class OnePole {
public:
  float lowpass(float x, double cutoffHz, int rate);
  float highpass(float x, double cutoffHz, int rate);

private:
  float state_ = 0.0f;
};

// RBJ biquad with fixed coefficients.
class Biquad {
public:
  static Biquad lowpass(int rate, double hz, double q);
  static Biquad bandpass(int rate, double hz, double q);
  float process(float x);

private:
  double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Linear rise over `attack` seconds, then exponential fall with time constant
// `decay`: the shape of anything struck or plucked.
double strike(double t, double attack, double decay);

// Adds a sine of `hz` shaped by strike() starting at frame `start`, cut off
// at the end of the buffer.
void addStruck(Buffer& out, int rate, std::size_t start, double hz, double amp, double attack,
               double decay);

// Adds `src` times `gain` at `offset`. With `wrap` the part past the end
// continues from the start, which keeps a looping buffer seamless.
void mixInto(Buffer& out, const Buffer& src, std::size_t offset, float gain, bool wrap);

// Linear ramp down over the last `seconds`, so the sound ends at zero.
void fadeOut(Buffer& buf, int rate, double seconds);

// Filters out DC and subsonic drift (one-pole high-pass at `hz`).
void blockDc(Buffer& buf, int rate, double hz);
// Subtracts the mean: DC removal that keeps a loop's ends matching.
void removeMean(Buffer& buf);
// Scales so the largest magnitude equals `peak`.
void normalize(Buffer& buf, float peak);

} // namespace korvanu::wavgen

#endif
