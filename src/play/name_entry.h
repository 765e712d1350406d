// The keyboard of the "New Highscore" dialog (game over of an arcade game that
// entered the hall of fame). The frame driver calls it while NameEntryActive is 1.
#pragma once

// One held key (Windows virtual-key code): A..Z and Space type (up to 12
// characters), Backspace deletes, Enter confirms like the dialog's "Ok". A key
// acts again only once its repeat delay (KeyRepeatDelay) has run out.
void NameEntryKey(int vk);

// What the keys do, for the game controller too: a character (A..Z or a blank) is
// added while the name is shorter than 12; the last one is removed; the name is
// confirmed as by the dialog's "Ok" (it enters the hall of fame and the game ends).
void AddNameCharacter(char c);
void RemoveNameCharacter();
void ConfirmName();
