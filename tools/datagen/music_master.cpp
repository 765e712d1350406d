#include "music_master.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <vorbis/vorbisenc.h>

#include "measure.h"
#include "synth.h"

using namespace synth;

namespace music {

namespace {

// Runs `filter` over a loop in place: first over its last second only to settle
// the filter's state, so the output at the start continues from the end.
template <typename Filter> void FilterLoop(std::vector<float>& x, Filter filter) {
  const size_t n = x.size(), warm = std::min(n, static_cast<size_t>(RATE));
  for (size_t i = n - warm; i < n; ++i) filter(x[i]);
  for (float& v : x) v = filter(v);
}

// A high shelf of `db` above about 3 kHz: a one-pole split into low and high,
// the high part turned up.
void HighShelf(std::vector<float>& x, double db) {
  const float gain = static_cast<float>(std::pow(10.0, db / 20) - 1);
  OnePole low;
  FilterLoop(x, [&](float v) { return v + gain * (v - low.Low(v, 3000)); });
}

void HighCut(std::vector<float>& x, double hz) {
  Biquad lp;
  lp.Set(Biquad::LowPass, hz, 0.7071);
  FilterLoop(x, [&](float v) { return lp.Run(v); });
}

void LowCut(std::vector<float>& x, double hz) {
  Biquad hp;
  hp.Set(Biquad::HighPass, hz, 0.7071);
  FilterLoop(x, [&](float v) { return hp.Run(v); });
}

// A brick-wall limiter on a loop: the gain at every sample is low enough for
// every peak within the next `look` samples (a running minimum, then a running
// mean over the same span, which reaches each peak's gain exactly when the peak
// arrives), and recovers with a smooth release.
void Limit(Mix& m, double ceilingDb) {
  const size_t n = m.n, look = 64;
  const double ceiling = std::pow(10.0, ceilingDb / 20);
  // The peak at each sample includes the wave's swing up to halfway to the next
  // sample (a cubic through four samples), where a player's reconstruction
  // filter can overshoot the samples themselves.
  std::vector<float> want(n);
  bool over = false;
  for (size_t i = 0; i < n; ++i) {
    size_t a = i == 0 ? n - 1 : i - 1, b = i + 1 == n ? 0 : i + 1, c = b + 1 == n ? 0 : b + 1;
    double peak = std::max(std::fabs(m.l[i]), std::fabs(m.r[i]));
    peak = std::max(peak, std::fabs(9.0 * (m.l[i] + m.l[b]) - m.l[a] - m.l[c]) / 16);
    peak = std::max(peak, std::fabs(9.0 * (m.r[i] + m.r[b]) - m.r[a] - m.r[c]) / 16);
    want[i] = static_cast<float>(peak > ceiling ? ceiling / peak : 1.0);
    over = over || peak > ceiling;
  }
  if (!over) return;
  // Running minimum over want[k .. k + look - 1], round the loop: the minimum
  // of each block of `look` from its start and from its end, two lookups each.
  std::vector<float> hold(n), fromStart(n + look), fromEnd(n + look);
  const size_t span = n + look;
  for (size_t j = 0; j < span; ++j) {
    float v = want[j < n ? j : j - n];
    fromStart[j] = j % look == 0 ? v : std::min(fromStart[j - 1], v);
  }
  for (size_t j = span; j-- > 0;) {
    float v = want[j < n ? j : j - n];
    fromEnd[j] = (j + 1) % look == 0 || j + 1 == span ? v : std::min(fromEnd[j + 1], v);
  }
  for (size_t k = 0; k < n; ++k) hold[k] = std::min(fromEnd[k], fromStart[k + look - 1]);
  // Release towards 1, never above the held gain; twice round so the start
  // follows on from the end.
  const double release = 1 - std::exp(-1.0 / (0.12 * RATE));
  double g = 1;
  for (size_t pass = 0; pass < 2; ++pass)
    for (size_t k = 0; k < n; ++k) {
      g = std::min(static_cast<double>(hold[k]), g + (1 - g) * release);
      if (pass == 1) hold[k] = static_cast<float>(g);
    }
  // Running mean over the `look` samples up to and including i.
  double sum = 0;
  for (size_t k = n - look + 1; k < n; ++k) sum += hold[k];
  std::vector<float> gain(n);
  for (size_t i = 0; i < n; ++i) {
    sum += hold[i];
    gain[i] = static_cast<float>(sum / look);
    sum -= hold[(i + n - look + 1) % n];
  }
  for (size_t i = 0; i < n; ++i) {
    m.l[i] *= gain[i];
    m.r[i] *= gain[i];
  }
}

void Scale(Mix& m, double db) {
  const float g = static_cast<float>(std::pow(10.0, db / 20));
  for (size_t i = 0; i < m.n; ++i) m.l[i] *= g, m.r[i] *= g;
}

double Loudness(const Mix& m) {
  return measure::IntegratedLoudness(m.l.data(), m.r.data(), m.n, RATE);
}

} // namespace

void Master(Mix& m, const Tone& tone) {
  for (std::vector<float>* side : {&m.l, &m.r}) {
    LowCut(*side, tone.lowCut);
    // The encoder drops everything above about 15 kHz at our quality with a
    // steep filter whose ringing overshoots the peaks; a gentle cut of our own
    // first leaves the peaks where the limiter puts them.
    HighCut(*side, 14000);
    if (tone.shelfDb != 0) HighShelf(*side, tone.shelfDb);
  }
  // Limiting takes a little loudness away with the peaks: a second round makes
  // up for it.
  for (int round = 0; round < 2; ++round) {
    Scale(m, TARGET_LOUDNESS - Loudness(m));
    Limit(m, PEAK_CEILING);
  }
}

bool EncodeVorbis(const std::vector<float>& left, const std::vector<float>& right, int serial,
                  const char* title, float quality, std::vector<uint8_t>& out) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, RATE, quality) != 0) {
    vorbis_info_clear(&vi);
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title);
  vorbis_comment_add_tag(&vc, "ARTIST", "Quorbels");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  auto emit = [&](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };
  while (ogg_stream_flush(&os, &page)) emit(page);

  size_t pos = 0;
  bool eos = false;
  while (!eos) {
    const size_t chunk = 4096;
    size_t count = std::min(chunk, left.size() - pos);
    if (count == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(count));
      std::memcpy(buffer[0], left.data() + pos, count * sizeof(float));
      std::memcpy(buffer[1], right.data() + pos, count * sizeof(float));
      vorbis_analysis_wrote(&vd, static_cast<int>(count));
      pos += count;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page)) {
          emit(page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return true;
}

} // namespace music
