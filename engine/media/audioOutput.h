#ifndef MO_AUDIO_OUTPUT_H
#define MO_AUDIO_OUTPUT_H

namespace mo {

/// Whether an audio output device can be opened. Asked before the first
/// sound or music is loaded, while nothing holds the device; the answer
/// is kept until resetAudioOutputProbe(). Without a device, one line is
/// logged, and Sound and Music only check their files and stay silent:
/// the audio library, used without a device, fails on every call (a
/// playing music stream many times a frame) and corrupts its memory. When the
/// audio library cannot be probed the answer is true.
bool audioOutputAvailable();

/// Forgets the answer, so that the next call probes again; for tests.
void resetAudioOutputProbe();

}  // namespace mo

#endif
