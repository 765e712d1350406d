// The back and sky pictures of the five themes. Only the pair of the theme being
// played is kept in the renderer (about 1.5 MB there, where all five took 7.5 MB):
// a pair is loaded when its theme is first drawn (2 to 3 ms) and the pair before it
// is given back. The loading sequence leaves them out; a new context (a display
// switch) starts without any.
#pragma once
#include <cstdint>

struct ThemePair {
  uint32_t back, sky;
};

// The pair of `theme` (1 forest, 2 city, 4 beach, 5 mountain, any other egypt),
// loaded now when the theme or the context changed; a picture the catalogue
// already holds (a stand-in put there) is used as it is. A picture that cannot be
// loaded shows its message once and stays 0 until the theme or the context
// changes. Needs a current context.
ThemePair ThemePictures(uint8_t theme);

// Gives back the pair this module loaded (when it belongs to the current context)
// and sets every theme picture in Tex to 0. Called by the loading sequence.
void ReleaseThemePictures();
