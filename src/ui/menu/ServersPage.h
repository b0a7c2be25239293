#pragma once

#include "ui/composites/Page.h"

class Button;
class EditField;
class ListBox;

/*
===============================================================================
ServersPage: the game servers named in the settings file ("server1",
"server2", ...), listed once when the page is built. Choosing one puts its name
in the field. Joining a server is not offered by this program: "Join" does
nothing.
===============================================================================
*/
class ServersPage : public Page {
  public:
    bool build() override;

    ListBox* list = nullptr;
    EditField* field = nullptr;
    Button* join = nullptr;
};
