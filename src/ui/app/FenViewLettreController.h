#pragma once
// One letter template, shown read-only, that the user exports to a file of their own to fill in
// with their word processor.
//
// Window data: "path" the template.
#include "app/FenRTFController.h"

class FenViewLettreController : public FenRTFController {
    Q_OBJECT
public:
    QString templatePath() const;

    // Copies the template where the user chooses; then offers to open the copy, or tells why it
    // could not be made.
    Q_INVOKABLE void EXPORTER(QObject* sender);
    // Copies the template to the destination; 0 on success, else the system's error number
    // (an existing file is never replaced).
    static int exportTemplate(const QString& source, const QString& destination);

protected:
    void buildInterface(StdWindow& window) override;
};
