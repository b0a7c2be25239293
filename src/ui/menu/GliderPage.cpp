#include "ui/menu/GliderPage.h"

#include "ui/files/FileLists.h"
#include "ui/menu/PageParts.h"
#include "ui/toolkit/ListBox.h"
#include "ui/toolkit/WidgetEvents.h"

namespace {
struct Section {
    int titleId;
    int y;
};
struct Row {
    int textId;
    int y;
};
constexpr Section Sections[] = {{132, 460}, {133, 380}, {65, 300}};
constexpr Row Rows[] = {{61, 440}, {62, 420}, {63, 360}, {64, 340},
                        {66, 280}, {67, 260}, {68, 240}, {69, 220}};
} // namespace

bool GliderPage::build() {
    addFrame(EventActivated);
    addCaption(*this, 33, 110, 460);
    gliders = addScrolledList(*this, 110, 220, 100, 240).list;
    fillGliders(*gliders, ".");
    addPicture(*this, 410, 110, 108, 110, 110);
    const ValueRowPlacement placement{255, 80, 370, 442};
    for (const Section& section : Sections)
        addCaption(*this, section.titleId, 320, section.y);
    for (const Row& row : Rows)
        addValueRow(*this, row.textId, row.y, placement);
    addHeaderPicture(425, 32);
    return true;
}
