// Where the demo's controls lie, in the handheld's pixels: the window places
// each at scale k (the dots per inch / 96), and its test clicks them there.
// Everything fits 240 x 214, so the layout serves both orientations.
#pragma once

namespace demo {

struct Place {
    int id;
    int left;
    int top;
    int width;
    int height;
};

// Owner-drawn buttons: every one prints "command <id>" when clicked.
inline constexpr Place kOneButton{1, 10, 10, 66, 30};
inline constexpr Place kTwoButton{2, 87, 10, 66, 30};
// Asks a Yes/No question, then prints "message box <answer>" (6 Yes, 7 No).
inline constexpr Place kAskButton{3, 164, 10, 66, 30};
// Plays the wave resource IDR_PALETTE, then prints
// "sound IDR_PALETTE <milliseconds the call took> <milliseconds of sound>".
inline constexpr Place kSoundButton{4, 10, 48, 66, 30};

// A horizontal scroll bar, range 0 ... 10 from position 3: "scroll <code> <position>".
inline constexpr Place kScrollBar{10, 10, 88, 220, 16};
inline constexpr int kScrollStart = 3;
inline constexpr int kScrollMax = 10;

// A sorted list box: "select <index> <text>".
inline constexpr Place kListBox{11, 10, 112, 220, 92};

}  // namespace demo
