#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qr {

// The open-file dialog: "media" for media files, anything else for
// subtitles. Returns the chosen path, or "" when cancelled or the file is
// gone. An empty title becomes "Quilvane Ryn:: Open file".
QString ShowOpenDialog(QWidget *owner, const QString &initialDir, QString title, const QString &kind);

// Filters the dialog offers for a kind, in the dialog's own notation.
QString OpenDialogFilter(const QString &kind);

// Tests replace the dialog: the function gets title and kind and answers.
using OpenDialogHandler = std::function<QString(const QString &title, const QString &kind)>;
void SetOpenDialogHandler(OpenDialogHandler handler);

QString FileExtension(const QString &path);  // text after the last "."
QString FileNameOnly(const QString &path);   // text after the last "/"
QString ShortFileTitle(const QString &path); // file name cut to 24 chars + "..."
bool FileExists(const QString &path);        // an existing regular file

} // namespace qr
