#pragma once

/*
===============================================================================
Global accessors over the one application object. Everything below the
application reaches it only through these; theApplication() is the one pointer
to it, and applicationServices() the same object seen through what those layers
may use of it (ApplicationServices.h).

Without an application (unit tests, tools) they answer safely: sizes, times and
the mouse position are 0, texture() and font() return null, text() still
returns the built-in texts, showLayer() and presentNow() do nothing.
===============================================================================
*/
class Application;
class ApplicationServices;
class Element;
class Texture;
class Font;

Application* theApplication();
ApplicationServices* applicationServices();
// Makes the application reachable through the accessors (both null to clear). The
// application registers itself; the two pointers are the same object.
void registerApplication(Application* application, ApplicationServices* services);

int clientWidth();
int clientHeight();
// Client-area coordinates, y up from the bottom of the client area.
void mousePosition(int& x, int& y);

Texture* texture(int resourceId);
Font* font(const char* face, int height, bool bold, bool italic);
const char* text(int id);

void showLayer(Element* element, bool topmost, bool exclusive);
void presentNow();

double timeNow();
double frameTime();
