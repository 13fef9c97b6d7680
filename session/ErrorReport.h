#pragma once

#include "settings/Registry.h"

#include <QString>
#include <QStringList>

namespace qr {

// The codes and texts of the player's own messages.

// The maker's support address that ends the support line.
inline const QString SupportAddress = QStringLiteral("support@tarvell.example");

// Fills "[err.Number]" and then "[err.Description]" in `text`, so a
// description that holds the number marker stays as it is.
QString fillErrorText(const QString &text, int code, const QString &description);

// The whole text of the "Error" box for `message` and the failure.
QString errorReportText(const QString &message, int code, const QString &description);

// "An error occured while attempting to play file "path"."
QString playFailedMessage(const QString &path);

// "File "path" doesnt exist!" and "Subs File "path" doesnt exist!"; for a
// path that is there but no regular file, what it is instead.
QString missingFileText(const QString &path, bool subtitles);

// "The file path is either corrupt or damaged."
QString corruptFileText(const QString &path);

// The line on standard error when quit could not save its values:
// "quilvane-ryn: the store is busy; not saved: QV_RT, QV_RL".
QString notSavedText(RegistryError error, const QStringList &names);

} // namespace qr
