#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvanu::wavgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Smooths the jump of a naive saw/square one sample either side of it.
double polyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

double onePoleCoefficient(double cutoffHz, int rate) {
  return 1.0 - std::exp(-kTwoPi * cutoffHz / rate);
}

} // namespace

std::size_t frames(int rate, double seconds) {
  return static_cast<std::size_t>(std::lround(seconds * rate));
}

float Noise::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return float(double(state_) / 2147483648.0 - 1.0);
}

double Oscillator::advance(double cycles) {
  const double now = phase_;
  phase_ += cycles;
  phase_ -= std::floor(phase_);
  return now;
}

float Oscillator::saw(double cycles) {
  const double t = advance(cycles);
  return float(2.0 * t - 1.0 - polyBlep(t, cycles));
}

float Oscillator::square(double cycles) {
  const double t = advance(cycles);
  double value = t < 0.5 ? 1.0 : -1.0;
  value += polyBlep(t, cycles);
  value -= polyBlep(std::fmod(t + 0.5, 1.0), cycles);
  return float(value);
}

float OnePole::lowpass(float x, double cutoffHz, int rate) {
  state_ += float(onePoleCoefficient(cutoffHz, rate)) * (x - state_);
  return state_;
}

float OnePole::highpass(float x, double cutoffHz, int rate) {
  return x - lowpass(x, cutoffHz, rate);
}

Biquad Biquad::lowpass(int rate, double hz, double q) {
  const double w = kTwoPi * hz / rate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  Biquad f;
  f.b0_ = (1.0 - std::cos(w)) / 2.0 / a0;
  f.b1_ = (1.0 - std::cos(w)) / a0;
  f.b2_ = f.b0_;
  f.a1_ = -2.0 * std::cos(w) / a0;
  f.a2_ = (1.0 - alpha) / a0;
  return f;
}

Biquad Biquad::bandpass(int rate, double hz, double q) {
  const double w = kTwoPi * hz / rate;
  const double alpha = std::sin(w) / (2.0 * q);
  const double a0 = 1.0 + alpha;
  Biquad f;
  f.b0_ = alpha / a0;
  f.b1_ = 0.0;
  f.b2_ = -alpha / a0;
  f.a1_ = -2.0 * std::cos(w) / a0;
  f.a2_ = (1.0 - alpha) / a0;
  return f;
}

float Biquad::process(float x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return float(y);
}

double strike(double t, double attack, double decay) {
  if (t < 0.0) return 0.0;
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

void addStruck(Buffer& out, int rate, std::size_t start, double hz, double amp, double attack,
               double decay) {
  for (std::size_t i = start; i < out.size(); ++i) {
    const double t = double(i - start) / rate;
    out[i] += float(amp * strike(t, attack, decay) * std::sin(kTwoPi * hz * t));
  }
}

void mixInto(Buffer& out, const Buffer& src, std::size_t offset, float gain, bool wrap) {
  if (out.empty()) return;
  for (std::size_t i = 0; i < src.size(); ++i) {
    std::size_t at = offset + i;
    if (at >= out.size()) {
      if (!wrap) break;
      at %= out.size();
    }
    out[at] += src[i] * gain;
  }
}

void fadeOut(Buffer& buf, int rate, double seconds) {
  const std::size_t n = std::min(buf.size(), frames(rate, seconds));
  for (std::size_t i = 0; i < n; ++i) buf[buf.size() - 1 - i] *= float(i) / float(n);
}

void blockDc(Buffer& buf, int rate, double hz) {
  OnePole filter;
  for (float& x : buf) x = filter.highpass(x, hz, rate);
}

void removeMean(Buffer& buf) {
  if (buf.empty()) return;
  double sum = 0.0;
  for (float x : buf) sum += x;
  const float mean = float(sum / double(buf.size()));
  for (float& x : buf) x -= mean;
}

void normalize(Buffer& buf, float peak) {
  float largest = 0.0f;
  for (float x : buf) largest = std::max(largest, std::fabs(x));
  if (largest <= 0.0f) return;
  const float gain = peak / largest;
  for (float& x : buf) x *= gain;
}

} // namespace korvanu::wavgen
