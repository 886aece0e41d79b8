#pragma once
// The process-wide test set-up: a fixed time zone and locale, and HOME and the XDG folders
// pointed at a temporary directory, so no test touches a real user's files.
#include <QString>

namespace testenv {

// Done once by the test main, before the Qt application object exists.
void setUpProcess();
// The temporary home of this test process.
QString homeDir();
// A fresh, empty folder under the temporary home (removed with the process's home).
QString freshDir(const QString& name);

} // namespace testenv
