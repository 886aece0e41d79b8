#pragma once
// The process-wide test set-up: a fixed time zone and locale, and HOME and the XDG folders
// pointed at a temporary directory, and the user's private runtime folder in it, so no test
// touches a real user's files; and the fonts a fresh machine has, so that layouts are measured
// as they will be there.
#include <QString>

namespace testenv {

// Done once by the test main, before the Qt application object exists.
void setUpProcess();
// The user's private runtime folder (runtimefolder.h) as a test process with that temporary home
// has it: a second process of a test meets the first there.
void shareUserRuntimeOf(const QString& home);
// The temporary home of this test process.
QString homeDir();
// A fresh, empty folder under the temporary home (removed with the process's home).
QString freshDir(const QString& name);

} // namespace testenv
