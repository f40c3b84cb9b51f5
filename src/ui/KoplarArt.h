// The program's own small pictures, drawn in code: the logo of the start window, the start
// button's glyph and the about box's picture. All show a four-bar linkage. Sizes are logical
// pixels; each picture is drawn at the given device pixel ratio, so it is as sharp as the text
// beside it on a screen of that ratio.
#pragma once

#include <QPixmap>

// 206 x 60, transparent: the linkage beside the word "KOPLAR", in white.
QPixmap DrawLogo(qreal Ratio);
// 32 x 32, transparent: a crank with its turning arrow, in white.
QPixmap DrawStartGlyph(qreal Ratio);
// The about box's picture, filling Width x Height.
QPixmap DrawAboutPicture(int Width, int Height, qreal Ratio);
