#pragma once
// What a file-system failure means, in words a user reads: the alerts name the file and give the
// reason, never a bare error number.
#include <QString>

// The reason of an errno code, in French, from the "Dialogue" table; an unusual code gets a
// general text with the code at its end, for whoever the user asks for help.
QString fileErrorReason(int error);
// « name » : reason — the last component of the path, then the reason.
QString fileErrorInformation(const QString& path, int error);
