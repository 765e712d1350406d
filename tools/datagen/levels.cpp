// The 55 story levels of data/misc/levels.qrb. The journey runs through the
// regions of the map: Forest, City, Desert and Beach twice over, then the
// Mountain. Stones get faster, the potion drains sooner, more boxes are asked
// for, the danger line comes down, the cylinder widens (8 columns for the
// first twenty levels, 10 for the next twenty, 12 on the Mountain) and bombs
// turn up more often. The last level of every region on the way, and two on
// the Mountain, are puzzles: a fixed set of stones that exactly fills the gaps
// of the rows to clear, and a calm pause before the next region. No region asks
// for more than a third of the story's lines. Records 56..100 stay zero.
#include <cstdio>
#include <cstring>
#include <vector>

#include "datagen.h"
#include "game/levels.h"

namespace {

// A starting layout as text rows, the last one being playfield row 11. Each row
// is as wide as the cylinder and starts at its first active column.
// '.' empty, '1'..'9' a box of that colour, 'T' a tube, '#' a box whose colour
// follows its row (the strata of the puzzle walls).
using Layout = std::vector<const char*>;

struct Level {
  const char* title;
  uint8_t speed, drain, lines, height, sizeCode, bombChance;
  Layout layout;
  std::vector<uint8_t> puzzle; // stone kinds of a puzzle level; empty for a normal level
};

// Rows of puzzle walls alternate through these colours from the bottom up.
const uint8_t Strata[4] = {1, 6, 2, 5};

// Normal levels follow the overall climb, one small step at a time: speed byte
// 20 -> 40, drain byte 2 -> 10 (a full potion lasts about 7 minutes in the first
// Forest, under 5 from the City on and under 1.5 at the summit), danger line from
// row 12 down to row 8, bombs from none to 12 %. The line target is chosen per
// level: it rises by at most one line from one normal level to the next and drops
// only where the cylinder widens, so the boxes to clear never drop. From the second
// Forest visit on it climbs slowly, 14 to 20, so the Mountain asks for no more
// lines than the regions before it: it is harder through speed, drain, bombs and
// the danger line.
Level Normal(int index, const char* title, uint8_t lines, Layout layout = {}) {
  Level l{};
  l.title = title;
  l.speed = static_cast<uint8_t>(20 + (index * 20 + 27) / 54);
  l.drain = static_cast<uint8_t>(2 + (index * 8 + 27) / 54);
  l.lines = lines;
  l.height = static_cast<uint8_t>(index / 12 > 4 ? 4 : index / 12);
  l.sizeCode = static_cast<uint8_t>(index < 20 ? 0 : index < 40 ? 1 : 2);
  l.bombChance = static_cast<uint8_t>(index < 3 ? 0 : 3 + index / 6);
  l.layout = layout;
  return l;
}

// Puzzles take their time: slow stones, no drain, no bombs, all the room there is.
Level Puzzle(int index, const char* title, uint8_t lines, std::vector<uint8_t> stones, Layout layout) {
  Level l{};
  l.title = title;
  l.speed = static_cast<uint8_t>(16 + index / 10);
  l.drain = 0;
  l.lines = lines;
  l.height = 0;
  l.sizeCode = static_cast<uint8_t>(index < 20 ? 0 : index < 40 ? 1 : 2);
  l.bombChance = 0;
  l.layout = layout;
  l.puzzle = stones;
  return l;
}

std::vector<Level> StoryLevels() {
  return {
      // Forest
      Normal(0, "Where the Quorbels Begin", 6),
      Normal(1, "Mossy Stepping Stones", 7),
      Normal(2, "The Whispering Oaks", 8),
      Normal(3, "Fireflies at Dusk", 9, {"..7..7..", ".8877888"}),
      Puzzle(4, "The Fallen Log", 3, {1, 5}, {"######..", "######..", "##....##"}),
      // City
      Normal(5, "Welcome to Quortown", 10),
      Normal(6, "Rush Hour", 11),
      Normal(7, "Rusty Pipes Below", 12, {"3......3", "TTTTTTTT", "TTTTTTTT"}),
      Normal(8, "Neon Nights", 12),
      Puzzle(9, "The Clockmaker's Riddle", 3, {3, 4, 6}, {"#.....##", "#.....##", "#.###.##"}),
      // Desert
      Normal(10, "Into the Dunes", 13),
      Normal(11, "Mirage on the Horizon", 14),
      Normal(12, "The Sunken Pyramid", 14, {"...66...", "..6446..", ".664466."}),
      Normal(13, "Caravan of Boxes", 15),
      Puzzle(14, "The Sphinx's Question", 4, {7, 8, 3, 4}, {"...#...#", ".......#", "#.###.##", "#.######"}),
      // Beach
      Normal(15, "Sand Between Your Toes", 16),
      Normal(16, "Seagulls Overhead", 16),
      Normal(17, "The Sandcastle", 17, {".6.6.6..", ".66666..", ".66666..", "166666.1"}),
      Normal(18, "High Tide", 17),
      Puzzle(19, "Message in a Bottle", 4, {2, 6, 7, 1},
             {"#......#", "#......#", "#...##.#", "#.######", "TTTTTTTT"}),
      // Forest, deeper in
      Normal(20, "Back to the Deep Woods", 14),
      Normal(21, "Mushroom Circle", 15, {"3........3", "1.......1."}),
      Normal(22, "The Old Tree Trunks", 15,
             {".777...88.", ".777..888.", "..4....4..", "..4....4..", "..4....4.."}),
      Normal(23, "Storm in the Canopy", 15),
      Puzzle(24, "The Woodcutter's Knot", 3, {1, 3, 4, 7}, {"#..#......", "#......###", "#.####.###"}),
      // City, by night
      Normal(25, "Skyline at Dawn", 16),
      Normal(26, "Subway Shuffle", 16),
      Normal(27, "Among the Towers", 17,
             {".3......5.", ".3..1...5.", ".3..1.5.5.", ".35.1.5.55", "TTTTTTTTTT"}),
      Normal(28, "Traffic Jam", 17),
      Puzzle(29, "The Locked Vault", 4, {2, 3, 4, 6, 7},
             {"#.....#...", "#........#", "#....#####", "####.#####"}),
      // Desert, the far side
      Normal(30, "Heat Haze", 18),
      Normal(31, "The Oasis Well", 18),
      Normal(32, "Buried Pipelines", 18,
             {"....66....", "..664466..", "TTTTTTTTTT", "TTTTTTTTTT", "TTTTTTTTTT"}),
      Normal(33, "Sandstorm", 18),
      Puzzle(34, "The Pharaoh's Tomb", 4, {5, 6, 7, 8, 1},
             {"##.......#", "#........#", "###....###", "#####.####", "TTTTTTTTTT", "TTTTTTTTTT"}),
      // Beach, stormy
      Normal(35, "Lighthouse Keeper", 19),
      Normal(36, "Coral Reef", 19),
      Normal(37, "Rolling Waves", 20, {"1....1....", "11..111..1", "111111111."}),
      Normal(38, "Pirate Cove", 20),
      Puzzle(39, "The Treasure Map", 5, {1, 2, 3, 4, 5, 6},
             {"#........#", "##.#.....#", "##....##.#", "###...##.#", "###..#####"}),
      // Mountain
      Normal(40, "Foothills", 17),
      Normal(41, "Alpine Meadow", 17),
      Normal(42, "The Goat Path", 17),
      Normal(43, "Echoes in the Valley", 18),
      Normal(44, "The Craggy Ridge", 18, {".....5......", "....515...5.", "...55155.515", "..555115555."}),
      Normal(45, "Frozen Waterfall", 18),
      Normal(46, "Thin Air", 18),
      Puzzle(47, "The Hermit's Puzzle", 4, {1, 3, 4, 5, 6, 7},
             {"...........#", "..###......#", "..#####..###", "#.##########"}),
      Normal(48, "Avalanche Warning", 19),
      Normal(49, "The Ice Caves", 19,
             {"1..........1", "11...11...11", "111.1111.111", "TTTTTTTTTTTT", "TTTTTTTTTTTT"}),
      Normal(50, "Blizzard", 19),
      Puzzle(51, "The Glacier Crossing", 4, {2, 1, 3, 6, 8},
             {"##....##....", "##....#...#.", "##..#.#.####", "##.#########"}),
      Normal(52, "Above the Clouds", 20),
      Normal(53, "The Last Ascent", 20),
      Normal(
          54, "Summit of Quorland", 20,
          {".....55.....", "....5115....", "...551155...", "..55111155..", "TTTTTTTTTTTT", "TTTTTTTTTTTT"}),
  };
}

uint8_t CellValue(char c, int row) {
  if (c >= '1' && c <= '9') return static_cast<uint8_t>(c - '0');
  if (c == 'T') return 40;
  if (c == '#') return Strata[(11 - row) % 4];
  return 0;
}

bool Build(const Level& level, LevelRecord& record) {
  record = LevelRecord{};
  std::snprintf(record.text, sizeof record.text, "%s", level.title);
  record.speed = level.speed;
  record.drain = level.drain;
  record.lines = level.lines;
  record.height = level.height;
  record.sizeCode = level.sizeCode;
  record.bombChance = level.bombChance;
  record.puzzle = level.puzzle.size() > 0 ? 1 : 0;
  if (level.puzzle.size() > PUZZLE_SEQUENCE_LENGTH) return false;
  int i = 0;
  for (uint8_t kind : level.puzzle) record.sequence[i++] = kind;
  const int size = 8 + 2 * level.sizeCode;
  const int first = (12 - size) / 2;
  int row = 12 - static_cast<int>(level.layout.size());
  if (row < 0) return false;
  for (const char* line : level.layout) {
    if (static_cast<int>(std::strlen(line)) != size) return false;
    for (int j = 0; j < size; ++j) record.layout[(first + j) * LAYOUT_SIZE + row] = CellValue(line[j], row);
    ++row;
  }
  return true;
}

} // namespace

bool WriteLevels(const std::string& dataDir) {
  std::vector<Level> levels = StoryLevels();
  std::vector<uint8_t> bytes(LEVEL_FILE_SIZE, 0);
  for (size_t n = 0; n < levels.size(); ++n) {
    LevelRecord record;
    if (!Build(levels[n], record)) {
      std::fprintf(stderr, "datagen: story level %zu has a malformed layout\n", n + 1);
      return false;
    }
    EncodeLevelRecord(record, bytes.data() + n * LEVEL_RECORD_SIZE);
  }
  std::string path = dataDir + "misc/levels.qrb";
  return WriteDataFile(path, bytes);
}
