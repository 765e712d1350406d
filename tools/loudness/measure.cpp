#include "measure.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>

#include <vorbis/vorbisfile.h>

#include "assets/sound.h"
#include "core/binio.h"
#include "core/files.h"

namespace measure {

namespace {

constexpr double PI = 3.14159265358979323846;

// One second-order section in direct form I.
struct Biquad {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double Run(double x) {
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

// The K-weighting of BS.1770 (a high shelf of about +4 dB above 1.5 kHz, the
// head's effect, then a high-pass near 38 Hz), designed for any sample rate
// from the analogue prototypes the standard's 48 kHz coefficients come from.
void KWeighting(int rate, Biquad& shelf, Biquad& highPass) {
  {
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    double k = std::tan(PI * f0 / rate);
    double vh = std::pow(10.0, gainDb / 20), vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1 + k / q + k * k;
    shelf = {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
             2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
  }
  {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    double k = std::tan(PI * f0 / rate);
    double a0 = 1 + k / q + k * k;
    highPass = {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
  }
}

// Mean square of the K-weighted signal, summed over the channels (all weighted
// 1: the game's sounds are mono or stereo), for every 400 ms block with 75 %
// overlap. `at(i, ch)` gives sample i of channel ch in -1..1. A sound shorter
// than one block counts as one block with silence after it.
template <typename At> std::vector<double> BlockPowers(size_t frames, int channels, int rate, At at) {
  const size_t hop = static_cast<size_t>(rate) / 10, block = 4 * hop;
  std::vector<double> powers;
  if (frames == 0 || hop == 0) return powers;
  // Mean squares of every 100 ms step; a block is four neighbouring steps.
  std::vector<double> steps(std::max<size_t>(frames / hop, 4), 0.0);
  for (int ch = 0; ch < channels; ++ch) {
    Biquad shelf{}, highPass{};
    KWeighting(rate, shelf, highPass);
    for (size_t i = 0; i < steps.size() * hop; ++i) {
      double y = highPass.Run(shelf.Run(i < frames ? at(i, ch) : 0.0));
      steps[i / hop] += y * y;
    }
  }
  for (size_t s = 0; s + 4 <= steps.size(); ++s)
    powers.push_back((steps[s] + steps[s + 1] + steps[s + 2] + steps[s + 3]) / static_cast<double>(block));
  return powers;
}

std::vector<double> BlockPowers(const Pcm& pcm) {
  const int16_t* data = pcm.samples.data();
  const int channels = pcm.channels;
  return BlockPowers(pcm.Frames(), channels, pcm.rate,
                     [=](size_t i, int ch) { return data[i * channels + ch] / 32768.0; });
}

double Loudness(double power) {
  return power > 0 ? -0.691 + 10 * std::log10(power) : -200;
}

double GatedLoudness(const std::vector<double>& powers) {
  // Absolute gate at -70 LUFS, then a relative gate 10 LU under the loudness of
  // the blocks that passed it.
  double sum = 0;
  size_t count = 0;
  for (double p : powers)
    if (Loudness(p) > -70) sum += p, ++count;
  if (count == 0) return -200;
  double relative = Loudness(sum / static_cast<double>(count)) - 10;
  sum = 0, count = 0;
  for (double p : powers)
    if (Loudness(p) > -70 && Loudness(p) > relative) sum += p, ++count;
  return count ? Loudness(sum / static_cast<double>(count)) : -200;
}

// Half of the 4x oversampling interpolator: 16 taps for each of the three
// in-between phases (a Blackman-Harris windowed sinc cut off at the original
// Nyquist frequency).
constexpr int TAPS = 16;
struct Interpolator {
  double h[3][TAPS];
  double gain[3]; // sum of |h|: the most a phase can exceed its input's peak
  Interpolator() {
    for (int p = 0; p < 3; ++p) {
      double frac = (p + 1) / 4.0;
      gain[p] = 0;
      for (int k = 0; k < TAPS; ++k) {
        double x = k - (TAPS / 2 - 1) - frac; // distance from the point wanted, in input samples
        double sinc = std::fabs(x) < 1e-12 ? 1 : std::sin(PI * x) / (PI * x);
        double w = (x + TAPS / 2.0) / TAPS; // 0..1 across the window
        double win = 0.35875 - 0.48829 * std::cos(2 * PI * w) + 0.14128 * std::cos(4 * PI * w) -
                     0.01168 * std::cos(6 * PI * w);
        h[p][k] = sinc * win;
        gain[p] += std::fabs(h[p][k]);
      }
    }
  }
};

size_t Wrap(long long i, size_t n) {
  long long m = static_cast<long long>(n);
  return static_cast<size_t>(((i % m) + m) % m);
}

// Radix-2 FFT in place; size a power of two.
void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    std::complex<double> step = std::polar(1.0, -2 * PI / static_cast<double>(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (size_t k = 0; k < len / 2; ++k) {
        std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= step;
      }
    }
  }
}

} // namespace

bool ParseWav(const std::vector<uint8_t>& bytes, Pcm& out, std::string& error) {
  out = Pcm{};
  ByteReader in(bytes);
  if (!in.Has(0, 12) || std::memcmp(bytes.data(), "RIFF", 4) || std::memcmp(bytes.data() + 8, "WAVE", 4)) {
    error = "not a RIFF/WAVE file";
    return false;
  }
  if (in.U32(4) != bytes.size() - 8) {
    error = "RIFF size " + std::to_string(in.U32(4)) + " for a file of " + std::to_string(bytes.size()) +
            " bytes";
    return false;
  }
  Pcm pcm;
  bool fmt = false, data = false;
  size_t off = 12;
  while (in.Has(off, 8)) {
    uint32_t size = in.U32(off + 4);
    if (!in.Has(off + 8, size)) {
      error = "a chunk runs past the end";
      return false;
    }
    if (!std::memcmp(bytes.data() + off, "fmt ", 4)) {
      if (size < 16 || in.U16(off + 8) != 1) {
        error = "not PCM";
        return false;
      }
      pcm.channels = in.U16(off + 10);
      pcm.rate = static_cast<int>(in.U32(off + 12));
      int bits = in.U16(off + 22);
      if (bits != 16) {
        error = std::to_string(bits) + " bits per sample, not 16";
        return false;
      }
      if (pcm.channels < 1 || pcm.channels > 2 || pcm.rate <= 0) {
        error = "bad channel count or rate";
        return false;
      }
      if (in.U16(off + 20) != pcm.channels * 2 ||
          in.U32(off + 16) != static_cast<uint32_t>(pcm.rate * pcm.channels * 2)) {
        error = "block align or byte rate disagrees with the format";
        return false;
      }
      fmt = true;
    } else if (!std::memcmp(bytes.data() + off, "data", 4)) {
      if (!fmt) {
        error = "data before fmt";
        return false;
      }
      size_t count = size / 2;
      pcm.samples.resize(count - count % static_cast<size_t>(pcm.channels));
      for (size_t i = 0; i < pcm.samples.size(); ++i)
        pcm.samples[i] = static_cast<int16_t>(in.U16(off + 8 + 2 * i));
      data = true;
    }
    off += 8 + size + (size & 1);
  }
  if (!fmt || !data) {
    error = "missing fmt or data chunk";
    return false;
  }
  out = std::move(pcm);
  return true;
}

bool ReadWav(const std::string& path, Pcm& out, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, &error)) return false;
  if (ParseWav(bytes, out, error)) return true;
  error = path + ": " + error;
  return false;
}

bool ReadOgg(const std::string& path, Pcm& out, std::string& error) {
  out = Pcm{};
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) {
    error = path + ": not a readable Ogg Vorbis file";
    return false;
  }
  vorbis_info* info = ov_info(&file, -1);
  out.rate = static_cast<int>(info->rate);
  out.channels = info->channels;
  ogg_int64_t total = ov_pcm_total(&file, -1);
  if (total > 0) out.samples.reserve(static_cast<size_t>(total) * static_cast<size_t>(out.channels));
  char buffer[16384];
  int section = 0;
  for (;;) {
    long got = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section);
    if (got == 0) break;
    if (got < 0) {
      ov_clear(&file);
      out = Pcm{};
      error = path + ": damaged Vorbis data";
      return false;
    }
    size_t at = out.samples.size();
    out.samples.resize(at + static_cast<size_t>(got / 2));
    int16_t* to = out.samples.data() + at;
    for (long i = 0; i + 1 < got; i += 2)
      *to++ =
          static_cast<int16_t>(static_cast<uint8_t>(buffer[i]) | (static_cast<uint8_t>(buffer[i + 1]) << 8));
  }
  ov_clear(&file);
  return true;
}

double AmplitudeDb(double linear) {
  return linear > 1e-10 ? 20 * std::log10(linear) : -200;
}
double PowerDb(double ratio) {
  return ratio > 1e-20 ? 10 * std::log10(ratio) : -200;
}

double IntegratedLoudness(const Pcm& pcm) {
  return GatedLoudness(BlockPowers(pcm));
}

double IntegratedLoudness(const float* left, const float* right, size_t frames, int rate) {
  return GatedLoudness(BlockPowers(frames, right ? 2 : 1, rate, [&](size_t i, int ch) {
    return static_cast<double>(ch ? right[i] : left[i]);
  }));
}

double MaxMomentaryLoudness(const Pcm& pcm) {
  double best = 0;
  for (double p : BlockPowers(pcm)) best = std::max(best, p);
  return Loudness(best);
}

double SamplePeak(const Pcm& pcm) {
  int peak = 0;
  for (int16_t v : pcm.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
  return AmplitudeDb(peak / 32768.0);
}

double TruePeak(const Pcm& pcm, bool looped) {
  static const Interpolator interp;
  const size_t n = pcm.Frames();
  if (n == 0) return -200;
  double peak = 0;
  for (int16_t v : pcm.samples) peak = std::max(peak, std::fabs(v / 32768.0));
  const double bound = std::max({interp.gain[0], interp.gain[1], interp.gain[2]});
  // Most of a loud track lies well under its peak: the largest magnitude of
  // each block of TAPS samples tells at once where no point in between can come
  // near it, and only the rest is oversampled.
  auto at = [&](long long j, int ch) {
    if (looped) return pcm.At(Wrap(j, n), ch);
    return j >= 0 && j < static_cast<long long>(n) ? pcm.At(static_cast<size_t>(j), ch) : 0.0;
  };
  const size_t blocks = n / TAPS + 1;
  std::vector<double> blockMax(blocks);
  double window[TAPS];
  for (int ch = 0; ch < pcm.channels; ++ch) {
    std::fill(blockMax.begin(), blockMax.end(), 0.0);
    for (size_t i = 0; i < n; ++i)
      blockMax[i / TAPS] = std::max(blockMax[i / TAPS], std::fabs(pcm.At(i, ch)));
    for (size_t i = 0; i < n; ++i) {
      // The points between sample i and i + 1 come from the TAPS samples around
      // them, which lie in at most three blocks (round the loop at the ends).
      size_t b = i / TAPS;
      double most = std::max(
          {blockMax[b], blockMax[b == 0 ? blocks - 1 : b - 1], blockMax[b + 1 == blocks ? 0 : b + 1]});
      if (i < TAPS || i + TAPS >= n) most = 1; // near the ends: look properly
      if (most * bound <= peak) continue;      // no phase can beat the peak found so far
      for (int k = 0; k < TAPS; ++k) window[k] = at(static_cast<long long>(i) + k - (TAPS / 2 - 1), ch);
      for (int p = 0; p < 3; ++p) {
        double y = 0;
        for (int k = 0; k < TAPS; ++k) y += interp.h[p][k] * window[k];
        peak = std::max(peak, std::fabs(y));
      }
    }
  }
  return AmplitudeDb(peak);
}

double SideToMid(const Pcm& pcm) {
  if (pcm.channels != 2) return -200;
  double mid = 0, side = 0;
  for (size_t i = 0; i < pcm.Frames(); ++i) {
    double l = pcm.At(i, 0), r = pcm.At(i, 1);
    mid += (l + r) * (l + r);
    side += (l - r) * (l - r);
  }
  return mid > 0 ? PowerDb(side / mid) : -200;
}

double TailPeak(const Pcm& pcm, double seconds) {
  size_t frames = pcm.Frames(), tail = static_cast<size_t>(seconds * pcm.rate);
  size_t from = frames > tail ? frames - tail : 0;
  int peak = 0;
  for (size_t i = from * pcm.channels; i < pcm.samples.size(); ++i)
    peak = std::max(peak, std::abs(static_cast<int>(pcm.samples[i])));
  return AmplitudeDb(peak / 32768.0);
}

double AudibleLength(const Pcm& pcm, double floorDb) {
  const double limit = 32768.0 * std::pow(10.0, floorDb / 20);
  for (size_t i = pcm.samples.size(); i-- > 0;)
    if (std::abs(static_cast<int>(pcm.samples[i])) > limit)
      return static_cast<double>(i / pcm.channels + 1) / pcm.rate;
  return 0;
}

double RmsLevel(const Pcm& pcm, size_t from, size_t to) {
  to = std::min(to, pcm.Frames());
  if (from >= to) return -200;
  double sum = 0;
  for (size_t i = from * pcm.channels; i < to * pcm.channels; ++i)
    sum += pcm.samples[i] / 32768.0 * (pcm.samples[i] / 32768.0);
  return PowerDb(sum / static_cast<double>((to - from) * pcm.channels));
}

double SpectralCentroid(const Pcm& pcm, size_t from, size_t to) {
  // Hann-windowed spectra of 4096 frames, their power summed over the range.
  const size_t size = 4096;
  to = std::min(to, pcm.Frames());
  std::vector<double> power(size / 2, 0.0);
  std::vector<std::complex<double>> buf(size);
  for (size_t start = from; start + size <= to; start += size / 2) {
    for (size_t k = 0; k < size; ++k) {
      double v = 0;
      for (int ch = 0; ch < pcm.channels; ++ch) v += pcm.At(start + k, ch);
      buf[k] = v * (0.5 - 0.5 * std::cos(2 * PI * static_cast<double>(k) / size));
    }
    Fft(buf);
    for (size_t k = 1; k < size / 2; ++k) power[k] += std::norm(buf[k]);
  }
  double weight = 0, total = 0;
  for (size_t k = 1; k < size / 2; ++k) {
    double hz = static_cast<double>(k) * pcm.rate / size;
    weight += hz * power[k];
    total += power[k];
  }
  return total > 0 ? weight / total : 0;
}

std::vector<double> SpectralPrint(const Pcm& pcm, size_t from, size_t length) {
  const size_t size = 2048;
  const int bands = PRINT_BANDS;
  std::vector<double> print;
  std::vector<std::complex<double>> buf(size);
  for (size_t start = from; start + size <= from + length && start + size <= pcm.Frames(); start += size) {
    for (size_t k = 0; k < size; ++k) {
      double v = 0;
      for (int ch = 0; ch < pcm.channels; ++ch) v += pcm.At(start + k, ch);
      buf[k] = v * (0.5 - 0.5 * std::cos(2 * PI * static_cast<double>(k) / size));
    }
    Fft(buf);
    std::vector<double> band(bands, 1e-12);
    for (size_t k = 1; k < size / 2; ++k) {
      double hz = static_cast<double>(k) * pcm.rate / size;
      int b = static_cast<int>(std::floor(3 * std::log2(hz / 40)));
      if (b >= 0 && b < bands) band[b] += std::norm(buf[k]);
    }
    for (double e : band) print.push_back(10 * std::log10(e));
  }
  return print;
}

double Correlate(const std::vector<double>& x, const std::vector<double>& y) {
  if (x.empty() || x.size() != y.size()) return 0;
  double mx = 0, my = 0;
  for (size_t i = 0; i < x.size(); ++i) mx += x[i], my += y[i];
  mx /= static_cast<double>(x.size()), my /= static_cast<double>(y.size());
  double xy = 0, xx = 0, yy = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    xy += (x[i] - mx) * (y[i] - my);
    xx += (x[i] - mx) * (x[i] - mx);
    yy += (y[i] - my) * (y[i] - my);
  }
  return xx > 0 && yy > 0 ? xy / std::sqrt(xx * yy) : 0;
}

MixVolumes GameVolumes(int musicOption, int soundOption) {
  // As the platform layer converts them onto SDL's 0..128: the stream gets
  // level x volume x 128 / 10000, the master volume volume x 128 / 100, and an
  // effect channel at full volume (128 of 128) passes the master volume on.
  return {100 * (musicOption * 10) * 128 / 10000, soundOption * 10 * 128 / 100};
}

Stacking WorstStacking(int sample, int rate) {
  if (sample == SND_COIN) return {3, static_cast<size_t>(rate / 50)};
  if (sample == SND_TRANKUP) return {3, static_cast<size_t>(rate / 100)};
  return {};
}

Extremes ScaledExtremes(const Pcm& pcm, int volume, Stacking stacking) {
  Extremes out;
  const size_t frames = pcm.Frames();
  if (frames == 0) return out;
  const int copies = std::max(stacking.copies, 1);
  const size_t span = frames + static_cast<size_t>(copies - 1) * stacking.spacing;
  std::vector<int64_t> up(copies > 1 ? span : 0), down(copies > 1 ? span : 0);
  for (int ch = 0; ch < pcm.channels; ++ch) {
    std::fill(up.begin(), up.end(), 0);
    std::fill(down.begin(), down.end(), 0);
    for (size_t i = 0; i < frames; ++i) {
      int64_t v = pcm.samples[i * pcm.channels + ch] * volume / 128;
      if (copies == 1) {
        out.highest = std::max(out.highest, v);
        out.lowest = std::min(out.lowest, v);
        continue;
      }
      for (int c = 0; c < copies; ++c)
        (v > 0 ? up : down)[i + static_cast<size_t>(c) * stacking.spacing] += v;
    }
    for (size_t i = 0; copies > 1 && i < span; ++i) {
      out.highest = std::max(out.highest, up[i]);
      out.lowest = std::min(out.lowest, down[i]);
    }
  }
  return out;
}

double MixResult::HeadroomDb() const {
  double worst =
      std::max(static_cast<double>(sum.highest) / 32767.0, static_cast<double>(-sum.lowest) / 32768.0);
  return -AmplitudeDb(worst);
}

MixResult WorstMix(const Extremes& music, const Extremes& effect) {
  return {{music.highest + effect.highest, music.lowest + effect.lowest}};
}

} // namespace measure
