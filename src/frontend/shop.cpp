#include "frontend/shop.h"

#include <cstdio>
#include <string>

#include "assets/catalogue.h"
#include "assets/sound.h"
#include "core/arith.h"
#include "core/input.h"
#include "core/modes.h"
#include "game/highscore.h"
#include "game/state.h"
#include "ui/labels.h"
#include "ui/pointer_targets.h"
#include "ui/screen2d.h"
#include "ui/text.h"

const int32_t ItemPrices[8] = {100, 200, 200, 400, 500, 50, 300, 700};

namespace {
const std::string PRICE_LABELS[8] = {"$100", "$200", "$200", "$400", "$500", "$50", "$300", "$700"};
const std::string BUY = "buy", SELL = "sell", BACK = "back to level map";
const std::string SLOT_KEYS[3] = {"f1", "f2", "f3"};
const std::string DESCRIPTIONS[ITEM_KINDS] = {ItemDescriptions[0], ItemDescriptions[1], ItemDescriptions[2],
                                              ItemDescriptions[3], ItemDescriptions[4], ItemDescriptions[5],
                                              ItemDescriptions[6], ItemDescriptions[7]};
std::string MoneyText;

void DrawMoney() {
  char text[24];
  std::snprintf(text, sizeof text, "X %d", static_cast<int>(HighScores.profile.money));
  MoneyText.reserve(24);
  MoneyText.assign(text);
  DrawPanel(320, 134, 160, 40, 100, 255, 80);
  DrawImagePartTinted(Tex.coin, 350, 138, 32, 32, 0, 0, 1, 1, 255, 255, 255);
  DrawText(388, 142, 25, 255, 255, 255, MoneyText);
}

void DrawFrameAndCorners() {
  DrawImagePart(Tex.shop, 272, -10, 256, 128, 0, 0, 1, 1);
  DrawImagePart(Tex.maprand, 0, 0, 128, 128, 0, 0, 1, 1);
  DrawImagePart(Tex.maprand, 672, 0, 128, 128, 1, 0, 0, 1);
  DrawImagePart(Tex.maprand, 0, 472, 128, 128, 0, 1, 1, 0);
  DrawImagePart(Tex.maprand, 672, 472, 128, 128, 1, 1, 0, 0);
  DrawImagePart(Tex.trenner, 16, 102, 768, 32, 0, 0, 1, 1);
  DrawImagePartGlow(Tex.trenner, 16, 500, 768, 32, 0, 0, 1, 1, 255);
}
} // namespace

bool SlotIsEmpty(uint8_t code) {
  return code == ITEM_NONE || code > ITEM_KINDS;
}

int ShopItemUnderPointer(int32_t mx, int32_t my) {
  if (!(my > 210 && my < 350 && mx > 80 && mx < 720)) return 0;
  return DivTrunc(mx - 88, 80) + 1;
}

bool BuyItem(int kind) {
  if (kind < 1 || kind > ITEM_KINDS) return false;
  int32_t price = ItemPrices[kind - 1];
  // The label was only clickable if the money covered the price when it was drawn;
  // checking again keeps two clicks between frames from buying on credit.
  if (HighScores.profile.money < price) return false;
  for (uint8_t& slot : ItemSlots) {
    if (!SlotIsEmpty(slot)) continue;
    HighScores.profile.money = LimitMoney(int64_t{HighScores.profile.money} - price);
    slot = static_cast<uint8_t>(kind);
    PlaySample(SND_BUY);
    return true;
  }
  return false;
}

bool SellItem(int slot) {
  if (slot < 0 || slot > 2 || SlotIsEmpty(ItemSlots[slot])) return false;
  ItemSlots[slot] = ITEM_NONE;
  HighScores.profile.money = LimitMoney(int64_t{HighScores.profile.money} + SELL_PRICE);
  PlaySample(SND_SELL);
  return true;
}

void ShopClick(int32_t id) {
  if (id >= SHOP_BUY_ID && id < SHOP_BUY_ID + ITEM_KINDS) {
    BuyItem(id - SHOP_BUY_ID + 1);
  } else if (id >= SHOP_SELL_ID && id < SHOP_SELL_ID + 3) {
    SellItem(id - SHOP_SELL_ID);
  } else if (id == SHOP_BACK_ID) {
    MenuScreen = SCREEN_MAP;
    HoverId = 0;
    PlaySample(SND_SELECT);
  }
}

void DrawShop() {
  DrawFrameAndCorners();
  BeginLabels();
  DrawMoney();
  DrawPanel(310, 544, 180, 40, 255, 100, 80);
  DrawCentredHoverText(400 + 10 * SlidePos, 550, 25, BACK, SHOP_BACK_ID);

  for (int k = 1; k <= ITEM_KINDS; ++k) {
    int x = 80 * k + 8;
    DrawImage(Tex.itemIcons[k - 1], x, 220, 64, 64);
    // Pointing at an item shows what it does.
    AddPointerTarget(x, 220, 64, 64, 0);
    DrawImagePartGlow(Tex.iRahmen, static_cast<float>(x), 215, 64, 64, 0, 0, 1, 1, 255);
    DrawCentredText(x + 32, 282, 20, 255, 255, 255, PRICE_LABELS[k - 1]);
    DrawPanel(80 * k, 305, 80, 40, 255, 100, 80);
    if (HighScores.profile.money >= ItemPrices[k - 1])
      DrawCentredHoverText(x + 32, 310, 25, BUY, static_cast<uint8_t>(SHOP_BUY_ID + k - 1));
    else
      DrawCentredText(x + 32, 310, 25, 50, 50, 50, BUY);
  }

  for (int j = 0; j < 3; ++j) {
    int x = 80 * j + 288;
    bool filled = !SlotIsEmpty(ItemSlots[j]);
    if (filled) DrawImage(Tex.itemIcons[ItemSlots[j] - 1], x, 396, 64, 64);
    DrawText(80 * j + 328 - TextWidth(SLOT_KEYS[j], 25), 368, 25, 255, 255, 255, SLOT_KEYS[j]);
    DrawImagePartGlow(Tex.iRahmen, static_cast<float>(x), 390, 64, 64, 0, 0, 1, 1, 255);
    DrawPanel(80 * j + 280, 456, 80, 40, 80, 100, 255);
    if (filled)
      DrawCentredHoverText(80 * j + 320, 461, 25, SELL, static_cast<uint8_t>(SHOP_SELL_ID + j));
    else
      DrawCentredText(80 * j + 320, 461, 25, 50, 50, 50, SELL);
  }

  int item = ShopItemUnderPointer(MouseX, MouseY);
  if (item > 0) {
    DrawImagePartGlow(Tex.iRahmen2, static_cast<float>(80 * (item - 1) + 88), 215, 64, 64, 0, 0, 1, 1, 255);
    DrawCentredText(400, 183, 20, 255, 255, 255, DESCRIPTIONS[item - 1]);
  }
}
