// Background music: eight bars in the yo scale on D (D E G A B), a koto-like
// pluck over a soft bass and an open-fifth drone. Every voice is mixed
// circularly, so whatever rings past the last bar sounds again at the start
// and the loop has no seam.
#include <cmath>
#include <numbers>
#include <utility>

#include "sounds.h"

namespace korvanu::wavgen {
namespace {

constexpr int kRate = 22050;
constexpr int kBpm = 70;
constexpr int kEighthsPerBar = 8;
constexpr int kBars = 8;
constexpr std::size_t kFramesPerEighth = kRate * 60 / kBpm / 2; // exact at this tempo
static_assert(kRate * 60 % (kBpm * 2) == 0, "an eighth must be a whole number of frames");
constexpr std::size_t kLoopFrames = kFramesPerEighth * kEighthsPerBar * kBars;
constexpr float kPeak = 0.4f; // well under the effects, which peak near full scale

// A phrase is written as (MIDI note, length in eighths); note 0 is a rest.
struct Step {
  int midi;
  int eighths;
};

constexpr Step kMelody[] = {
    {69, 2}, {71, 1}, {69, 1}, {67, 2}, {64, 2}, // A B A G E
    {62, 3}, {64, 1}, {67, 4},                   // D E G
    {69, 2}, {74, 2}, {71, 1}, {69, 1}, {67, 2}, // A D' B A G
    {69, 6}, {0, 2},                             // A
    {74, 2}, {76, 1}, {74, 1}, {71, 2}, {69, 2}, // D' E' D' B A
    {67, 2}, {69, 1}, {67, 1}, {64, 4},          // G A G E
    {62, 2}, {64, 2}, {67, 2}, {71, 1}, {69, 1}, // D E G B A
    {62, 6}, {0, 2},                             // D
};

constexpr Step kBass[] = {
    {38, 4}, {45, 4}, {43, 4}, {38, 4}, {45, 4}, {43, 4}, {45, 4}, {40, 4},
    {43, 4}, {35, 4}, {43, 4}, {40, 4}, {38, 4}, {45, 4}, {38, 8},
};

double midiHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Koto-ish: slightly stretched partials, the upper ones fading first.
Buffer pluck(double hz, double seconds) {
  Buffer note(frames(kRate, seconds + 0.9));
  for (int k = 1; k <= 6; ++k) {
    const double stretch = 1.0 + 0.0008 * k * k;
    addStruck(note, kRate, 0, hz * k * stretch, std::pow(k, -1.4), 0.003, 1.4 / (0.6 + 0.8 * k));
  }
  fadeOut(note, kRate, 0.35);
  return note;
}

// A round, soft bass: sine plus a little octave, slow to speak.
Buffer bassNote(double hz, double seconds) {
  Buffer note(frames(kRate, seconds + 0.3));
  addStruck(note, kRate, 0, hz, 1.0, 0.04, 1.2);
  addStruck(note, kRate, 0, 2.0 * hz, 0.25, 0.04, 0.6);
  fadeOut(note, kRate, 0.3);
  return note;
}

template <std::size_t N>
void play(Buffer& out, const Step (&phrase)[N], Buffer (*voice)(double, double), float gain) {
  std::size_t at = 0;
  for (const Step& step : phrase) {
    if (step.midi != 0) {
      const double seconds = double(step.eighths * kFramesPerEighth) / kRate;
      mixInto(out, voice(midiHz(step.midi), seconds), at, gain, true);
    }
    at += step.eighths * kFramesPerEighth;
  }
}

// D3 and A3 held throughout, breathing once every two bars. Frequencies are
// nudged to a whole number of cycles per loop so the drone joins itself.
void addDrone(Buffer& out) {
  const double loopSeconds = double(out.size()) / kRate;
  const double breaths = kBars / 2.0;
  for (double hz : {midiHz(50), midiHz(57)}) {
    const double cycles = std::round(hz * loopSeconds);
    for (std::size_t i = 0; i < out.size(); ++i) {
      const double pos = double(i) / double(out.size());
      const double swell = 0.75 + 0.25 * std::sin(2.0 * std::numbers::pi * breaths * pos);
      out[i] += float(0.08 * swell * std::sin(2.0 * std::numbers::pi * cycles * pos));
    }
  }
}

} // namespace

Sound renderBgm() {
  Buffer melody(kLoopFrames);
  play(melody, kMelody, pluck, 0.5f);

  Buffer out(kLoopFrames);
  mixInto(out, melody, 0, 1.0f, true);
  // Two quiet echoes a dotted quarter apart give the pluck some room.
  mixInto(out, melody, 3 * kFramesPerEighth, 0.28f, true);
  mixInto(out, melody, 6 * kFramesPerEighth, 0.12f, true);
  play(out, kBass, bassNote, 0.35f);
  addDrone(out);

  removeMean(out);
  normalize(out, kPeak);
  return {kRate, std::move(out)};
}

} // namespace korvanu::wavgen
