#pragma once

#include <QByteArray>
#include <QFile>

namespace qr {

// QUILVANE_RYN_TRACE=FILE: the engine appends one line to FILE for each
// event a user waits on, for timing the player from outside (bench/):
//
//   SECONDS open PATH                          a file asked for
//   SECONDS opened WxH hwdec=ASKED decoder=D   its first picture is in the view;
//                                              D is the decoder in use ("no": software)
//   SECONDS seek TARGET                        a seek asked for
//   SECONDS landed POSITION                    the first picture there is in the view
//   SECONDS dropped vo=N decoder=M             the engine's dropped-frame counts
//                                              when the file is closed
//
// SECONDS is the monotonic clock (CLOCK_MONOTONIC), which other programs can
// read too. Unset, nothing is opened and each event costs one test.
class EngineTrace {
public:
    EngineTrace();
    bool isOn() const { return m_file.isOpen(); }
    void write(const QByteArray &event);

private:
    QFile m_file;
};

} // namespace qr
