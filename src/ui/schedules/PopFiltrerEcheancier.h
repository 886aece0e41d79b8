#pragma once
// The filter of the schedules window: which schedules and forecasts it lists, active or finished,
// and whether categories without any are listed. Several items are marked at once, each by its bit
// of the list's filter word; the "all" and "none" items of each group change several bits. Every
// item sends "FILTER:" with its tag, which the window hands to the list.
#include "toolkit/popups/StdPopUp.h"

#include <functional>

class PopFiltrerEcheancier : public StdPopUp {
    Q_OBJECT
public:
    explicit PopFiltrerEcheancier(QWidget* parent = nullptr);

    // Where the pop-up reads the current filter word when it opens.
    void setFilterSource(std::function<int()> source) { m_filter = std::move(source); }
    void FILL_MENU() override;

    // Whether the list shows everything: the pop-up's "filter on" picture is hidden then.
    static bool showsEverything(int filter);

private:
    std::function<int()> m_filter;
};
