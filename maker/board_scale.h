// The unit of a piece's smallest size: a pixel of the board of a 240 x 294
// screen (225 x 153 pixels with its scroll bars) zoomed in to 3.375, where
// `vellumar-pattern check` judges whether a piece can be tapped. A picture
// fills that board's width or height at zoom 1, so how many of its own
// pixels make one board pixel depends on its size and aspect.
#pragma once

inline constexpr int kReferenceBoardWidth = 225;
inline constexpr int kReferenceBoardHeight = 153;
inline constexpr double kReferenceZoom = 3.375;

double picturePixelsPerBoardPixel(int pictureWidth, int pictureHeight);
