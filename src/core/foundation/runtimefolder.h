#pragma once
// The user's private folder for what the running copies of the program must find of one another:
// the marks of the open documents and the channel through which a later launch hands over its
// files. Two copies of one user must meet there however each was started, so the place depends on
// the user alone, never on the process's environment (a copy started with XDG_RUNTIME_DIR and one
// without would otherwise each open the same document). And no one else may reach into it: another
// user who made it first would receive the documents asked for, or hide the marks.
//
// It is the "sorvanta" folder of the system's runtime folder of the user ("/run/user/<uid>", made
// by the login session, whatever the environment says) when that one is the user's own, else a
// folder ".sorvanta" in the user's home as the password database names it. The folder must be
// the user's, mode 0700, and no link; anything else is refused with a log line.
#include <QString>

// The folder, made when missing; empty when neither place can be had (logged).
QString userRuntimeFolder();

// Where the system keeps its users' runtime folders ("/run/user") and the user's home; tests point
// both at a temporary folder. Empty strings bring the system's own back.
void setUserRuntimeRoots(const QString& systemRuntimeRoot, const QString& home);
