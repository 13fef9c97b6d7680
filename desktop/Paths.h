#pragma once

#include <QString>
#include <QStringList>

namespace qr {

// Paths as the status and media lines show them. Each scans from the end
// for its separator and gives "" when there is none.
QString fileExtension(const QString &path);  // text after the file name's last "."
QString fileNameOnly(const QString &path);   // text after the last "/"
QString shortFileTitle(const QString &path); // the file name, cut to 24 characters + "..."

// An existing regular file (links followed; folders and devices are not files).
bool fileExists(const QString &path);

// The extensions of the media files the player offers and claims, lower case.
const QStringList &mediaExtensions();
bool isMediaFileName(const QString &path); // by its extension, in any case

// The order a file manager shows names in: case aside, and runs of digits
// compared as numbers ("ep2" before "ep10").
bool naturalLess(const QString &a, const QString &b);

// The media files of a folder, in natural order; none for a folder that
// cannot be read.
QStringList mediaFilesIn(const QString &folder);

} // namespace qr
