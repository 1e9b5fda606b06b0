// The few sounds playing at once, mixed into the device's buffer. Holds no
// sound data of its own, only which sound each voice plays and how far it
// has got; knows nothing of SDL. `mix` runs on the audio thread and every
// other call on the game's, so the caller holds the device lock round each
// call and keeps a playing Pcm alive until `stop` has released it.
#ifndef KORVANU_MIXER_H
#define KORVANU_MIXER_H

#include <array>
#include <cstddef>
#include <cstdint>

#include "wav_image.h"

namespace korvanu::sound {

class Mixer {
public:
  static constexpr int kFullVolume = 128;
  static constexpr std::size_t kEffectVoices = 16; // plenty of overlapping effects

  // Starts over, silent, for an output of `rate` frames a second.
  void reset(int rate);
  // Starts `pcm` on an idle effect voice; false when every one is busy.
  bool playEffect(std::int32_t id, const Pcm& pcm, bool looping);
  // Starts `pcm` as the music, ending whatever music was playing.
  void playMusic(std::int32_t id, const Pcm& pcm, bool looping, int volume);
  // Silences every voice playing `id`, the music's included.
  void stop(std::int32_t id);
  // Writes `frames` frames of signed 16-bit stereo, silence where nothing plays.
  void mix(std::int16_t* out, std::size_t frames);

private:
  struct Voice {
    const Pcm* pcm = nullptr; // idle when null
    std::int32_t id = 0;
    bool looping = false;
    int volume = kFullVolume;
    std::uint64_t position = 0; // in source frames, 32.32 fixed point
    std::uint64_t step = 0;     // source frames per output frame, 32.32
  };
  static constexpr std::size_t kBlockFrames = 256;
  using Block = std::array<std::int32_t, kBlockFrames * 2>;

  Voice start(std::int32_t id, const Pcm& pcm, bool looping, int volume) const;
  static void add(Voice& voice, Block& sum, std::size_t frames);

  int rate_ = 44100;
  std::array<Voice, kEffectVoices> effects_{};
  Voice music_{};
};

} // namespace korvanu::sound

#endif
