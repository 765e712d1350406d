#include "ui/help_pages.h"

#include <cstdint>
#include <string>

#include "assets/catalogue.h"
#include "ui/screen2d.h"
#include "ui/text.h"

namespace {

enum Colour : uint8_t { WHITE, YELLOW, RED };
constexpr uint8_t kColours[3][3] = {{255, 255, 255}, {255, 255, 0}, {255, 0, 0}};

// One element of a page, drawn in table order: a text or a picture cut from the
// instruction sheet. Pieces of a sentence that changes colour start at x plus the
// width (size 20) of everything before them on the line.
struct PageItem {
  bool picture;
  int16_t x, y;
  uint8_t size;       // text size
  Colour colour;      // text colour
  const char* text;   // text, or nullptr for a picture
  const char* before; // the start of the line before this piece, or nullptr
  int16_t w, h;       // picture size
  float uLeft, vTop, uRight, vBottom;
};

constexpr PageItem Text(int x, int y, Colour colour, const char* text, const char* before = nullptr,
                        uint8_t size = 20) {
  return {false, static_cast<int16_t>(x), static_cast<int16_t>(y), size, colour, text, before, 0, 0, 0, 0, 0,
          0};
}
constexpr PageItem Small(int x, int y, const char* text) {
  return Text(x, y, YELLOW, text, nullptr, 18);
}
// A piece of the instruction sheet: screen rectangle, then the texture rectangle in
// the order DrawImagePart takes it.
constexpr PageItem Picture(int x, int y, int w, int h, float uLeft, float vTop, float uRight, float vBottom) {
  return {true,    static_cast<int16_t>(x), static_cast<int16_t>(y), 0,     WHITE, nullptr,
          nullptr, static_cast<int16_t>(w), static_cast<int16_t>(h), uLeft, vTop,  uRight,
          vBottom};
}

// Positions are those on the menu strip, relative to the strip position.
constexpr PageItem kPage0[] = {
    Text(-750, 146, WHITE, "Use the mouse to move the anchor."),
    Picture(-750, 181, 144, 224, 0.37109375f, 0.0f, 0.65234375f, 0.4375f),
    Text(-600, 209, WHITE, "Use"),
    Text(-600, 209, YELLOW, "left mouse button", "Use "),
    Text(-600, 209, WHITE, "to shoot.", "Use left mouse button "),
    Text(-600, 257, WHITE, "Use the"),
    Text(-600, 257, YELLOW, "middle mouse button", "Use the "),
    Text(-600, 257, WHITE, "or", "Use the middle mouse button "),
    Text(-600, 257, YELLOW, "SPACE", "Use the middle mouse button or "),
    Text(-600, 257, WHITE, "to change the direction of the flying", "Use the middle mouse button or SPACE "),
    Text(-600, 282, WHITE, "stones."),
    Text(-545, 282, RED, "Note: The stones which fly out of one side of the screen, appear on the"),
    Text(-600, 307, RED, "other side. The first levels are playable without even touching this button!"),
    Text(-600, 357, YELLOW, "Right mouse button"),
    Text(-600, 357, WHITE, "rotates the stones.", "Right mouse button "),
    Text(-600, 357, YELLOW, "LEFT CONTROL", "Right mouse button rotates the stones. "),
    Text(-600, 357, WHITE, "rotates the other way", "Right mouse button rotates the stones. LEFT CONTROL "),
    Text(-600, 382, WHITE, "round."),
    Text(-750, 423, WHITE,
         "Your goal is to fill up complete rows with stones to remove that row. Avoid touching the "
         "punctuated line"),
    Text(-750, 448, WHITE, "with your construction."),
};

constexpr PageItem kPage1[] = {
    Text(-750, 146, WHITE,
         "There are always four stones flying at the top of the screen. If pulled down, they hit the highest "
         "block"),
    Text(-750, 171, WHITE,
         "above the anchor. If the stone doesn't fit THERE, it will fly back to it's initial position. With "
         "the "
         "aimhelp"),
    Text(-750, 196, WHITE,
         "enabled there is a transparent stone, showing where the stone would land if pulled down."),
    Small(-367, 228, "The red-blinking cross indicates that the stone"),
    Small(-367, 248, "won't fit because it would intersect there."),
    Picture(-367, 265, 38, 41, 0.0f, 0.51171875f, 0.07421875f, 0.591796875f),
    Small(-750, 228, "This will work fine..."),
    Picture(-750, 245, 153, 264, 0.0f, 0.0f, 0.298828125f, 0.515625f),
    Small(-560, 228, "This won't work..."),
    Picture(-560, 245, 157, 264, 0.65234375f, 0.0f, 0.958984375f, 0.515625f),
    Small(-367, 317, "It's easy to fill the edges of a level,"),
    Small(-367, 337, "since overlapping boxes will fall down."),
    Picture(-367, 354, 131, 154, 0.0859375f, 0.68359375f, 0.341796875f, 0.984375f),
};

constexpr PageItem kPage2[] = {
    Text(-700, 146, WHITE, "As time goes by, the level-meter will shrink. Fill it up by removing lines."),
    Text(-700, 171, WHITE,
         "When the level-meter is empty, a line of tubes will appear at the bottom of the game-field."),
    Text(-700, 196, WHITE,
         "If you have removed five lines, the level-meter will completely refill and one tubeline will"),
    Text(-700, 221, WHITE, "remove."),
    Text(-700, 317, WHITE, "This number shows you, how much lines you still need to remove."),
    Picture(-557, 251, 314, 51, 0.0859375f, 0.587890625f, 0.71875f, 0.6875f),
    Picture(-749, 148, 43, 197, 0.0f, 0.587890625f, 0.083984375f, 0.97265625f),
    Picture(-749, 360, 43, 124, 0.916015625f, 0.587890625f, 1.0f, 0.830078125f),
    Text(-700, 358, WHITE, "Some stones have bombs in it."),
    Text(-700, 383, WHITE, "After pulled down, the bomb will explode and the boxes around the stone remove."),
    Text(-700, 408, WHITE,
         "Note: The bomb explodes first, even when the stone would complete the row. Lines can only"),
    Text(-700, 433, WHITE, "be removed, when the bomb itself fills that line."),
};

constexpr PageItem kPage3[] = {
    Text(-750, 146, YELLOW, "Arcade Mode"),
    Text(-750, 171, WHITE,
         "Everytime you remove five rows and the level-meter fills up, the dificulty increases. That means, "
         "that"),
    Text(-750, 196, WHITE,
         "the stones move faster and the level-meter shrinks faster. Try to beat the Highscore!"),
    Text(-750, 246, YELLOW, "Story Mode"),
    Text(-750, 271, WHITE,
         "Every level has a desired number of lines you have to remove to clear that level. Once you've "
         "finished a"),
    Text(-750, 296, WHITE,
         "level, you earn an amount of money depending on your score. Use that money to buy items in the "
         "shop."),
    Text(
        -750, 321, WHITE,
        "The items can be used during gamplay by pressing the F1, F2 or F3 key. The function of the item is"),
    Text(-750, 346, WHITE,
         "described in the shop menu. Selling items in the shop is also possible but you will always receive "
         "only"),
    Text(-750, 371, WHITE, "50$. So be a little bit carefull when buying."),
    Text(-750, 396, WHITE,
         "Some levels on the map are PUZZLE-LEVELS. The goal here is to remove all lines. You have got"),
    Text(-750, 421, WHITE,
         "unlimited time to do so, but only a limited number of stones. Items can't be used here."),
    Text(-750, 446, WHITE, "Have Fun!"),
};

struct PageTable {
  const PageItem* items;
  int count;
};
constexpr PageTable kPages[HELP_PAGES] = {
    {kPage0, sizeof(kPage0) / sizeof(kPage0[0])},
    {kPage1, sizeof(kPage1) / sizeof(kPage1[0])},
    {kPage2, sizeof(kPage2) / sizeof(kPage2[0])},
    {kPage3, sizeof(kPage3) / sizeof(kPage3[0])},
};
constexpr int kMaxItems = 20;

// The page texts as strings, made once, so drawing a page allocates nothing.
struct PageStrings {
  std::string text[HELP_PAGES][kMaxItems];
  std::string before[HELP_PAGES][kMaxItems];
  std::string previous = "<< PREVIOUS PAGE";
  std::string next = "NEXT PAGE >>";
  PageStrings() {
    for (int page = 0; page < HELP_PAGES; ++page)
      for (int n = 0; n < kPages[page].count; ++n) {
        const PageItem& item = kPages[page].items[n];
        if (item.text != nullptr) text[page][n] = item.text;
        if (item.before != nullptr) before[page][n] = item.before;
      }
  }
};
const PageStrings& Strings() {
  static const PageStrings strings;
  return strings;
}

static_assert(sizeof(kPage0) / sizeof(kPage0[0]) <= kMaxItems &&
              sizeof(kPage1) / sizeof(kPage1[0]) <= kMaxItems &&
              sizeof(kPage2) / sizeof(kPage2[0]) <= kMaxItems &&
              sizeof(kPage3) / sizeof(kPage3[0]) <= kMaxItems);

constexpr uint8_t kPanelBlue[3] = {128, 128, 228};

} // namespace

void DrawInstructionPage(int page, int offsetX, int offsetY) {
  if (page < 0 || page >= HELP_PAGES) return;
  const PageStrings& strings = Strings();
  const PageTable& table = kPages[page];
  for (int n = 0; n < table.count; ++n) {
    const PageItem& item = table.items[n];
    const int y = item.y + offsetY;
    if (item.picture) {
      DrawImagePart(Tex.maction, static_cast<float>(item.x + offsetX), static_cast<float>(y), item.w, item.h,
                    item.uLeft, item.vTop, item.uRight, item.vBottom);
      continue;
    }
    int x = item.x + offsetX;
    if (item.before != nullptr) x += TextWidth(strings.before[page][n], 20);
    const uint8_t* c = kColours[item.colour];
    DrawText(x, y, item.size, c[0], c[1], c[2], strings.text[page][n]);
  }

  if (page > 0) {
    DrawPanel(offsetX - 770, offsetY + 519, 218, 40, kPanelBlue[0], kPanelBlue[1], kPanelBlue[2]);
    DrawHoverText(offsetX - 757, offsetY + 522, 30, strings.previous, HELP_PREVIOUS_ID);
  }
  if (page < HELP_PAGES - 1) {
    DrawPanel(offsetX - 248, offsetY + 519, 218, 40, kPanelBlue[0], kPanelBlue[1], kPanelBlue[2]);
    DrawHoverText(offsetX - 200, offsetY + 522, 30, strings.next, HELP_NEXT_ID);
  }
}
