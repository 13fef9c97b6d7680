#pragma once

#include "engine/MediaControl.h"

#include <QString>

namespace qr {

// A track as the menu lists it: "2: English (AC-3 5.1)", with the title
// after the language when the file gives one ("3: English, Commentary
// (AAC stereo)"); "Track 4" stands for an unknown language.
QString trackLabel(const MediaTrack &track);

} // namespace qr
