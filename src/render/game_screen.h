// The game screen: backdrop, HUD, 3D scene, banners and every overlay.
#pragma once

// Draws one complete frame of the game into the back buffer; may set HoverId.
void DrawGameScene();
// The dream editor's left click (instead of a pull while it is open).
void DreamEditorClick();
