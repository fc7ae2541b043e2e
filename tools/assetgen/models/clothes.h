// Paints for clothes, shoes and heads that several passers-by wear.
// Depends on: paint_kit.h.
#pragma once
#include "tools/assetgen/models/paint_kit.h"

namespace chargen {

// Denim: blue with grain, lighter wear on the front, orange side seams.
Paint jeans(Rgb blue);
// Trousers cloth with a pressed crease down the front.
Paint trouserCloth(Rgb colour);
// A sleeve, with a darker cuff at the wrist end if asked.
Paint sleeve(Rgb colour, bool cuff);
Paint sneaker(Rgb stripe);
Paint leatherShoe(Rgb colour);
// A bare foot in a sandal of the given leather.
Paint sandal(Rgb skin, Rgb leather);
// Polished metal with bevelled plate edges every `plates` of the part's length.
Paint armour(Rgb metal, float plates);
Paint headPaint(const FaceStyle& style);

}  // namespace chargen
