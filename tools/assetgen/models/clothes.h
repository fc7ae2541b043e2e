// Paints for clothes, shoes and heads that several passers-by wear.
// Depends on: paint_kit.h.
#pragma once
#include "tools/assetgen/models/paint_kit.h"

namespace chargen {

// Denim: blue with grain, lighter wear on the front, orange side seams.
Paint jeans(Color blue);
// Trousers cloth with a pressed crease down the front.
Paint trouserCloth(Color colour);
// A sleeve, with a darker cuff at the wrist end if asked.
Paint sleeve(Color colour, bool cuff);
Paint sneaker(Color stripe);
Paint leatherShoe(Color colour);
// A bare foot in a sandal of the given leather.
Paint sandal(Color skin, Color leather);
// Polished metal with bevelled plate edges every `plates` of the part's length.
Paint armour(Color metal, float plates);
Paint headPaint(const FaceStyle& style);

}  // namespace chargen
