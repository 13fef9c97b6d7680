#pragma once

#include "desktop/Desktop.h"

#include <QString>

namespace qr {

// The filters the open dialog offers for a kind, in the dialog's own
// notation.
QString openDialogFilter(FileKind kind);

} // namespace qr
