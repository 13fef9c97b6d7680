#pragma once

#include <QString>

namespace qr {

// Points the Open and Play commands of the avifile, mpegfile, ASFfile and
// datfile types in the store at this program: values change only in keys
// that already exist, no key is created, nothing is reported.
void registerExtensions(const QString &programDir);

// programDir with "/" appended when missing, "quilvane-ryn", a blank and
// "%1"; unquoted, as the command has always been written.
QString associationCommand(const QString &programDir);

} // namespace qr
