#pragma once

#include <QString>

namespace qr {

// Paths as the status and media lines show them. Each scans from the end
// for its separator and gives "" when there is none.
QString fileExtension(const QString &path);  // text after the file name's last "."
QString fileNameOnly(const QString &path);   // text after the last "/"
QString shortFileTitle(const QString &path); // the file name, cut to 24 characters + "..."

// An existing regular file (links followed; folders and devices are not files).
bool fileExists(const QString &path);

} // namespace qr
