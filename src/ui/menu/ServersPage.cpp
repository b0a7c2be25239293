#include "ui/menu/ServersPage.h"

#include "ui/files/FileLists.h"
#include "ui/menu/NavigationPage.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/ListBox.h"

bool ServersPage::build() {
    addCaption(*this, 40, 78, 380);
    list = addScrolledList(*this, 78, 230, 120, 150).list;
    fillServers(*list, ".");
    field = addEditField(*this, 78, 190, 120, 20);
    list->subscribe(field);
    join = addPageActionButton(*this, 20);
    addPagePicture(*this, 424);
    return true;
}
