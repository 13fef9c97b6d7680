#pragma once

#include <QString>

namespace qr {

class Player;

// The maker's support address that ends the support line.
inline const QString SupportAddress = QStringLiteral("support@tarvell.example");

// Fills "[err.Number]" and then "[err.Description]" in `text`.
QString FillErrorText(const QString &text, int code, const QString &description);

// The full text of the error box for `message` and the failure.
QString ErrorReportText(const QString &message, int code, const QString &description);

// Shows the error box, then returns the player to the state without media.
void ReportError(Player &p, const QString &message, int code, const QString &description);

} // namespace qr
