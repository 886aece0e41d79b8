#pragma once
// Copying the preference file out to a file the user chose, and replacing it with one the user
// chose. The preferences window asks for the path and shows the alert whose key comes back (table
// "Dialogue").
#include <QString>

struct AppliParamTransferResult {
    bool ok = false;
    QString alertKey;
};

// Copies the preference file as it is on disk to the path, replacing a file there only once the
// copy is wholly written. "kAlerte_CantFindPreferences" when there is no preference file.
AppliParamTransferResult exportAppliParamTo(const QString& path);
// Replaces the preference file with the file at the path, then reads the settings again into the
// shared APPLIPARAM, every value brought into the range the preferences window allows (and the
// file rewritten when one was not). The file must parse as XML with the root "record": anything else is refused
// and the settings and their file stay as they were. "kAlerte_CantFindPreferences" when there is
// no preference file to replace.
AppliParamTransferResult importAppliParamFrom(const QString& path);
