#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/binio.h"
#include "core/files.h"
#include "game/highscore.h"
#include "game/state.h"
#include "platform/platform.h"

HighScoreRecord HighScores;

namespace {
constexpr size_t ENTRY_SIZE = 36;
constexpr size_t TABLE_SIZE = ENTRY_SIZE * HIGHSCORE_ENTRIES;
constexpr size_t PROGRESS_OFFSET = 1080;
constexpr size_t SLOTS_OFFSET = 1082;
constexpr size_t MONEY_OFFSET = 1088;
const char* const HIGHSCORE_FILE = "hsc.dat";
}  // namespace

int HighScoreTableIndex(int cylinderSize) { return cylinderSize == 8 ? 0 : cylinderSize == 10 ? 1 : 2; }

const std::string& EntryName(const HighScoreEntry& entry, std::string& out) {
  size_t length = entry.nameLength > HIGHSCORE_NAME_MAX ? HIGHSCORE_NAME_MAX : entry.nameLength;
  out.assign(entry.name, length);
  return out;
}

std::string EntryName(const HighScoreEntry& entry) {
  std::string name;
  return EntryName(entry, name);
}

int32_t LimitMoney(int64_t amount) {
  return static_cast<int32_t>(std::clamp<int64_t>(amount, 0, MONEY_CAP));
}

HighScoreRecord DecodeHighScores(const uint8_t* bytes) {
  ByteReader in(bytes, HIGHSCORE_FILE_SIZE);
  HighScoreRecord record{};
  for (int t = 0; t < 3; ++t) {
    for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
      size_t off = t * TABLE_SIZE + i * ENTRY_SIZE;
      HighScoreEntry& e = record.tables[t][i];
      e.score = in.I32(off);
      e.nameLength = in.U8(off + 4);
      in.Bytes(off + 5, e.name, HIGHSCORE_NAME_MAX);
    }
  }
  record.profile.storyProgress = in.U16(PROGRESS_OFFSET);
  in.Bytes(SLOTS_OFFSET, record.slots, 3);
  record.profile.money = in.I32(MONEY_OFFSET);
  return record;
}

std::vector<uint8_t> EncodeHighScores(const HighScoreRecord& record) {
  ByteWriter out(HIGHSCORE_FILE_SIZE);
  for (int t = 0; t < 3; ++t) {
    for (int i = 0; i < HIGHSCORE_ENTRIES; ++i) {
      size_t off = t * TABLE_SIZE + i * ENTRY_SIZE;
      const HighScoreEntry& e = record.tables[t][i];
      out.I32(off, e.score);
      out.U8(off + 4, e.nameLength);
      out.Bytes(off + 5, e.name, HIGHSCORE_NAME_MAX);
    }
  }
  out.U16(PROGRESS_OFFSET, record.profile.storyProgress);
  out.Bytes(SLOTS_OFFSET, record.slots, 3);
  out.I32(MONEY_OFFSET, record.profile.money);
  return out.Result();
}

void LoadHighScoreFile() {
  std::vector<uint8_t> bytes = ReadRequiredRecord(SavePath(HIGHSCORE_FILE), HIGHSCORE_FILE_SIZE);
  HighScores = DecodeHighScores(bytes.data());
  HighScores.profile.money = LimitMoney(HighScores.profile.money);
  std::memcpy(ItemSlots, HighScores.slots, 3);
}

bool SaveHighScoreFile() {
  std::memcpy(HighScores.slots, ItemSlots, 3);
  std::vector<uint8_t> bytes = EncodeHighScores(HighScores);
  std::string path = SavePath(HIGHSCORE_FILE);
  std::string why;
  if (!WriteFileAtomic(path, bytes.data(), bytes.size(), &why)) {
    std::string text = "Your progress could not be saved to " + path + " (" + why +
                       "). The previous save file is unchanged.";
    PlatformMessageBox(text.c_str(), "Error", MessageIcon::Error);
    return false;
  }
  return true;
}
