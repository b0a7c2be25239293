#include "ui/composites/Boxes.h"

#include "shell/Accessors.h"
#include "ui/composites/InputBox.h"
#include "ui/composites/MessageBox.h"
#include "ui/composites/NoticeBox.h"
#include "ui/composites/ProgressBox.h"
#include "ui/composites/QuestionBox.h"

namespace {
template <class Box> Box* showBox(Box* box, bool exclusive) {
    box->deleteWhenRemoved = true;
    showLayer(box, false, exclusive);
    return box;
}
} // namespace

MessageBox* showMessage(const char* message, const char* title, int icon) {
    auto* box = new MessageBox;
    box->create(message, title, icon);
    return showBox(box, false);
}

ProgressBox* showProgress(const char* message, const char* title) {
    auto* box = new ProgressBox;
    box->create(message, title);
    return showBox(box, false);
}

NoticeBox* showNotice(const char* message, const char* title) {
    auto* box = new NoticeBox;
    box->create(message, title);
    return showBox(box, false);
}

QuestionBox* ask(const char* question, const char* title, int buttons, const Event* yes,
                 const Event* no, const Event* cancel) {
    auto* box = new QuestionBox;
    box->create(question, title, buttons, yes, no, cancel);
    return showBox(box, false);
}

InputBox* askText(const char* caption, const Event* accept, const Event* cancel) {
    auto* box = new InputBox;
    box->create(caption, accept, cancel);
    return showBox(box, true);
}
