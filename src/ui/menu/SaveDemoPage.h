#pragma once

#include "ui/composites/Page.h"

class Button;
class EditField;
class ListBox;

/*
===============================================================================
SaveDemoPage: names a demo to record. The program records no demos, so "Save"
only adds the typed name to the list; no file is written.
===============================================================================
*/
class SaveDemoPage : public Page {
  public:
    bool build() override;
    void onEvent(EventPublisher* publisher, const Event& event) override;

    ListBox* list = nullptr;
    EditField* field = nullptr;
    Button* save = nullptr;
};
