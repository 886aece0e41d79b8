#pragma once
// The logo line of the entity editors (accounts, cheque books and cards, categories, folders): the
// chosen logo's name and picture, or "Aucun logo" with the editor's own picture, and the pop-up
// marking the chosen ident. The editor writes the ident chosen in the pop-up to its object at once.
#include <QIcon>
#include <QString>

class DOCUMENT;
class QLabel;
class QObject;
class StdPopUp;

struct LogoFace {
    QString title;
    QIcon image;
    bool hasLogo = false;
};

class LogoFiller {
public:
    static constexpr int kImageSide = 48;

    // What the logo line shows for that ident: the document's logo with its picture, else
    // "Aucun logo" and the default picture.
    static LogoFace face(long logoID, const DOCUMENT* doc, const QIcon& defaultImage);
    // Shows the face in the field and the image (either may be null) and marks logoID in the pop-up.
    static void fill(long logoID, const DOCUMENT* doc, const QIcon& defaultImage, QLabel* field, QLabel* image,
                     StdPopUp* pop);
    // The ident a LOGO: sender (an item of the pop-up) stands for; -1, "no logo", for no sender.
    static long chosenLogo(const QObject* sender);
};
