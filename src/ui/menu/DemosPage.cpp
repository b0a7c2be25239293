#include "ui/menu/DemosPage.h"

#include "ui/files/FileLists.h"
#include "ui/menu/NavigationPage.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/ListBox.h"

bool DemosPage::build() {
    addCaption(*this, 39, 78, 380);
    list = addScrolledList(*this, 78, 200, 120, 180).list;
    fillDemos(*list, ".");
    load = addPageActionButton(*this, 18);
    addPagePicture(*this, 424);
    return true;
}
