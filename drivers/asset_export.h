// The built-in pictures and sounds written out for looking at them:
// --extract and --contact-sheet.
#pragma once

#include <string>

namespace drivers {

// Writes DIR/pct/ID.png (each picture decoded at its size, in the frame
// buffer's orientation), DIR/wave/ID.wav (each sound byte for byte) and
// DIR/manifest.tsv. Returns 0, or 1 with a message on stderr.
int ExtractResources(const std::string& dir);

// Draws every picture as the player sees it on one PNG sheet, each under
// its id; key-coloured pixels show as a light checker. Returns 0 or 1.
int WriteContactSheet(const std::string& file);

}  // namespace drivers
