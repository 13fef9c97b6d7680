#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qr {

enum class FileKind { Media, Subtitles };

// The open-file dialog. Returns the chosen path, or "" when cancelled or
// when the chosen file is gone. An empty title becomes
// "Quilvane Ryn:: Open file".
QString showOpenDialog(QWidget *owner, QString title, FileKind kind);

// The filters the dialog offers for a kind, in the dialog's own notation.
QString openDialogFilter(FileKind kind);

// Tests answer the dialog instead of a user: the function gets the title and
// the kind and returns the path. An empty function restores the dialog.
using OpenDialogHandler = std::function<QString(const QString &title, FileKind kind)>;
void setOpenDialogHandler(OpenDialogHandler handler);

} // namespace qr
