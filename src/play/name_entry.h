// The keyboard of the "New Highscore" dialog (game over of an arcade game that
// entered the hall of fame). The frame driver calls it while NameEntryActive is 1.
#pragma once

// One held key (Windows virtual-key code): A..Z and Space type (up to 12
// characters), Backspace deletes, Enter confirms like the dialog's "Ok". A key
// acts again only once its repeat delay (KeyRepeatDelay) has run out.
void NameEntryKey(int vk);
