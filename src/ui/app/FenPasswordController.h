#pragma once
// The password of a document: asked when a protected document opens, and changed or removed from
// the menu. The current password must be typed exactly (letter case counts); with "change" ticked,
// the new password typed twice is written into the package at once, whatever becomes of the
// document's next save, and an empty new password removes the protection.
//
// Window data: "password" the package's BEFOREPARAM as read, "url" the package.
#include "document/BEFOREPARAM.h"
#include "toolkit/windows/StdWindowController.h"

#include <QMetaType>

class QCheckBox;
class QLabel;
class QLineEdit;

class FenPasswordController : public StdWindowController {
    Q_OBJECT
public:
    void FILL() override;
    QWidget* initialFirstResponder() const override;
    // The current password right; and, when changing it, the new one confirmed and written.
    bool READ() override;

    void FILL_TEXTFIELDS();
    // The check box: the new password's fields follow it, and the typing goes to the first field
    // that can take it.
    Q_INVOKABLE void MODIFIER(QObject* sender);
    // Writes the new password's digest into the package's "beforeparam.xml"; false when it could
    // not be written, or may not (a document kept without saving): the user is then told, and
    // the old password stays.
    bool changePassword(const QString& newPassword);

protected:
    void buildInterface(StdWindow& window) override;

private:
    BEFOREPARAM stored() const;
    QString packageUrl() const;
    bool changing() const;

    QLabel* m_message = nullptr;
    QCheckBox* m_modifier = nullptr;
    QLineEdit* m_current = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_confirmation = nullptr;
};

Q_DECLARE_METATYPE(BEFOREPARAM)

// Asks for the document's password, modally on the parent's window: true when the user typed the
// right one (and, if asked for, changed it). With onlyWhenSet, a document without a password
// passes at once without any window.
bool askDocumentPassword(StdWindowController* parent, const BEFOREPARAM& stored, bool onlyWhenSet, const QString& url);
