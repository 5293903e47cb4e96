// BeginPixelOverlay and EndPixelOverlay: flat, untextured HUD drawing in window pixels over the frame.
#pragma once

// Between the two calls, x and y are window pixels from the bottom-left corner,
// nothing is lit, textured, depth-tested or culled, and colours are the
// caller's to set. End puts back the matrices, the enables, the colour and the
// blending as Begin found them. Pairs do not nest.
void BeginPixelOverlay(int width, int height);
void EndPixelOverlay();
