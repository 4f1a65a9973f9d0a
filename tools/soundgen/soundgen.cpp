// soundgen: synthesises the game's music and sound effects as WAV files.
//
// Every sample is computed from code and fixed noise seeds, so running the
// program again gives the same files: the sounds can be tuned here and
// regenerated instead of being edited by hand.
//
// Usage: soundgen <output-folder>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int kSampleRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;
/// A waveform of one period: phase in cycles, result in [-1, 1].
using Wave = double (*)(double);

std::size_t samplesFor(double seconds) {
  return static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

double timeOf(std::size_t index) { return static_cast<double>(index) / kSampleRate; }

// ---------------------------------------------------------------- oscillators

double sine(double phase) { return std::sin(2.0 * kPi * phase); }

double square(double phase) { return phase - std::floor(phase) < 0.5 ? 1.0 : -1.0; }

// A quarter-duty pulse: thinner and more nasal than a square, the classic
// lead voice of old sound chips.
double pulse25(double phase) { return phase - std::floor(phase) < 0.25 ? 1.0 : -1.0; }

double triangle(double phase) { return 4.0 * std::abs(phase - std::floor(phase) - 0.5) - 1.0; }

// A xorshift generator: tiny and bit-identical on every platform, unlike
// the standard distributions, whose output may differ between libraries.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state(seed) {}

  /// The next value, evenly spread over [-1, 1].
  double next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state / 2147483647.5 - 1.0;
  }

 private:
  std::uint32_t state;
};

// A tone whose pitch glides exponentially from `from` to `to` Hz (which the
// ear hears as an even slide), with an optional vibrato whose depth is a
// fraction of the pitch. The phase is accumulated so the glide never jumps.
Buffer glide(Wave wave, double seconds, double from, double to, double vibrato_hz = 0.0,
             double vibrato_depth = 0.0) {
  Buffer out(samplesFor(seconds));
  double phase = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const double progress = static_cast<double>(i) / static_cast<double>(out.size());
    const double wobble = 1.0 + vibrato_depth * sine(vibrato_hz * timeOf(i));
    out[i] = wave(phase);
    phase += from * std::pow(to / from, progress) * wobble / kSampleRate;
  }
  return out;
}

Buffer tone(Wave wave, double seconds, double hz) { return glide(wave, seconds, hz, hz); }

Buffer whiteNoise(double seconds, std::uint32_t seed) {
  Noise noise(seed);
  Buffer out(samplesFor(seconds));
  for (double& sample : out) sample = noise.next();
  return out;
}

// Noise that picks a new random level at a rate gliding from `from` to `to`
// Hz: a falling rate sounds like pitched, crunchy noise dropping in pitch.
Buffer steppedNoise(double seconds, double from, double to, std::uint32_t seed) {
  Noise noise(seed);
  Buffer out(samplesFor(seconds));
  double phase = 1.0;
  double level = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (phase >= 1.0) {
      phase -= std::floor(phase);
      level = noise.next();
    }
    out[i] = level;
    const double progress = static_cast<double>(i) / static_cast<double>(out.size());
    phase += from * std::pow(to / from, progress) / kSampleRate;
  }
  return out;
}

// ------------------------------------------------------------------ shaping

// Rises linearly over `attack` seconds, then decays exponentially with time
// constant `decay`. The last 5 ms always fade to zero, so that no sound
// stops on a click.
void envelope(Buffer& buffer, double attack, double decay) {
  const std::size_t fade = std::min(samplesFor(0.005), buffer.size());
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    const double t = timeOf(i);
    double gain = t < attack ? t / attack : std::exp(-(t - attack) / decay);
    const std::size_t left = buffer.size() - i;
    if (left < fade) gain *= static_cast<double>(left) / static_cast<double>(fade);
    buffer[i] *= gain;
  }
}

// Fast amplitude wobble: turns a steady tone into a shimmer.
void tremolo(Buffer& buffer, double hz, double depth) {
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    buffer[i] *= 1.0 - depth * 0.5 * (1.0 + sine(hz * timeOf(i)));
  }
}

// One-pole low-pass: dulls noise into a thud or a rumble.
void lowPass(Buffer& buffer, double cutoff_hz) {
  const double alpha = 1.0 - std::exp(-2.0 * kPi * cutoff_hz / kSampleRate);
  double state = 0.0;
  for (double& sample : buffer) {
    state += alpha * (sample - state);
    sample = state;
  }
}

// What the low-pass takes away: keeps only the bright, clicky part.
void highPass(Buffer& buffer, double cutoff_hz) {
  Buffer low = buffer;
  lowPass(low, cutoff_hz);
  for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] -= low[i];
}

// Holds each sample for `hold` samples and rounds it to a few levels: the
// gritty, lo-fi sound of old hardware.
void crush(Buffer& buffer, std::size_t hold, double levels) {
  double held = 0.0;
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    if (i % hold == 0) held = std::round(buffer[i] * levels) / levels;
    buffer[i] = held;
  }
}

// Adds `part`, scaled by `gain`, from sample `at` on, growing `into` as needed.
void mix(Buffer& into, const Buffer& part, std::size_t at, double gain = 1.0) {
  if (into.size() < at + part.size()) into.resize(at + part.size(), 0.0);
  for (std::size_t i = 0; i < part.size(); ++i) into[at + i] += gain * part[i];
}

// Like mix(), but whatever runs past the end comes back in at the start, so
// that a looping piece has neither a gap nor a click at the seam.
void mixLooped(Buffer& into, const Buffer& part, std::size_t at, double gain) {
  for (std::size_t i = 0; i < part.size(); ++i) into[(at + i) % into.size()] += gain * part[i];
}

// Scales the buffer so its loudest sample reaches `peak`, whatever the mix
// gains added up to.
void normalize(Buffer& buffer, double peak) {
  double loudest = 0.0;
  for (double sample : buffer) loudest = std::max(loudest, std::abs(sample));
  if (loudest == 0.0) return;
  for (double& sample : buffer) sample *= peak / loudest;
}

// ------------------------------------------------------------ sound effects

// A gunshot: a bright noise crack over a low falling thump, both gone within
// a tenth of a second.
Buffer fire() {
  Buffer shot = whiteNoise(0.35, 0x0F17E001u);
  lowPass(shot, 5000.0);
  envelope(shot, 0.001, 0.035);
  Buffer thump = glide(sine, 0.35, 160.0, 45.0);
  envelope(thump, 0.001, 0.06);
  mix(shot, thump, 0, 0.9);
  normalize(shot, 0.9);
  return shot;
}

// One metallic click: a high-passed noise tick plus two ringing partials
// at an inharmonic ratio, which the ear takes for struck metal.
Buffer click(double hz, std::uint32_t seed) {
  Buffer tick = whiteNoise(0.07, seed);
  highPass(tick, 3000.0);
  envelope(tick, 0.0, 0.004);
  Buffer ring = tone(square, 0.07, hz);
  mix(ring, tone(sine, 0.07, hz * 2.76), 0, 0.6);
  envelope(ring, 0.0, 0.012);
  mix(tick, ring, 0, 0.35);
  return tick;
}

// Two clicks: the magazine out, then in, a little higher.
Buffer reload() {
  Buffer out(samplesFor(0.42), 0.0);
  mix(out, click(1900.0, 0x2E10AD01u), 0);
  mix(out, click(2600.0, 0x2E10AD02u), samplesFor(0.22));
  normalize(out, 0.8);
  return out;
}

// An icy sweep: three sine partials gliding upwards, a fast tremolo for the
// shimmer, and a hiss of very high noise like frost.
Buffer freeze() {
  const double seconds = 0.9;
  Buffer out = glide(sine, seconds, 900.0, 2400.0);
  mix(out, glide(sine, seconds, 1355.0, 3610.0), 0, 0.6);
  mix(out, glide(sine, seconds, 1810.0, 4830.0), 0, 0.4);
  tremolo(out, 16.0, 0.7);
  Buffer frost = whiteNoise(seconds, 0x0F2EE2E1u);
  highPass(frost, 6000.0);
  mix(out, frost, 0, 0.35);
  envelope(out, 0.15, 0.3);
  normalize(out, 0.7);
  return out;
}

// A soft thud: dull noise over a low sine bump, short and quiet because it
// repeats all the time while walking.
Buffer footsteps() {
  Buffer step = whiteNoise(0.16, 0x57E9F007u);
  lowPass(step, 400.0);
  envelope(step, 0.003, 0.025);
  Buffer bump = glide(sine, 0.16, 110.0, 55.0);
  envelope(bump, 0.003, 0.035);
  mix(step, bump, 0, 0.25);
  normalize(step, 0.5);
  return step;
}

// A rising blip: a square sliding up over about an octave and a half.
Buffer jump() {
  Buffer blip = glide(square, 0.22, 280.0, 820.0);
  envelope(blip, 0.005, 0.12);
  normalize(blip, 0.5);
  return blip;
}

// A sad fall: a soft triangle with a slow vibrato drooping two octaves,
// doubled an octave down so it sounds heavier.
Buffer playerDeath() {
  const double seconds = 0.95;
  Buffer fall = glide(triangle, seconds, 523.0, 131.0, 6.0, 0.03);
  mix(fall, glide(sine, seconds, 261.5, 65.5, 6.0, 0.03), 0, 0.5);
  envelope(fall, 0.01, 0.45);
  normalize(fall, 0.8);
  return fall;
}

// A short harsh buzz: two low squares a few hertz apart (their beating
// grates) with noise, crushed to lo-fi.
Buffer playerHurt() {
  Buffer buzz = tone(square, 0.25, 98.0);
  mix(buzz, tone(square, 0.25, 104.0), 0, 0.8);
  mix(buzz, whiteNoise(0.25, 0x0B022001u), 0, 0.5);
  crush(buzz, 3, 4.0);
  envelope(buzz, 0.002, 0.09);
  normalize(buzz, 0.75);
  return buzz;
}

// A descending crunch: stepped noise whose rate falls, over a square
// sliding down, crushed so it breaks up.
Buffer enemyDeath() {
  const double seconds = 0.55;
  Buffer crunch = steppedNoise(seconds, 9000.0, 300.0, 0x0DEAD0E1u);
  mix(crunch, glide(square, seconds, 500.0, 60.0), 0, 0.45);
  crush(crunch, 2, 6.0);
  envelope(crunch, 0.002, 0.18);
  normalize(crunch, 0.8);
  return crunch;
}

double midiToHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A bright jingle: a rising major arpeggio (C E G C E) of plucked pulse
// notes doubled by a triangle an octave up; the last note rings longest.
Buffer openChest() {
  const int notes[] = {84, 88, 91, 96, 100};
  const double gap = 0.07;
  Buffer out(samplesFor(0.8), 0.0);
  for (std::size_t i = 0; i < std::size(notes); ++i) {
    const bool last = i + 1 == std::size(notes);
    const double seconds = last ? 0.8 - gap * static_cast<double>(i) : 0.25;
    Buffer note = tone(pulse25, seconds, midiToHz(notes[i]));
    mix(note, tone(triangle, seconds, midiToHz(notes[i] + 12)), 0, 0.5);
    envelope(note, 0.003, last ? 0.16 : 0.06);
    mix(out, note, samplesFor(gap * static_cast<double>(i)), 0.5);
  }
  normalize(out, 0.75);
  return out;
}

// -------------------------------------------------------------------- music

// One sixteenth note at about 120 beats a minute, rounded to whole samples
// so that the bars, and the loop, stay sample-exact.
constexpr std::size_t kStep = 2756;
constexpr std::size_t kStepsPerBar = 16;
constexpr std::size_t kBars = 8;

struct Note {
  int midi;           // 0 for a rest
  std::size_t steps;  // length in sixteenth notes
};

// Plays a line of notes one after the other, each a plucked `wave` note
// that decays with time constant `decay` and ends with its step.
void playLine(Buffer& song, const std::vector<Note>& line, Wave wave, double decay, double gain) {
  std::size_t at = 0;
  for (const Note& note : line) {
    const double seconds = timeOf(note.steps * kStep);
    if (note.midi != 0) {
      Buffer sound = tone(wave, seconds, midiToHz(note.midi));
      envelope(sound, 0.004, decay);
      mixLooped(song, sound, at, gain);
    }
    at += note.steps * kStep;
  }
}

// The tune, in A minor over Am F C G twice; the second time it varies.
std::vector<Note> melody() {
  return {
      {76, 2}, {81, 2}, {84, 2}, {83, 2}, {81, 4}, {76, 4},  // Am
      {77, 2}, {81, 2}, {84, 2}, {81, 2}, {77, 4}, {72, 4},  // F
      {79, 2}, {76, 2}, {72, 2}, {76, 2}, {79, 4}, {84, 4},  // C
      {86, 4}, {83, 2}, {79, 2}, {81, 2}, {83, 2}, {0, 4},   // G
      {81, 4}, {76, 2}, {81, 2}, {84, 4}, {83, 4},           // Am
      {81, 4}, {77, 2}, {81, 2}, {84, 6}, {0, 2},            // F
      {88, 4}, {86, 2}, {84, 2}, {79, 4}, {76, 4},           // C
      {74, 2}, {79, 2}, {83, 2}, {86, 2}, {83, 4}, {0, 4},   // G
  };
}

// The bass: each bar's root in eighth notes, jumping between two octaves.
std::vector<Note> bassLine() {
  const int roots[] = {45, 41, 48, 43};  // A, F, C, G
  std::vector<Note> line;
  for (std::size_t bar = 0; bar < kBars; ++bar) {
    for (int eighth = 0; eighth < 8; ++eighth) {
      line.push_back({roots[bar % 4] + (eighth % 2) * 12, 2});
    }
  }
  return line;
}

// Kick on beats one and three, snare on two and four, a closed hi-hat on
// every off-beat eighth: the usual backbeat under the tune.
void playDrums(Buffer& song) {
  Buffer kick = glide(sine, 0.12, 150.0, 45.0);
  envelope(kick, 0.001, 0.04);
  Buffer snare = whiteNoise(0.15, 0x5A2E0001u);
  lowPass(snare, 6000.0);
  mix(snare, tone(triangle, 0.15, 190.0), 0, 0.5);
  envelope(snare, 0.001, 0.045);
  Buffer hat = whiteNoise(0.04, 0x4A700001u);
  highPass(hat, 7000.0);
  envelope(hat, 0.0, 0.01);
  for (std::size_t bar = 0; bar < kBars; ++bar) {
    const std::size_t start = bar * kStepsPerBar * kStep;
    for (std::size_t step : {0, 8}) mixLooped(song, kick, start + step * kStep, 0.55);
    for (std::size_t step : {4, 12}) mixLooped(song, snare, start + step * kStep, 0.22);
    for (std::size_t step : {2, 6, 10, 14}) mixLooped(song, hat, start + step * kStep, 0.15);
  }
}

Buffer music() {
  Buffer song(kBars * kStepsPerBar * kStep, 0.0);
  playLine(song, melody(), pulse25, 0.35, 0.3);
  playLine(song, bassLine(), triangle, 0.2, 0.45);
  playDrums(song);
  normalize(song, 0.85);
  return song;
}

// ---------------------------------------------------------------- WAV output

void put16(std::ofstream& out, std::uint16_t value) {
  const char bytes[] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t value) {
  put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  put16(out, static_cast<std::uint16_t>(value >> 16));
}

// Writes 16-bit mono PCM: the 44-byte RIFF header, then the samples. Bytes
// are written one by one so the file is little-endian on any host.
bool writeWav(const std::string& path, const Buffer& samples) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return false;
  const std::uint32_t data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
  out.write("RIFF", 4);
  put32(out, 36 + data_bytes);
  out.write("WAVEfmt ", 8);
  put32(out, 16);               // size of the format chunk
  put16(out, 1);                // PCM
  put16(out, 1);                // mono
  put32(out, kSampleRate);      // samples a second
  put32(out, kSampleRate * 2);  // bytes a second
  put16(out, 2);                // bytes a sample frame
  put16(out, 16);               // bits a sample
  out.write("data", 4);
  put32(out, data_bytes);
  for (double sample : samples) {
    const long value = std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0);
    put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
  }
  out.flush();
  return out.good();
}

struct Piece {
  const char* file;
  Buffer (*make)();
};

const Piece kPieces[] = {
    {"music.wav", music},
    {"fire.wav", fire},
    {"reload.wav", reload},
    {"freeze.wav", freeze},
    {"footsteps.wav", footsteps},
    {"jump.wav", jump},
    {"player-death.wav", playerDeath},
    {"player-hurt.wav", playerHurt},
    {"enemy-death.wav", enemyDeath},
    {"open-chest.wav", openChest},
};

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: soundgen <output-folder>\n";
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::cerr << "soundgen: cannot create folder '" << folder << "': " << error.message() << "\n";
    return 1;
  }
  for (const Piece& piece : kPieces) {
    const std::string path = folder + "/" + piece.file;
    if (!writeWav(path, piece.make())) {
      std::cerr << "soundgen: cannot write '" << path << "'\n";
      return 1;
    }
  }
  return 0;
}
