#pragma once

#include <QString>
#include <QStringList>

namespace qr {

class Player;

// Lays `videobox` out in the video window. w and h in twips; 0 takes the
// size from the window. Records the shown size in VideoSizeText.
void FitVideoToWindow(Player &p, double w, double h);
// The panel's media line: "352 x 240 MPG [350x227]".
void ShowMediaInfo(Player &p);
// Refills the zoom choices; the picture's own size only with a file loaded.
void FillZoomList(Player &p);

// The zoom choices for a picture of width x height (0 x 0: nothing loaded).
QStringList ZoomChoices(bool fileLoaded, int width, int height);
// A single-precision number as the size texts print it: 350, 176.5.
QString SizeNumber(double value);

} // namespace qr
