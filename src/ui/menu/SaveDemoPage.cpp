#include "ui/menu/SaveDemoPage.h"

#include "ui/files/FileLists.h"
#include "ui/menu/NavigationPage.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/Button.h"
#include "ui/toolkit/EditField.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/WidgetEvents.h"

bool SaveDemoPage::build() {
    addCaption(*this, 38, 78, 380);
    list = addScrolledList(*this, 78, 230, 120, 150).list;
    fillDemos(*list, ".");
    field = addEditField(*this, 78, 190, 120, 20);
    save = addPageActionButton(*this, 22, 148);
    addPagePicture(*this, 424);
    return true;
}

void SaveDemoPage::onEvent(EventPublisher* publisher, const Event& event) {
    if (publisher == save && (event.type & EventActivated)) list->addItem(field->content);
}
