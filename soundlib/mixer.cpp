#include "mixer.h"

#include <algorithm>

namespace korvanu::sound {
namespace {

constexpr int kFractionBits = 32;
constexpr std::uint64_t kFractionMask = (std::uint64_t(1) << kFractionBits) - 1;

} // namespace

void Mixer::reset(int rate) {
  rate_ = rate;
  effects_.fill(Voice{});
  music_ = Voice{};
}

Mixer::Voice Mixer::start(std::int32_t id, const Pcm& pcm, bool looping, int volume) const {
  Voice voice;
  voice.pcm = &pcm;
  voice.id = id;
  voice.looping = looping;
  voice.volume = volume;
  voice.step = (std::uint64_t(pcm.rate) << kFractionBits) / std::uint64_t(rate_);
  return voice;
}

bool Mixer::playEffect(std::int32_t id, const Pcm& pcm, bool looping) {
  const auto idle = std::find_if(effects_.begin(), effects_.end(),
                                 [](const Voice& v) { return v.pcm == nullptr; });
  if (idle == effects_.end()) return false;
  *idle = start(id, pcm, looping, kFullVolume);
  return true;
}

void Mixer::playMusic(std::int32_t id, const Pcm& pcm, bool looping, int volume) {
  music_ = start(id, pcm, looping, volume);
}

void Mixer::stop(std::int32_t id) {
  for (Voice& voice : effects_) {
    if (voice.id == id) voice = Voice{};
  }
  if (music_.id == id) music_ = Voice{};
}

// Reads the sound at its own rate by linear interpolation between neighbouring
// frames; a loop interpolates across its seam, so it goes round without a click.
void Mixer::add(Voice& voice, Block& sum, std::size_t frames) {
  const Pcm& pcm = *voice.pcm;
  const std::size_t length = pcm.frames();
  const std::size_t channels = std::size_t(pcm.channels);
  const std::size_t right = channels - 1; // mono feeds both sides
  const std::uint64_t end = std::uint64_t(length) << kFractionBits;
  for (std::size_t i = 0; i < frames; ++i) {
    if (voice.position >= end) {
      if (!voice.looping) {
        voice = Voice{};
        return;
      }
      voice.position %= end;
    }
    const std::size_t at = std::size_t(voice.position >> kFractionBits);
    const std::size_t next = at + 1 < length ? at + 1 : (voice.looping ? 0 : at);
    const std::int64_t fraction = std::int64_t(voice.position & kFractionMask);
    for (std::size_t side = 0; side < 2; ++side) {
      const std::size_t channel = side == 0 ? 0 : right;
      const std::int32_t a = pcm.samples[at * channels + channel];
      const std::int32_t b = pcm.samples[next * channels + channel];
      const auto value = std::int32_t(a + ((std::int64_t(b - a) * fraction) >> kFractionBits));
      sum[2 * i + side] += value * voice.volume;
    }
    voice.position += voice.step;
  }
}

void Mixer::mix(std::int16_t* out, std::size_t frames) {
  Block sum;
  while (frames > 0) {
    const std::size_t block = std::min(frames, kBlockFrames);
    std::fill_n(sum.begin(), 2 * block, 0);
    for (Voice& voice : effects_) {
      if (voice.pcm != nullptr) add(voice, sum, block);
    }
    if (music_.pcm != nullptr) add(music_, sum, block);
    for (std::size_t i = 0; i < 2 * block; ++i) {
      *out++ = std::int16_t(std::clamp(sum[i] / kFullVolume, -32768, 32767));
    }
    frames -= block;
  }
}

} // namespace korvanu::sound
