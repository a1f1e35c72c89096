#pragma once

#include <QImage>

namespace Artwork {

// The two 1024 x 1024 atlases of the slanted title: 8 x 8 cells of 128 pixels, A-Z in cells 0-25
// and 0-9 in cells 26-35, the rest transparent.
struct LetterAtlas {
  QImage mLetters; // extruded block letters, pink face and purple sides, straight alpha
  QImage mShadows; // silhouettes of the same letters, every covered pixel black with alpha 60
};

// Needs a QGuiApplication (fonts). Returns null images when the title font cannot be loaded.
LetterAtlas MakeLetterAtlas();

} // namespace Artwork
