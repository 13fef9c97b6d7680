#pragma once

#include <QString>
#include <functional>

class QLabel;

namespace qr {

class SubtitleReader;

// One line of a subtitle file: {start}{end}text, frames inclusive.
struct SubtitleEntry {
    int start = 0;
    int end = 0;
    QString text;
};

// Splits a line into its frames and text. Never fails: every step that
// cannot be carried out leaves its field at 0 / empty and parsing goes on.
SubtitleEntry ParseSubtitleLine(const QString &line);

// The frame-number conversion of the parse: optional sign and blanks, a
// fraction rounded halves-to-even; false when not a number or outside
// -32768..32767.
bool ParseFrameNumber(const QString &text, int &frame);

// Reads the next line of the channel (empty when closed or at the end) and
// parses it.
SubtitleEntry ReadNextSubtitle(SubtitleReader &reader);

// Asked anew each time the step needs the playing position, in seconds.
using PositionSource = std::function<double()>;

// One clock tick of the subtitles: reads at most one line, when the current
// entry's end frame has passed, and shows or clears the label. `label` may be
// null when the window does not exist yet.
void SubtitleStep(const PositionSource &position, int frameRate, SubtitleEntry &current,
                  SubtitleReader &reader, QLabel *label);

} // namespace qr
