// The check every sound effect passes before the mixer sees it. The mixer turns
// each effect into 44.1 kHz stereo samples held in memory, so a header declaring
// two samples a second would make a few kilobytes cost gigabytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/sound.h"
#include "core/binio.h"

namespace {

struct WavHeader {
  uint16_t tag = 1, channels = 1;
  uint32_t rate = 44100;
  uint16_t bits = 16;
  uint32_t frames = 100;
  uint32_t declaredData = 0; // 0: the real length
  bool dataFirst = false;
  uint32_t formatLength = 16;
  bool noteChunk = false; // an odd-length chunk without sound before the data
};

std::vector<uint8_t> MakeWav(const WavHeader& h) {
  const uint32_t block = h.channels * h.bits / 8;
  const uint32_t data = h.frames * block;
  const uint32_t note = h.noteChunk ? 8 + 5 + 1 : 0;
  ByteWriter w(12 + 8 + h.formatLength + note + 8 + data);
  w.Bytes(0, "RIFFxxxxWAVE", 12);
  w.U32(4, static_cast<uint32_t>(w.Result().size() - 8));
  size_t at = 12;
  auto format = [&] {
    w.Bytes(at, "fmt ", 4);
    w.U32(at + 4, h.formatLength);
    w.U16(at + 8, h.tag);
    w.U16(at + 10, h.channels);
    w.U32(at + 12, h.rate);
    w.U32(at + 16, h.rate * block);
    w.U16(at + 20, static_cast<uint16_t>(block));
    if (h.formatLength >= 16) w.U16(at + 22, h.bits);
    at += 8 + h.formatLength;
  };
  auto samples = [&] {
    w.Bytes(at, "data", 4);
    w.U32(at + 4, h.declaredData ? h.declaredData : data);
    at += 8 + data;
  };
  if (!h.dataFirst) format();
  if (h.noteChunk) {
    w.Bytes(at, "note", 4);
    w.U32(at + 4, 5);
    at += 8 + 6;
  }
  samples();
  if (h.dataFirst) format();
  return w.Result();
}

TEST(WavCheck, OnlyWhatARealEffectCostsReachesTheMixer) {
  auto with = [](auto change) {
    WavHeader h;
    change(h);
    return MakeWav(h);
  };
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    const char* refusal; // nullptr: accepted
  };
  const Case cases[] = {
      {"CD-quality mono", MakeWav({}), nullptr},
      {"8 kHz stereo 8-bit", with([](WavHeader& h) { h.rate = 8000, h.channels = 2, h.bits = 8; }), nullptr},
      {"48 kHz, 30 seconds", with([](WavHeader& h) { h.rate = 48000, h.frames = 48000 * 30; }), nullptr},
      {"a padded chunk without sound", with([](WavHeader& h) { h.noteChunk = true; }), nullptr},
      {"two samples a second", with([](WavHeader& h) { h.rate = 2; }), "declares 2 samples a second"},
      {"96 kHz", with([](WavHeader& h) { h.rate = 96000; }), "declares 96000 samples"},
      {"six channels", with([](WavHeader& h) { h.channels = 6; }), "6 channels"},
      {"24 bits", with([](WavHeader& h) { h.bits = 24; }), "of 24 bits"},
      {"floating point", with([](WavHeader& h) { h.tag = 3; }), "not uncompressed PCM"},
      {"compressed", with([](WavHeader& h) { h.tag = 2; }), "not uncompressed PCM"},
      {"data longer than the file", with([](WavHeader& h) { h.declaredData = 0x7FFFFFF0; }), "past the end"},
      {"data before format", with([](WavHeader& h) { h.dataFirst = true; }), "before its format"},
      {"short format chunk", with([](WavHeader& h) { h.formatLength = 12; }), "format chunk is too short"},
      {"31 seconds", with([](WavHeader& h) { h.rate = 8000, h.bits = 8, h.frames = 8000 * 31; }),
       "longer than 30 seconds"},
      {"an Ogg file named .wav", {'O', 'g', 'g', 'S', 0, 2, 0, 0, 0, 0, 0, 0, 0, 0}, "not a WAV file"},
      {"header only", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}, "no format chunk"},
      {"no data chunk",
       [] {
         std::vector<uint8_t> f = MakeWav({});
         f.resize(12 + 8 + 16);
         return f;
       }(),
       "holds no sound data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WavFormat format;
    std::string why;
    bool accepted = CheckWav(c.file.data(), c.file.size(), format, why);
    EXPECT_EQ(accepted, c.refusal == nullptr) << why;
    if (!accepted) {
      EXPECT_NE(why.find(c.refusal ? c.refusal : "?"), std::string::npos) << why;
      continue;
    }
    EXPECT_LE(size_t{format.dataOffset} + format.dataBytes, c.file.size());
    EXPECT_LE(c.file.size(), SOUND_FILE_LIMIT);
  }
}

} // namespace
