#pragma once

#include <QString>

namespace qr {

// Points the Open and Play commands of the avifile, mpegfile, ASFfile and
// datfile types at this program, through the registry layer: values change
// only in keys that already exist, no key is created, nothing is reported.
void RegisterExtensions();
// The same with the program directory given (tests).
void RegisterExtensions(const QString &programDir);

// programDir with "/" appended when missing, "quilvane-ryn", a blank and "%1";
// unquoted, as the association has always been written.
QString AssociationCommand(const QString &programDir);

} // namespace qr
