#pragma once
// The operator of one sub-criterion of a search: a short list of fixed choices, each tagged by the
// operator code the criterion stores (1 always "any value"). Choosing one sends the pop-up's
// action to its window controller with the pop-up as the sender.
#include <QComboBox>
#include <QString>

#include <initializer_list>
#include <utility>

class PopOperateur : public QComboBox {
    Q_OBJECT
public:
    using Choice = std::pair<long, const char*>; // tag, key of table "Appl"

    explicit PopOperateur(QWidget* parent = nullptr);

    void addChoices(std::initializer_list<Choice> choices);

    // The tag of the chosen item; 1 when the pop-up is empty.
    long selectedTag() const;
    // Shows the item of that tag; a tag the pop-up doesn't offer shows the first item.
    void selectTag(long tag);
    // What a user's choice does: shows the item of that tag and sends the action. False when the
    // pop-up offers no such tag.
    bool choose(long tag);
};
