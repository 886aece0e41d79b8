#pragma once
// The desktop as the model sees it: opening files and addresses with their default application,
// revealing a file and the alert beep. The window layer installs the real one at start-up; with
// none installed nothing happens and the open operations answer false.
#include <QString>

class IDesktop {
public:
    virtual ~IDesktop() = default;
    virtual bool openFile(const QString& path) = 0;
    virtual bool revealFile(const QString& path) = 0;
    virtual bool openURL(const QString& url) = 0;
    virtual void beep() = 0;
};

IDesktop* desktop();
void installDesktop(IDesktop* d);

// Opens the file with its default application; when that fails, reveals it in a file viewer.
class HelperSVWorkspace {
public:
    static void tryToOpenFileAtPath(const QString& path);
};

bool openURLString(const QString& url);
void beep();
