// PlayArt: the pictures of the play field: ball (16 x 16), bat (96 x 16), wall blocks (32 x 32).
#pragma once

#include "tools/content/Canvas.h"

// A glossy blue ball.
Canvas drawBall();
// A rounded metal bat with blue ends and a glowing strip.
Canvas drawBat();
// An opaque bevelled stone block of the walls; red for the line below the bat.
Canvas drawWallBlock(bool red);
// Paints a glossy blue sphere of radius r around (cx, cy) onto canvas (the ball's look, also
// used by the logo and the icon).
void paintBallSphere(Canvas& canvas, float cx, float cy, float r);
