#pragma once

#include <QString>
#include <QStringList>

namespace qr {

// The installed desktop entry's file name, under applications/ in a data folder.
inline const QString kDesktopEntryId = QStringLiteral("example.tarvell.QuilvaneRyn.desktop");

// The MIME types of the avifile, mpegfile, ASFfile and datfile types, each as
// the MIME database calls it; types the database does not know are left out.
QStringList desktopDefaultTypes();

// Makes the installed desktop entry the user's default application for
// desktopDefaultTypes(), in the [Default Applications] group of
// $XDG_CONFIG_HOME/mimeapps.list; every other line of the file stays as it is.
// Changes nothing when the entry is not installed, when the config folder is
// missing or read-only, or when the file cannot be read or is not a plain key
// file. Returns true when the file was written.
[[nodiscard]] bool setDesktopDefaults();

} // namespace qr
