// The shop, reached from the level map: eight items for sale, the three item slots
// (used in play with F1..F3) and the money. Purchases and sales change the player
// profile in memory; it reaches data/misc/hsc.dat at exit.
#pragma once
#include <cstdint>

// Price of item kind k (1..8) at index k - 1. Every sale returns SELL_PRICE.
extern const int32_t ItemPrices[8];
constexpr int32_t SELL_PRICE = 50;

// Whether a slot holding `code` counts as empty: 0, and any code that names no item
// (a damaged save), which shows and is used as an empty slot.
bool SlotIsEmpty(uint8_t code);

// Drawn by DrawMenus while MenuScreen is the shop: "buy" k (ids 1..8) only when the
// money covers the price, "sell" (ids 30..32) only under a filled slot,
// "back to level map" 60 (ShopLabel, ui/labels.h), the description of the item
// under the pointer.
void DrawShop();
// The shop's part of MenuClick for the id under the pointer in the last frame.
void ShopClick(int32_t id);
// Buys item `kind` into the first empty slot (F1, F2, F3). Nothing happens when no
// slot is empty or the money does not cover the price. True when bought.
bool BuyItem(int kind);
// Sells the item in slot 0..2 for SELL_PRICE. Nothing happens for an empty slot.
bool SellItem(int slot);
// The item whose description and highlight frame show for a pointer position,
// 1..8, or 0 outside the catalogue row.
int ShopItemUnderPointer(int32_t mx, int32_t my);
