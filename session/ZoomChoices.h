#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace qr {

// The zoom strip's list: halving, doubling, full screen, four standard
// sizes, the picture's own size (only with a file loaded), "Custom...".
QStringList zoomChoices(bool fileLoaded, QSize picture);

// The standard sizes offered, as the list names them.
bool isStandardSize(const QString &choice);

inline const QString FullScreenChoice = QStringLiteral("full");
inline const QString CustomChoice = QStringLiteral("Custom...");

} // namespace qr
