#include "ui/menu/TypePage.h"

#include "ui/menu/NavigationPage.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/ToggleButton.h"
#include "ui/toolkit/ToggleGroup.h"

bool TypePage::build() {
    addCaption(*this, 27, 78, 380);
    group = addToggleGroup(*this, 83, 255, 70, 120, true);
    training = addToggle(*this, 28, 88, 350, 80, 20, true);
    f3j = addToggle(*this, 30, 88, 320, 80, 20, false);
    f3b = addToggle(*this, 31, 88, 290, 80, 20, false);
    f3i = addToggle(*this, 32, 88, 260, 80, 20, false);
    for (ToggleButton* toggle : {training, f3j, f3b, f3i})
        link(group, toggle);
    load = addPageActionButton(*this, 18);
    addPagePicture(*this, 426);
    return true;
}
