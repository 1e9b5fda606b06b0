/* The sound library's interface: plain C calls, loaded by the game at run
 * time. Every call takes and returns 32-bit integers except for the window
 * handle and the WAV image. Id 0 always means "no sound" and is ignored.
 * Calls return 1 on success and 0 when nothing was done: an unknown or freed
 * id, id 0, or any call while the device is not open.
 * With KORVANU_SOUND_TRACE=1 in the environment every call and its answer is
 * written to stderr, as "korvanu-sound: dsFree(3) = 1". */
#ifndef KORVANU_SOUND_H
#define KORVANU_SOUND_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Opens the audio device. Returns a device handle, 0 when there is none.
 * While the device is open, calling it again returns the same handle. The
 * window handle is not needed on this platform and is ignored. */
int32_t dsInitialize(intptr_t window);
/* Frees every remaining buffer and closes the device. A handle other than
 * the open one is refused. */
int32_t dsTerminate(int32_t device);
/* Makes a sound buffer from a complete WAV file image of `length` bytes held
 * in memory; the library keeps its own copy. Returns the buffer id, 0 when the
 * device is 0 or the image is empty, truncated or not a WAV the library reads
 * (8- or 16-bit PCM, mono or stereo, fmt chunk before a non-empty data chunk).
 * The image is never read past `length`.
 * Flags: 1 marks background music, which plays at three quarters of full
 * volume so effects stand out over it. Every sound keeps its own samples at
 * its own rate and is brought to the device's as it plays, so it costs no
 * more memory than its image (twice that for 8-bit samples). One music plays
 * at a time, and starting one ends the one playing. 3 (an effect) and any
 * other value play at full volume. Ids are positive and never reused. */
int32_t dsCreateDSB(int32_t device, const void* image, int32_t length, int32_t flags);
/* Plays the sound once without waiting; several effects may play at once and
 * an effect may overlap itself. */
int32_t dsPlay(int32_t id);
/* Plays the sound over and over until dsStop or dsFree. */
int32_t dsPlayLooping(int32_t id);
/* Stops every playing instance of the sound. */
int32_t dsStop(int32_t id);
/* Stops the sound and releases its buffer; the id is then unknown. */
int32_t dsFree(int32_t id);

typedef int32_t (*dsInitialize_fn)(intptr_t);
typedef int32_t (*dsTerminate_fn)(int32_t);
typedef int32_t (*dsCreateDSB_fn)(int32_t, const void*, int32_t, int32_t);
typedef int32_t (*dsId_fn)(int32_t);

#ifdef __cplusplus
}
#endif

#endif
